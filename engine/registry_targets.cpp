#include "engine/registry_targets.h"

#include "platform/text.h"

namespace quill {

namespace {

using platform::RootKey;

struct SplitPath {
    std::string root;
    std::string key; // from the first backslash on
};

SplitPath SplitAtRoot(const std::string& full) {
    const auto slash = full.find('\\');
    if (slash == std::string::npos) {
        return {full, ""};
    }
    return {full.substr(0, slash), full.substr(slash)};
}

std::string StripSlashes(const std::string& path) {
    std::size_t b = 0;
    std::size_t e = path.size();
    while (b < e && path[b] == '\\') {
        ++b;
    }
    while (e > b && path[e - 1] == '\\') {
        --e;
    }
    return path.substr(b, e - b);
}

bool IsStringType(platform::ValueType t) {
    return t == platform::ValueType::String || t == platform::ValueType::ExpandString;
}

// Deletes the key at path (relative to the root, no outer backslashes) with
// everything below it, deepest first. True when the key itself went.
bool DeleteKeyTree(platform::Registry& registry, RootKey root, const std::string& path) {
    {
        std::unique_ptr<platform::RegistryKey> key;
        if (!Succeeded(registry.OpenKey(root, path, key)) || !key) {
            return false;
        }
        std::vector<std::string> subkeys;
        if (Succeeded(key->SubkeyNames(subkeys))) {
            for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it) {
                (void)DeleteKeyTree(registry, root, path + "\\" + *it);
            }
        }
    }
    const auto slash = path.rfind('\\');
    const std::string parentPath = slash == std::string::npos ? "" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::unique_ptr<platform::RegistryKey> parent;
    if (!Succeeded(registry.OpenKey(root, parentPath, parent)) || !parent) {
        return false;
    }
    return Succeeded(parent->DeleteSubkey(name));
}

} // namespace

void RegistryAccessor::SetRoot(RootKey root) {
    CloseKey();
    root_ = root;
}

bool RegistryAccessor::OpenKey(const std::string& path) {
    CloseKey();
    std::unique_ptr<platform::RegistryKey> key;
    if (!Succeeded(registry_.OpenKey(root_, StripSlashes(path), key)) || !key) {
        return false;
    }
    key_ = std::move(key);
    return true;
}

std::optional<RootKey> RootKeyFromName(const std::string& name) {
    static const struct {
        const char* name;
        RootKey key;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", RootKey::ClassesRoot},
        {"HKEY_CURRENT_USER", RootKey::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RootKey::LocalMachine},
        {"HKEY_USERS", RootKey::Users},
        {"HKEY_PERFORMANCE_DATA", RootKey::PerformanceData},
        {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig},
        {"HKEY_DYN_DATA", RootKey::DynData},
    };
    const std::string upper = text::AsciiUpper(name);
    for (const auto& r : kRoots) {
        if (upper == r.name) {
            return r.key;
        }
    }
    return std::nullopt;
}

void SelectRootKey(RegistryAccessor& accessor, const std::string& rootName) {
    if (const auto root = RootKeyFromName(rootName)) {
        accessor.SetRoot(*root);
    }
}

DecodedEntry DecodeRegistryEntry(const std::string& entry) {
    DecodedEntry d;
    const std::string keyMarker = kDeleteKeyMarker;
    if (const auto at = entry.find(keyMarker); at != std::string::npos) {
        d.keyPath = entry;
        d.keyPath.erase(at, keyMarker.size());
        d.isKey = true;
        return d;
    }
    const std::string valueMarker = kDeleteValueMarker;
    const auto at = entry.find(valueMarker);
    if (at == std::string::npos) {
        // Not an entry of ours: read as a value of that name in no key, which
        // opens nothing and removes nothing.
        d.valueName = entry;
        return d;
    }
    d.keyPath = entry.substr(0, at);
    d.valueName = entry.substr(at + valueMarker.size());
    return d;
}

void CollectRegistryEntries(tChildRegister& child, std::vector<std::string>& list,
                            const PathMacros& macros, platform::Registry& registry) {
    if (!child.RegisterKeyName.empty() && child.RegisterKeyName.back() != '\\') {
        child.RegisterKeyName += '\\';
    }
    const std::string k = macros.ExpandPathMacros(child.RegisterKeyName);
    const SplitPath split = SplitAtRoot(text::TrimCopy(k));
    RegistryAccessor accessor(registry);
    SelectRootKey(accessor, split.root);
    if (StripSlashes(split.key).empty() || !accessor.OpenKey(split.key)) {
        return;
    }
    platform::RegistryKey& key = *accessor.CurrentKey();
    switch (child.CleanRegisterType) {
    case deleteKey: {
        std::vector<std::string> subkeys;
        (void)key.SubkeyNames(subkeys);
        list.clear();
        for (const auto& name : subkeys) {
            list.push_back(k + name + kDeleteKeyMarker);
        }
        list.push_back(k + kDeleteKeyMarker);
        break;
    }
    case deleteAllValues: {
        std::vector<std::string> values;
        (void)key.ValueNames(values);
        list.clear();
        for (const auto& name : values) {
            list.push_back(k + kDeleteValueMarker + name);
        }
        break;
    }
    case deleteSingleValue: {
        platform::RegistryValue value;
        if (Succeeded(key.QueryValue(child.RegisterSingleValue, value))) {
            list.push_back(k + kDeleteValueMarker + child.RegisterSingleValue);
        }
        break;
    }
    }
}

bool RemoveRegistryEntry(RegistryAccessor& accessor, const std::string& keyPath,
                         const std::string& valueName, bool isKey) {
    const SplitPath split = SplitAtRoot(text::TrimCopy(keyPath));
    SelectRootKey(accessor, split.root);
    bool ok = false;
    if (accessor.OpenKey(split.key)) {
        if (isKey) {
            accessor.CloseKey();
            const std::string path = StripSlashes(split.key);
            ok = !path.empty() && DeleteKeyTree(accessor.Registry(), accessor.Root(), path);
        } else {
            ok = Succeeded(accessor.CurrentKey()->DeleteValue(valueName));
        }
    }
    accessor.CloseKey();
    return ok;
}

RemovalCounts RemoveTickedEntries(const CheckedList& list, platform::Registry& registry,
                                  WashLog* log) {
    RemovalCounts counts;
    RegistryAccessor accessor(registry);
    for (const auto& line : list) {
        if (!line.Checked) {
            continue;
        }
        const DecodedEntry d = DecodeRegistryEntry(line.Text);
        const bool ok = RemoveRegistryEntry(accessor, d.keyPath, d.valueName, d.isKey);
        ++(ok ? counts.removed : counts.failed);
        if (log) {
            log->AppendLogRow(LogKind::RegistryEntry, false, ok, "",
                              d.isKey ? d.keyPath : d.keyPath + d.valueName);
        }
    }
    return counts;
}

std::string RegistryEntryDisplayText(const std::string& entry, platform::Registry& registry) {
    const DecodedEntry d = DecodeRegistryEntry(entry);
    if (d.isKey) {
        return d.keyPath;
    }
    const SplitPath split = SplitAtRoot(text::TrimCopy(d.keyPath));
    RegistryAccessor accessor(registry);
    SelectRootKey(accessor, split.root);
    if (!accessor.OpenKey(split.key)) {
        return {};
    }
    platform::RegistryValue value;
    if (Succeeded(accessor.CurrentKey()->QueryValue(d.valueName, value)) &&
        IsStringType(value.type)) {
        return value.data;
    }
    return d.valueName;
}

} // namespace quill
