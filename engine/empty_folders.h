#pragma once

#include "engine/collected_folders.h"
#include "platform/file_system.h"

#include <string>
#include <vector>

// The folders a wash left empty, removed after its files: for children that
// ask for it, every empty folder below the child's own folder and that
// folder itself, the deepest first.

namespace quill {

// The folders whose emptied subtrees a run removes at its end, as the
// collection found them; each named once.
class EmptiedFolderRoots {
public:
    void Add(const std::string& folder);
    [[nodiscard]] const std::vector<std::string>& Folders() const { return folders_; }
    void Clear() { folders_.clear(); }

private:
    std::vector<std::string> folders_;
};

// Removes, below each root and the root itself, every folder that holds
// nothing, the deepest first, so that a folder emptied by the removal of its
// subfolders goes too. A folder that still holds anything stays, and so does
// every folder above a root. No link is entered or removed: a root that is
// a link is left alone, and each folder is removed through its parent held
// open, never through a path that could lead elsewhere. A root recorded by
// the collection (collected, when given) that is no longer that folder is
// left alone with all below it. Returns the number of folders removed.
int RemoveEmptiedFolders(platform::FileSystem& fs, const std::vector<std::string>& roots,
                         const CollectedFolders* collected);

} // namespace quill
