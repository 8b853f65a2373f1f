#pragma once

#include "platform/io_result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The registry service. Keys are opened with full access and never created
// by the cleaning engine; names are UTF-8.
//
// Key paths are relative to their root; a leading or trailing backslash is
// ignored and the empty path names the root key itself. Key and value names
// compare without regard to letter case.

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
    // Strings as UTF-8 without terminator (a multi-string holds its strings
    // separated by a zero byte, without the final terminators); a DWORD as its
    // 4 bytes, least significant first; others as raw bytes.
    std::string data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// Builders and readers for the common value kinds.
[[nodiscard]] inline RegistryValue StringValue(std::string text) {
    return {ValueType::String, std::move(text)};
}
[[nodiscard]] inline RegistryValue ExpandStringValue(std::string text) {
    return {ValueType::ExpandString, std::move(text)};
}
[[nodiscard]] inline RegistryValue BinaryValue(std::string bytes) {
    return {ValueType::Binary, std::move(bytes)};
}
[[nodiscard]] inline RegistryValue DwordValue(std::uint32_t number) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    }
    return {ValueType::Dword, std::move(bytes)};
}
// The number of a DWORD value; 0 when the data is not 4 bytes.
[[nodiscard]] inline std::uint32_t DwordOf(const RegistryValue& value) {
    if (value.data.size() != 4) {
        return 0;
    }
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) {
        n = (n << 8) | static_cast<unsigned char>(value.data[i]);
    }
    return n;
}

class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Subkey names in the order the registry enumerates them.
    [[nodiscard]] virtual IoResult SubkeyNames(std::vector<std::string>& names) = 0;
    // Value names in the order the registry enumerates them. The default value
    // is listed under the empty name when it is set.
    [[nodiscard]] virtual IoResult ValueNames(std::vector<std::string>& names) = 0;
    // A missing value gives NotFound. The empty name is the default value.
    [[nodiscard]] virtual IoResult QueryValue(const std::string& name, RegistryValue& value) = 0;
    // Creates or replaces the value. A DWORD must carry exactly 4 bytes.
    [[nodiscard]] virtual IoResult SetValue(const std::string& name,
                                            const RegistryValue& value) = 0;
    // A missing value gives NotFound.
    [[nodiscard]] virtual IoResult DeleteValue(const std::string& name) = 0;
    // Deletes a subkey that has no subkeys of its own; one that has subkeys is
    // refused with AccessDenied and left as it is, a missing one gives NotFound.
    [[nodiscard]] virtual IoResult DeleteSubkey(const std::string& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens an existing key with full access; never creates it. A missing key
    // gives NotFound and leaves key empty.
    [[nodiscard]] virtual IoResult OpenKey(RootKey root, const std::string& path,
                                           std::unique_ptr<RegistryKey>& key) = 0;
    // Opens an existing key for reading only; never creates it. Reading needs
    // no more: a standard user may read keys under HKEY_LOCAL_MACHINE that
    // refuse full access. Changes through such a key give AccessDenied.
    [[nodiscard]] virtual IoResult OpenKeyForReading(RootKey root, const std::string& path,
                                                     std::unique_ptr<RegistryKey>& key) = 0;
    // Opens the key with full access, creating it and any missing parents.
    [[nodiscard]] virtual IoResult CreateKey(RootKey root, const std::string& path,
                                             std::unique_ptr<RegistryKey>& key) = 0;
};

} // namespace quill::platform
