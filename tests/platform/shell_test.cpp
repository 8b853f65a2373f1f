// The shell services on the real system: the recycle bin is emptied.

#include "platform/wide_text.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/wide.h"
#include "platform/win32/win32_shell.h"

#include <string>

namespace quill::platform {
namespace {

// Wine keeps the recycle bin in the freedesktop trash named by XDG_DATA_HOME,
// which the test runner points into the build folder.
std::wstring TrashFolder() {
    wchar_t buf[1024];
    const DWORD n = ::GetEnvironmentVariableW(L"XDG_DATA_HOME", buf, 1024);
    if (n == 0 || n >= 1024 || buf[0] != L'/') {
        return {};
    }
    std::wstring path = L"Z:";
    for (DWORD i = 0; i < n; ++i) {
        path += buf[i] == L'/' ? L'\\' : buf[i];
    }
    return path + L"\\Trash";
}

TEST(Win32Shell, EmptyRecycleBinRemovesWhatIsInIt) {
    const std::wstring trash = TrashFolder();
    if (trash.empty()) {
        GTEST_SKIP() << "not running under the test runner's private trash";
    }
    ::CreateDirectoryW(trash.c_str(), nullptr);
    ::CreateDirectoryW((trash + L"\\files").c_str(), nullptr);
    ::CreateDirectoryW((trash + L"\\info").c_str(), nullptr);
    const std::wstring file = trash + L"\\files\\old.txt";
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);
    const std::string info = "[Trash Info]\nPath=/tmp/old.txt\nDeletionDate=2026-01-01T00:00:00\n";
    h = ::CreateFileW((trash + L"\\info\\old.txt.trashinfo").c_str(), GENERIC_WRITE, 0, nullptr,
                      CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, info.data(), static_cast<DWORD>(info.size()), &written, nullptr);
    ::CloseHandle(h);

    Win32Shell shell;
    shell.EmptyRecycleBin();
    EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace quill::platform
#endif
