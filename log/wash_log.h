#pragma once

#include <string>

// Where a wash records what it did: one section per wash, one row per
// removed or failed file, registry entry or special item.

namespace quill {

enum class LogKind { FolderFile, RegistryEntry, SpecialItem };

class WashLog {
public:
    virtual ~WashLog() = default;

    virtual void BeginLogSection() = 0;
    // quick only matters for files; an empty note shows as a blank cell.
    virtual void AppendLogRow(LogKind kind, bool quick, bool success, const std::string& note,
                              const std::string& item) = 0;
    virtual void EndLogSection() = 0;
};

} // namespace quill
