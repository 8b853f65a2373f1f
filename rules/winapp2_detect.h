#pragma once

#include "locations/path_macros.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "rules/winapp2_convert.h"

// Whether an imported entry applies on this machine: any of its Detect keys
// exists, or any of its DetectFile paths (wildcards allowed in every part).
// An entry without either applies everywhere.

namespace quill::rules {

class EntryDetector {
public:
    EntryDetector(platform::Registry& registry, platform::FileSystem& fs, const PathMacros& macros)
        : registry_(registry), fs_(fs), macros_(macros) {}

    [[nodiscard]] bool Applies(const ImportedItem& item) const;

private:
    [[nodiscard]] bool KeyExists(const std::string& key) const;
    [[nodiscard]] bool PathExists(const std::string& path) const;

    platform::Registry& registry_;
    platform::FileSystem& fs_;
    const PathMacros& macros_;
};

} // namespace quill::rules
