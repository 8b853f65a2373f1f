#pragma once

#include "platform/file_system.h"

#include <string>
#include <unordered_map>

// Which folder each folder of a run's targets was when the targets were
// collected. The removal opens the folder again and touches its files only
// while it is still that folder: a folder swapped for a link to another one
// between the search and the wash is refused, never followed.

namespace quill {

class CollectedFolders {
public:
    // The folder part of a target path ("C:\Temp\a.txt" gives "C:\Temp",
    // "C:\a.txt" gives "C:\"), and the name after it.
    static std::string FolderOf(const std::string& path);
    static std::string NameOf(const std::string& path);

    // Records what folder (as the search reports it) was; a folder that could
    // not be told is recorded as matching nothing.
    void Record(const std::string& folder, const platform::FolderId& id);
    void RecordUnknown(const std::string& folder);
    // What was recorded for folder, or nullptr when it was not collected.
    [[nodiscard]] const platform::FolderId* Find(const std::string& folder) const;
    void Clear() { ids_.clear(); }

private:
    static std::string Key(const std::string& folder);

    std::unordered_map<std::string, platform::FolderId> ids_;
};

} // namespace quill
