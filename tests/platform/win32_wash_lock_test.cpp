// The Win32 wash lock's own cases: a named mutex left by a holder that ended
// without releasing it, and who may take the mutex.

#include "platform/win32/wide.h"
#include "platform/win32/win32_wash_lock.h"

#include <aclapi.h>
#include <sddl.h>
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

// Whichever program makes the mutex, elevated or not, the others of the
// session (authenticated users all) may take it.
TEST(Win32WashLock, EveryUserOfTheSessionMayTakeTheMutex) {
    std::wstring name = TestLockName();
    name += L".access";
    Win32WashLock lock(name);
    ASSERT_TRUE(lock.TryHold());
    HANDLE mutex = ::OpenMutexW(READ_CONTROL, FALSE, name.c_str());
    ASSERT_NE(mutex, nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(::GetSecurityInfo(mutex, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, nullptr, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    LPWSTR text = nullptr;
    ASSERT_TRUE(::ConvertSecurityDescriptorToStringSecurityDescriptorW(
        descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
    const std::wstring dacl = text;
    EXPECT_NE(dacl.find(L";;;AU)"), std::wstring::npos) << platform::win32::Narrow(dacl);
    ::LocalFree(text);
    ::LocalFree(descriptor);
    ::CloseHandle(mutex);
}

} // namespace
} // namespace quill::platform
