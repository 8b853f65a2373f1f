#include "support/registry_env.h"

#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_info.h"

#include <atomic>

namespace quill::test {

namespace {

const wchar_t* const kTestRoot = L"Software\\QuillmereTest";

bool RunsUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class Win32RegistryEnv final : public RegistryEnv {
public:
    Win32RegistryEnv() {
        static std::atomic<int> counter{0};
        const std::wstring name =
            std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        path_ = std::wstring(kTestRoot) + L"\\" + name;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); // left from a crashed run
        HKEY h = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &h, nullptr) == ERROR_SUCCESS) {
            ::RegCloseKey(h);
        }
        base_ = platform::win32::Narrow(path_);
    }
    ~Win32RegistryEnv() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kTestRoot); // goes only once empty
    }

    platform::Registry& Registry() override { return registry_; }
    const std::string& Base() const override { return base_; }
    bool EnumeratesLikeWindows() const override { return !RunsUnderWine(); }

private:
    platform::Win32Registry registry_;
    std::wstring path_;
    std::string base_;
};

} // namespace

std::unique_ptr<RegistryEnv> MakeRegistryEnv() {
    return std::make_unique<Win32RegistryEnv>();
}

std::unique_ptr<platform::SystemInfo> MakeRealSystemInfo() {
    return std::make_unique<platform::Win32SystemInfo>();
}

} // namespace quill::test
