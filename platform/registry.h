#pragma once

#include "platform/io_result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The registry service. Keys are opened with full access and never created
// by the cleaning engine; names are UTF-8.

namespace quill::platform {

enum class RootKey {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    PerformanceData,
    CurrentConfig,
    DynData,
};

enum class ValueType : std::uint32_t {
    None = 0,
    String = 1,       // REG_SZ
    ExpandString = 2, // REG_EXPAND_SZ
    Binary = 3,       // REG_BINARY
    Dword = 4,        // REG_DWORD
    MultiString = 7,  // REG_MULTI_SZ
};

struct RegistryValue {
    ValueType type = ValueType::None;
    std::string data; // strings as UTF-8 without terminator; others as raw bytes
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Subkey names in the order the registry enumerates them.
    [[nodiscard]] virtual IoResult SubkeyNames(std::vector<std::string>& names) = 0;
    // Value names in the order the registry enumerates them.
    [[nodiscard]] virtual IoResult ValueNames(std::vector<std::string>& names) = 0;
    [[nodiscard]] virtual IoResult QueryValue(const std::string& name, RegistryValue& value) = 0;
    [[nodiscard]] virtual IoResult SetValue(const std::string& name,
                                            const RegistryValue& value) = 0;
    [[nodiscard]] virtual IoResult DeleteValue(const std::string& name) = 0;
    // Deletes a subkey that has no subkeys of its own.
    [[nodiscard]] virtual IoResult DeleteSubkey(const std::string& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens an existing key with full access; never creates it.
    [[nodiscard]] virtual IoResult OpenKey(RootKey root, const std::string& path,
                                           std::unique_ptr<RegistryKey>& key) = 0;
};

} // namespace quill::platform
