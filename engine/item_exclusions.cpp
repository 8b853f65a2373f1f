#include "engine/item_exclusions.h"

#include "engine/name_mask.h"
#include "engine/registry_targets.h"
#include "platform/text.h"

namespace quill {

namespace {

// The names of a path or key, without empty ones (a doubled or trailing
// backslash names nothing).
std::vector<std::string> Names(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            names.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

std::vector<std::string_view> Fields(std::string_view rule) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = rule.find('|', start);
        fields.push_back(rule.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos) {
            return fields;
        }
        start = bar + 1;
    }
}

bool NameMatches(const std::string& pattern, std::string_view name) {
    if (pattern.find_first_of("*?") != std::string::npos) {
        return MatchesMask(name, pattern);
    }
    return text::EqualsNoCase(pattern, name);
}

// True when the first names of path are the pattern's names.
bool StartsWith(const std::vector<std::string>& path, const std::vector<std::string>& pattern) {
    if (path.size() < pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (!NameMatches(pattern[i], path[i])) {
            return false;
        }
    }
    return true;
}

// Keys compare name by name without regard to case, with no wildcards.
bool KeyStartsWith(const std::vector<std::string>& key, const std::vector<std::string>& start) {
    if (key.size() < start.size()) {
        return false;
    }
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (!text::EqualsNoCase(key[i], start[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

ItemExclusions::ItemExclusions(const std::vector<std::string>& rules, const PathMacros& macros) {
    for (const std::string& rule : rules) {
        const std::vector<std::string_view> f = Fields(rule);
        if (f.size() < 2) {
            continue;
        }
        const std::string kind = text::TrimCopy(std::string(f[0]));
        if (text::EqualsNoCase(kind, "FILE") || text::EqualsNoCase(kind, "PATH")) {
            FileRule r;
            r.folder = Names(macros.ExpandPathMacros(text::TrimCopy(std::string(f[1]))));
            r.mask = f.size() > 2 ? text::TrimCopy(std::string(f[2])) : "";
            r.below = text::EqualsNoCase(kind, "PATH");
            if (r.mask.empty()) {
                if (!r.below) {
                    continue; // a file rule without its file keeps nothing
                }
                r.mask.push_back('*'); // every file
            }
            // A rule that names no folder would keep files everywhere; the
            // rule is for this item's files, so it must say where.
            if (r.folder.size() >= 2) {
                files_.push_back(std::move(r));
            }
        } else if (text::EqualsNoCase(kind, "REG")) {
            KeyRule r;
            r.key = Names(text::TrimCopy(std::string(f[1])));
            r.hasValue = f.size() > 2;
            r.value = r.hasValue ? std::string(f[2]) : "";
            if (r.key.size() >= 2) {
                keys_.push_back(std::move(r));
            }
        }
    }
}

bool ItemExclusions::KeepsFile(std::string_view folder, std::string_view name) const {
    if (files_.empty()) {
        return false;
    }
    const std::vector<std::string> names = Names(folder);
    for (const FileRule& r : files_) {
        if ((r.below ? names.size() >= r.folder.size() : names.size() == r.folder.size()) &&
            StartsWith(names, r.folder) && MatchesMask(name, r.mask)) {
            return true;
        }
    }
    return false;
}

bool ItemExclusions::KeepsRegistryEntry(const std::string& entry) const {
    if (keys_.empty()) {
        return false;
    }
    const DecodedEntry d = DecodeRegistryEntry(entry);
    const std::vector<std::string> key = Names(d.keyPath);
    for (const KeyRule& r : keys_) {
        if (d.isKey) {
            // Removing the key removes everything below it; a kept key
            // also keeps its subkeys.
            if (KeyStartsWith(r.key, key) || (!r.hasValue && KeyStartsWith(key, r.key))) {
                return true;
            }
            continue;
        }
        if (!r.hasValue && KeyStartsWith(key, r.key)) {
            return true; // a value of a kept key
        }
        if (r.hasValue && key.size() == r.key.size() && KeyStartsWith(key, r.key) &&
            text::EqualsNoCase(r.value, d.valueName)) {
            return true;
        }
    }
    return false;
}

} // namespace quill
