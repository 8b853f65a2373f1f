#include "rules/winapp2_detect.h"

#include "engine/folder_glob.h"
#include "engine/registry_targets.h"

#include <memory>

namespace quill::rules {

bool EntryDetector::Applies(const ImportedItem& item) const {
    if (item.detectKeys.empty() && item.detectFiles.empty()) {
        return true;
    }
    for (const std::string& key : item.detectKeys) {
        if (KeyExists(key)) {
            return true;
        }
    }
    for (const std::string& path : item.detectFiles) {
        if (PathExists(path)) {
            return true;
        }
    }
    return false;
}

bool EntryDetector::KeyExists(const std::string& key) const {
    const std::size_t slash = key.find('\\');
    const std::optional<platform::RootKey> root = RootKeyFromName(key.substr(0, slash));
    if (!root || slash == std::string::npos) {
        return false;
    }
    std::unique_ptr<platform::RegistryKey> handle;
    return Succeeded(registry_.OpenKeyForReading(*root, key.substr(slash + 1), handle)) && handle;
}

bool EntryDetector::PathExists(const std::string& path) const {
    const std::string expanded = macros_.ExpandPathMacros(path);
    if (expanded.empty() || expanded.find('{') != std::string::npos) {
        return false; // a folder this system does not have
    }
    return !MatchPathPattern(fs_, expanded, true).empty();
}

} // namespace quill::rules
