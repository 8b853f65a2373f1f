#include "support/test_env.h"

#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"

#include <atomic>

namespace quill::test {

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                    ::RemoveDirectoryW(path.c_str());
                } else {
                    RemoveTree(path);
                }
            } else {
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(h, &data));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(folder.c_str());
}

class Win32TestEnv final : public TestEnv {
public:
    Win32TestEnv() {
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH + 1];
        ::GetTempPathW(MAX_PATH, temp);
        std::wstring folder = temp;
        folder += L"quill-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(counter++);
        RemoveTree(folder);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        folder_ = folder;
        root_ = platform::win32::Narrow(folder) + "\\";
    }
    ~Win32TestEnv() override { RemoveTree(folder_); }

    platform::FileSystem& Fs() override { return fs_; }
    const std::string& Root() const override { return root_; }

private:
    platform::Win32FileSystem fs_;
    std::wstring folder_;
    std::string root_;
};

} // namespace

std::unique_ptr<TestEnv> MakeTestEnv() {
    return std::make_unique<Win32TestEnv>();
}

} // namespace quill::test
