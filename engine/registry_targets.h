#pragma once

#include "engine/checked_list.h"
#include "engine/removal_counts.h"
#include "locations/path_macros.h"
#include "log/wash_log.h"
#include "model/child_register.h"
#include "platform/registry.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Registry children turned into entries to remove, and their removal.
//
// An entry is either a key path followed by "<|>DeleteKey" (the key with all
// below it) or a key path ending in a backslash, "<|>DeleteValue<|>" and a
// value name (that value).

namespace quill {

inline constexpr const char* kDeleteKeyMarker = "<|>DeleteKey";
inline constexpr const char* kDeleteValueMarker = "<|>DeleteValue<|>";

// A root key and at most one open key; every open uses full access and never
// creates the key. A new accessor stands at HKEY_CURRENT_USER.
class RegistryAccessor {
public:
    explicit RegistryAccessor(platform::Registry& registry) : registry_(registry) {}

    platform::RootKey Root() const { return root_; }
    // Changing the root closes the open key.
    void SetRoot(platform::RootKey root);

    // Opens a key below the root; leading and trailing backslashes are ignored.
    bool OpenKey(const std::string& path);
    platform::RegistryKey* CurrentKey() const { return key_.get(); }
    void CloseKey() { key_.reset(); }

    platform::Registry& Registry() const { return registry_; }

private:
    platform::Registry& registry_;
    platform::RootKey root_ = platform::RootKey::CurrentUser;
    std::unique_ptr<platform::RegistryKey> key_;
};

// The root key a root name stands for, after ASCII upper-casing; nullopt for
// any other name (short forms like HKLM included).
std::optional<platform::RootKey> RootKeyFromName(const std::string& name);

// Sets the accessor's root from a root name; does nothing for an unknown one.
void SelectRootKey(RegistryAccessor& accessor, const std::string& rootName);

struct DecodedEntry {
    std::string keyPath;
    std::string valueName;
    bool isKey = false;
};

DecodedEntry DecodeRegistryEntry(const std::string& entry);

// Appends (one value) or writes (whole key, all values) the entries of one
// registry child into list. Adds a trailing backslash to the child's
// RegisterKeyName when it lacks one.
void CollectRegistryEntries(tChildRegister& child, std::vector<std::string>& list,
                            const PathMacros& macros, platform::Registry& registry);

// Removes one key (depth first, with everything below it) or one value.
bool RemoveRegistryEntry(RegistryAccessor& accessor, const std::string& keyPath,
                         const std::string& valueName, bool isKey);

// Removes the ticked entries in order; writes one log row per entry when a
// log is given.
RemovalCounts RemoveTickedEntries(const CheckedList& list, platform::Registry& registry,
                                  WashLog* log);

// What a preview shows for an entry: the key path, or a value's string data,
// or the value's name when it holds no string, or nothing when the key is gone.
std::string RegistryEntryDisplayText(const std::string& entry, platform::Registry& registry);

} // namespace quill
