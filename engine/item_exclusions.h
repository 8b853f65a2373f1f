#pragma once

#include "locations/path_macros.h"

#include <string>
#include <string_view>
#include <vector>

// What one wash item's own removal keeps, whatever its children name: the
// rules stored with the item (tItemContent::Exclusions), their path macros
// expanded. Folder names in a rule may hold wildcards ("User Data\*\Keep").
//   FILE|folder\|name   that file (a mask is allowed) in that folder only
//   PATH|folder\|mask   the files matching mask in that folder and below
//   REG|key             that key with everything below it
//   REG|key|value       that one value

namespace quill {

class ItemExclusions {
public:
    ItemExclusions() = default;
    // Rules that cannot be read are kept as nothing; an unknown kind too.
    ItemExclusions(const std::vector<std::string>& rules, const PathMacros& macros);

    [[nodiscard]] bool Empty() const { return files_.empty() && keys_.empty(); }

    // True when the file name in folder (no trailing backslash needed) is kept.
    [[nodiscard]] bool KeepsFile(std::string_view folder, std::string_view name) const;

    // True when removing the registry entry (registry_targets.h) would
    // remove something kept: a kept key or value at or below the entry's
    // key, or the entry lying inside a kept key.
    [[nodiscard]] bool KeepsRegistryEntry(const std::string& entry) const;

private:
    struct FileRule {
        std::vector<std::string> folder; // its names, each possibly a mask
        std::string mask;
        bool below = false; // PATH: subfolders too
    };
    struct KeyRule {
        std::vector<std::string> key; // root name first
        std::string value;            // empty: the whole key
        bool hasValue = false;
    };

    std::vector<FileRule> files_;
    std::vector<KeyRule> keys_;
};

} // namespace quill
