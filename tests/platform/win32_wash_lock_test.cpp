// The Win32 wash lock's own cases: a named mutex left by a holder that ended
// without releasing it.

#include "platform/win32/win32_wash_lock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace quill::platform {
namespace {

std::wstring TestLockName() {
    std::wstring name = L"Local\\QuillmereTest.Abandoned.";
    name += std::to_wstring(::GetCurrentProcessId());
    return name;
}

TEST(Win32WashLock, AMutexItsHolderLeftBehindIsFree) {
    const std::wstring name = TestLockName();
    // A holder that takes the mutex and ends without releasing it, as a
    // crashed program would.
    HANDLE left = nullptr;
    std::thread crashed([&] {
        left = ::CreateMutexW(nullptr, FALSE, name.c_str());
        ::WaitForSingleObject(left, 0);
    });
    crashed.join();
    ASSERT_NE(left, nullptr);

    Win32WashLock next(name);
    EXPECT_TRUE(next.TryHold());
    Win32WashLock after(name);
    EXPECT_FALSE(after.TryHold());
    next.Release();
    EXPECT_TRUE(after.TryHold());
    ::CloseHandle(left);
}

} // namespace
} // namespace quill::platform
