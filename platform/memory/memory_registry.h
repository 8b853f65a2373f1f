#pragma once

#include "platform/registry.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

// An in-memory registry for tests. Like Windows it enumerates subkeys in
// alphabetical order without regard to case and values in the order they were
// created; it can refuse keys and deletions on request.

namespace quill::platform {

class MemoryRegistry final : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    // --- Arranging (missing parents are created) ---
    void AddKey(RootKey root, const std::string& path);
    void PutValue(RootKey root, const std::string& path, const std::string& name,
                  const RegistryValue& value);

    // --- Injected failures (the key is created when missing) ---
    // Every open or creation of the key, also for reading, is refused with
    // AccessDenied.
    void SetAccessDenied(RootKey root, const std::string& path, bool denied);
    // Deleting the key is refused with AccessDenied.
    void SetDeleteFails(RootKey root, const std::string& path, bool fails);
    // Deleting any value of the key is refused with AccessDenied.
    void SetValueDeleteFails(RootKey root, const std::string& path, bool fails);

    // --- Inspecting ---
    [[nodiscard]] bool HasKey(RootKey root, const std::string& path) const;
    [[nodiscard]] std::optional<RegistryValue> Value(RootKey root, const std::string& path,
                                                     const std::string& name) const;

    // --- Registry ---
    IoResult OpenKey(RootKey root, const std::string& path,
                     std::unique_ptr<RegistryKey>& key) override;
    IoResult OpenKeyForReading(RootKey root, const std::string& path,
                               std::unique_ptr<RegistryKey>& key) override;
    IoResult CreateKey(RootKey root, const std::string& path,
                       std::unique_ptr<RegistryKey>& key) override;

    struct Node;

private:
    std::shared_ptr<Node> Find(RootKey root, const std::string& path) const;
    std::shared_ptr<Node> Make(RootKey root, const std::string& path);
    IoResult Open(RootKey root, const std::string& path, bool readOnly,
                  std::unique_ptr<RegistryKey>& key);

    std::map<RootKey, std::shared_ptr<Node>> roots_;
};

} // namespace quill::platform
