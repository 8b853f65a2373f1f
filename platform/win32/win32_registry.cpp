#include "platform/win32/win32_registry.h"

#include "platform/win32/wide.h"

#include <vector>

namespace quill::platform {

namespace {

using win32::MapError;
using win32::Narrow;
using win32::ScopedKey;
using win32::Wide;

HKEY RootHandle(RootKey root) {
    switch (root) {
    case RootKey::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RootKey::CurrentUser:
        return HKEY_CURRENT_USER;
    case RootKey::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RootKey::Users:
        return HKEY_USERS;
    case RootKey::PerformanceData:
        return HKEY_PERFORMANCE_DATA;
    case RootKey::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case RootKey::DynData:
        return HKEY_DYN_DATA;
    }
    return HKEY_CURRENT_USER;
}

// The key path as the registry functions take it: relative, without leading
// or trailing backslashes.
std::wstring RelativePath(const std::string& path) {
    std::size_t b = 0;
    std::size_t e = path.size();
    while (b < e && path[b] == '\\') {
        ++b;
    }
    while (e > b && path[e - 1] == '\\') {
        --e;
    }
    return Wide(std::string_view(path).substr(b, e - b));
}

// Text of string data: up to the first terminator, or all of it when none.
std::wstring StringData(const std::vector<BYTE>& bytes) {
    std::wstring w(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.begin(), bytes.begin() + w.size() * sizeof(wchar_t),
              reinterpret_cast<BYTE*>(w.data()));
    const auto end = w.find(L'\0');
    if (end != std::wstring::npos) {
        w.resize(end);
    }
    return w;
}

// The strings of multi-string data, separated by one zero each, without the
// final terminators.
std::wstring MultiStringData(const std::vector<BYTE>& bytes) {
    std::wstring w(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.begin(), bytes.begin() + w.size() * sizeof(wchar_t),
              reinterpret_cast<BYTE*>(w.data()));
    while (!w.empty() && w.back() == L'\0') {
        w.pop_back();
    }
    return w;
}

class Win32RegistryKey final : public RegistryKey {
public:
    // A key opened for reading refuses changes itself: Windows would refuse
    // them for the handle's access, Wine lets them through.
    Win32RegistryKey(HKEY h, bool readOnly) : key_(h), readOnly_(readOnly) {}

    IoResult SubkeyNames(std::vector<std::string>& names) override {
        names.clear();
        DWORD maxLen = 0;
        const LSTATUS info =
            ::RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, nullptr, &maxLen, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr);
        if (info != ERROR_SUCCESS) {
            return MapError(static_cast<DWORD>(info));
        }
        std::vector<wchar_t> buffer(maxLen + 1);
        for (DWORD index = 0;;) {
            DWORD len = static_cast<DWORD>(buffer.size());
            const LSTATUS rc = ::RegEnumKeyExW(key_.Get(), index, buffer.data(), &len, nullptr,
                                               nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) {
                return IoResult::Ok;
            }
            if (rc == ERROR_MORE_DATA) { // a longer name was added meanwhile
                buffer.resize(buffer.size() * 2);
                continue;
            }
            if (rc != ERROR_SUCCESS) {
                return MapError(static_cast<DWORD>(rc));
            }
            names.push_back(Narrow(std::wstring_view(buffer.data(), len)));
            ++index;
        }
    }

    IoResult ValueNames(std::vector<std::string>& names) override {
        names.clear();
        DWORD maxLen = 0;
        const LSTATUS info =
            ::RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, &maxLen, nullptr, nullptr, nullptr);
        if (info != ERROR_SUCCESS) {
            return MapError(static_cast<DWORD>(info));
        }
        std::vector<wchar_t> buffer(maxLen + 1);
        for (DWORD index = 0;;) {
            DWORD len = static_cast<DWORD>(buffer.size());
            const LSTATUS rc = ::RegEnumValueW(key_.Get(), index, buffer.data(), &len, nullptr,
                                               nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) {
                return IoResult::Ok;
            }
            if (rc == ERROR_MORE_DATA) { // a longer name was added meanwhile
                buffer.resize(buffer.size() * 2);
                continue;
            }
            if (rc != ERROR_SUCCESS) {
                return MapError(static_cast<DWORD>(rc));
            }
            names.push_back(Narrow(std::wstring_view(buffer.data(), len)));
            ++index;
        }
    }

    IoResult QueryValue(const std::string& name, RegistryValue& value) override {
        value = {};
        const std::wstring wname = Wide(name);
        DWORD type = REG_NONE;
        DWORD size = 0;
        LSTATUS rc = ::RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) { // some keys can't tell the size
            return MapError(static_cast<DWORD>(rc));
        }
        std::vector<BYTE> bytes;
        for (;;) {
            // Room for a terminator the stored data may lack.
            bytes.resize(size + sizeof(wchar_t));
            DWORD got = static_cast<DWORD>(bytes.size());
            rc = ::RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, bytes.data(), &got);
            if (rc == ERROR_MORE_DATA) { // the value grew meanwhile
                size = got > size ? got : size * 2 + 16;
                continue;
            }
            if (rc != ERROR_SUCCESS) {
                return MapError(static_cast<DWORD>(rc));
            }
            bytes.resize(got);
            break;
        }
        value.type = static_cast<ValueType>(type);
        switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            value.data = Narrow(StringData(bytes));
            break;
        case REG_MULTI_SZ:
            value.data = Narrow(MultiStringData(bytes));
            break;
        default:
            value.data.assign(bytes.begin(), bytes.end());
            break;
        }
        return IoResult::Ok;
    }

    IoResult SetValue(const std::string& name, const RegistryValue& value) override {
        if (readOnly_) {
            return IoResult::AccessDenied;
        }
        const std::wstring wname = Wide(name);
        std::wstring text;
        const BYTE* data = nullptr;
        std::size_t size = 0;
        switch (value.type) {
        case ValueType::String:
        case ValueType::ExpandString:
        case ValueType::MultiString:
            text = Wide(value.data);
            text.push_back(L'\0');
            if (value.type == ValueType::MultiString) {
                text.push_back(L'\0');
            }
            data = reinterpret_cast<const BYTE*>(text.data());
            size = text.size() * sizeof(wchar_t);
            break;
        case ValueType::Dword:
            if (value.data.size() != 4) {
                return IoResult::Failed;
            }
            [[fallthrough]];
        default:
            data = reinterpret_cast<const BYTE*>(value.data.data());
            size = value.data.size();
            break;
        }
        const LSTATUS rc =
            ::RegSetValueExW(key_.Get(), wname.c_str(), 0, static_cast<DWORD>(value.type), data,
                             static_cast<DWORD>(size));
        return MapError(static_cast<DWORD>(rc));
    }

    IoResult DeleteValue(const std::string& name) override {
        if (readOnly_) {
            return IoResult::AccessDenied;
        }
        const LSTATUS rc = ::RegDeleteValueW(key_.Get(), Wide(name).c_str());
        return MapError(static_cast<DWORD>(rc));
    }

    IoResult DeleteSubkey(const std::string& name) override {
        if (readOnly_) {
            return IoResult::AccessDenied;
        }
        const std::wstring path = RelativePath(name);
        if (path.empty()) {
            return IoResult::Failed; // never the key itself
        }
        const LSTATUS rc = ::RegDeleteKeyW(key_.Get(), path.c_str());
        return MapError(static_cast<DWORD>(rc));
    }

private:
    ScopedKey key_;
    bool readOnly_;
};

IoResult OpenExisting(RootKey root, const std::string& path, REGSAM access,
                      std::unique_ptr<RegistryKey>& key) {
    key.reset();
    HKEY h = nullptr;
    const LSTATUS rc = ::RegOpenKeyExW(RootHandle(root), RelativePath(path).c_str(), 0, access, &h);
    if (rc != ERROR_SUCCESS) {
        return MapError(static_cast<DWORD>(rc));
    }
    key = std::make_unique<Win32RegistryKey>(h, access == KEY_READ);
    return IoResult::Ok;
}

} // namespace

IoResult Win32Registry::OpenKey(RootKey root, const std::string& path,
                                std::unique_ptr<RegistryKey>& key) {
    return OpenExisting(root, path, KEY_ALL_ACCESS, key);
}

IoResult Win32Registry::OpenKeyForReading(RootKey root, const std::string& path,
                                          std::unique_ptr<RegistryKey>& key) {
    return OpenExisting(root, path, KEY_READ, key);
}

IoResult Win32Registry::CreateKey(RootKey root, const std::string& path,
                                  std::unique_ptr<RegistryKey>& key) {
    key.reset();
    HKEY h = nullptr;
    const LSTATUS rc =
        ::RegCreateKeyExW(RootHandle(root), RelativePath(path).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    if (rc != ERROR_SUCCESS) {
        return MapError(static_cast<DWORD>(rc));
    }
    key = std::make_unique<Win32RegistryKey>(h, false);
    return IoResult::Ok;
}

} // namespace quill::platform
