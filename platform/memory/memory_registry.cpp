#include "platform/memory/memory_registry.h"

#include "platform/text.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quill::platform {

namespace {

constexpr std::size_t kMaxKeyName = 255;     // UTF-16 units
constexpr std::size_t kMaxValueName = 16383; // UTF-16 units

// The key under which a subkey is filed: equal for names that differ only in
// case, and ordered the way the registry sorts subkeys, with letters compared
// in upper case (so "AB" comes before "A_B").
std::string SortKey(const std::string& name) {
    return text::AsciiUpper(text::FoldCaseCopy(name));
}

std::size_t Utf16Length(const std::string& name) {
    return text::ToUtf16(name).size();
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) {
                parts.push_back(std::move(part));
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(std::move(part));
    }
    return parts;
}

} // namespace

struct MemoryRegistry::Node {
    std::string name; // as created
    bool deleted = false;
    bool accessDenied = false;
    bool deleteFails = false;
    bool valueDeleteFails = false;
    std::map<std::string, std::shared_ptr<Node>> subkeys;      // keyed by SortKey
    std::vector<std::pair<std::string, RegistryValue>> values; // creation order

    std::shared_ptr<Node> Child(const std::string& childName) const {
        const auto it = subkeys.find(SortKey(childName));
        return it == subkeys.end() ? nullptr : it->second;
    }

    std::shared_ptr<Node> AddChild(const std::string& childName) {
        auto child = std::make_shared<Node>();
        child->name = childName;
        subkeys[SortKey(childName)] = child;
        return child;
    }

    std::vector<std::pair<std::string, RegistryValue>>::iterator
    FindValue(const std::string& valueName) {
        return std::find_if(values.begin(), values.end(),
                            [&](const auto& v) { return text::EqualsNoCase(v.first, valueName); });
    }
};

namespace {

using Node = MemoryRegistry::Node;

// An open key. It keeps its node alive; once the key is deleted every
// operation on it fails, as on a handle to a deleted key.
class MemoryRegistryKey final : public RegistryKey {
public:
    explicit MemoryRegistryKey(std::shared_ptr<Node> node, bool readOnly = false)
        : node_(std::move(node)), readOnly_(readOnly) {}

    IoResult SubkeyNames(std::vector<std::string>& names) override {
        names.clear();
        if (node_->deleted) {
            return IoResult::NotFound;
        }
        for (const auto& [sortKey, child] : node_->subkeys) {
            names.push_back(child->name);
        }
        return IoResult::Ok;
    }

    IoResult ValueNames(std::vector<std::string>& names) override {
        names.clear();
        if (node_->deleted) {
            return IoResult::NotFound;
        }
        for (const auto& value : node_->values) {
            names.push_back(value.first);
        }
        return IoResult::Ok;
    }

    IoResult QueryValue(const std::string& name, RegistryValue& value) override {
        value = {};
        if (node_->deleted) {
            return IoResult::NotFound;
        }
        const auto it = node_->FindValue(name);
        if (it == node_->values.end()) {
            return IoResult::NotFound;
        }
        value = it->second;
        return IoResult::Ok;
    }

    IoResult SetValue(const std::string& name, const RegistryValue& value) override {
        if (node_->deleted) {
            return IoResult::NotFound;
        }
        if (readOnly_) {
            return IoResult::AccessDenied;
        }
        if (Utf16Length(name) > kMaxValueName ||
            (value.type == ValueType::Dword && value.data.size() != 4)) {
            return IoResult::Failed;
        }
        const auto it = node_->FindValue(name);
        if (it == node_->values.end()) {
            node_->values.emplace_back(name, value);
        } else {
            it->second = value; // keeps its place and the case of its name
        }
        return IoResult::Ok;
    }

    IoResult DeleteValue(const std::string& name) override {
        if (node_->deleted) {
            return IoResult::NotFound;
        }
        if (readOnly_) {
            return IoResult::AccessDenied;
        }
        const auto it = node_->FindValue(name);
        if (it == node_->values.end()) {
            return IoResult::NotFound;
        }
        if (node_->valueDeleteFails) {
            return IoResult::AccessDenied;
        }
        node_->values.erase(it);
        return IoResult::Ok;
    }

    IoResult DeleteSubkey(const std::string& name) override {
        if (node_->deleted) {
            return IoResult::NotFound;
        }
        if (readOnly_) {
            return IoResult::AccessDenied;
        }
        const std::vector<std::string> parts = SplitPath(name);
        if (parts.empty()) {
            return IoResult::Failed;
        }
        std::shared_ptr<Node> parent = node_;
        for (std::size_t i = 0; i + 1 < parts.size() && parent; ++i) {
            parent = parent->Child(parts[i]);
        }
        std::shared_ptr<Node> target = parent ? parent->Child(parts.back()) : nullptr;
        if (!target) {
            return IoResult::NotFound;
        }
        if (!target->subkeys.empty() || target->accessDenied || target->deleteFails) {
            return IoResult::AccessDenied;
        }
        target->deleted = true;
        parent->subkeys.erase(SortKey(parts.back()));
        return IoResult::Ok;
    }

private:
    std::shared_ptr<Node> node_;
    bool readOnly_;
};

} // namespace

MemoryRegistry::MemoryRegistry() {
    for (RootKey root :
         {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users,
          RootKey::PerformanceData, RootKey::CurrentConfig, RootKey::DynData}) {
        roots_[root] = std::make_shared<Node>();
    }
}

MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Find(RootKey root,
                                                           const std::string& path) const {
    const auto it = roots_.find(root);
    if (it == roots_.end()) {
        return nullptr;
    }
    std::shared_ptr<Node> node = it->second;
    for (const std::string& part : SplitPath(path)) {
        node = node->Child(part);
        if (!node) {
            return nullptr;
        }
    }
    return node;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Make(RootKey root, const std::string& path) {
    std::shared_ptr<Node> node = roots_.at(root);
    for (const std::string& part : SplitPath(path)) {
        std::shared_ptr<Node> child = node->Child(part);
        node = child ? child : node->AddChild(part);
    }
    return node;
}

void MemoryRegistry::AddKey(RootKey root, const std::string& path) {
    (void)Make(root, path);
}

void MemoryRegistry::PutValue(RootKey root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    (void)MemoryRegistryKey(Make(root, path)).SetValue(name, value);
}

void MemoryRegistry::SetAccessDenied(RootKey root, const std::string& path, bool denied) {
    Make(root, path)->accessDenied = denied;
}

void MemoryRegistry::SetDeleteFails(RootKey root, const std::string& path, bool fails) {
    Make(root, path)->deleteFails = fails;
}

void MemoryRegistry::SetValueDeleteFails(RootKey root, const std::string& path, bool fails) {
    Make(root, path)->valueDeleteFails = fails;
}

bool MemoryRegistry::HasKey(RootKey root, const std::string& path) const {
    return Find(root, path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::Value(RootKey root, const std::string& path,
                                                   const std::string& name) const {
    const std::shared_ptr<Node> node = Find(root, path);
    if (!node) {
        return std::nullopt;
    }
    const auto it = node->FindValue(name);
    if (it == node->values.end()) {
        return std::nullopt;
    }
    return it->second;
}

IoResult MemoryRegistry::OpenKey(RootKey root, const std::string& path,
                                 std::unique_ptr<RegistryKey>& key) {
    return Open(root, path, false, key);
}

IoResult MemoryRegistry::OpenKeyForReading(RootKey root, const std::string& path,
                                           std::unique_ptr<RegistryKey>& key) {
    return Open(root, path, true, key);
}

IoResult MemoryRegistry::Open(RootKey root, const std::string& path, bool readOnly,
                              std::unique_ptr<RegistryKey>& key) {
    key.reset();
    std::shared_ptr<Node> node = Find(root, path);
    if (!node) {
        return IoResult::NotFound;
    }
    if (node->accessDenied) {
        return IoResult::AccessDenied;
    }
    key = std::make_unique<MemoryRegistryKey>(std::move(node), readOnly);
    return IoResult::Ok;
}

IoResult MemoryRegistry::CreateKey(RootKey root, const std::string& path,
                                   std::unique_ptr<RegistryKey>& key) {
    key.reset();
    std::shared_ptr<Node> node = roots_.at(root);
    for (const std::string& part : SplitPath(path)) {
        if (node->accessDenied) {
            return IoResult::AccessDenied;
        }
        std::shared_ptr<Node> child = node->Child(part);
        if (!child && Utf16Length(part) > kMaxKeyName) {
            return IoResult::Failed;
        }
        node = child ? child : node->AddChild(part);
    }
    if (node->accessDenied) {
        return IoResult::AccessDenied;
    }
    key = std::make_unique<MemoryRegistryKey>(std::move(node));
    return IoResult::Ok;
}

} // namespace quill::platform
