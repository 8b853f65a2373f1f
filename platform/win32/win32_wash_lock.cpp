#include "platform/win32/win32_wash_lock.h"

#include <sddl.h>

#include <mutex>
#include <set>
#include <utility>

namespace quill::platform {

namespace {

// The locks some instance of this process holds, by name. A mutex taken
// again by the thread that owns it is granted at once, so the mutex alone
// would let two instances of one thread both hold it.
class ProcessHolders {
public:
    // False when another instance of this process holds the lock.
    bool Claim(const std::wstring& name) {
        const std::lock_guard<std::mutex> guard(mutex_);
        return names_.insert(name).second;
    }
    void Leave(const std::wstring& name) {
        const std::lock_guard<std::mutex> guard(mutex_);
        names_.erase(name);
    }

private:
    std::mutex mutex_;
    std::set<std::wstring> names_;
};

// Never destroyed: a lock that ends with the process still finds it.
ProcessHolders& Holders() {
    static ProcessHolders* const holders = new ProcessHolders;
    return *holders;
}

// Every program of the session may wait on the mutex and release it, also
// when an elevated one made it: its default access would shut the others
// out. Made with the default access when the descriptor cannot be built.
HANDLE OpenOrCreate(const std::wstring& name) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;AU)", SDDL_REVISION_1, &descriptor, nullptr)) {
        attributes.lpSecurityDescriptor = descriptor;
    }
    HANDLE mutex = ::CreateMutexW(&attributes, FALSE, name.c_str());
    const DWORD error = mutex ? ERROR_SUCCESS : ::GetLastError();
    if (descriptor) {
        ::LocalFree(descriptor);
    }
    if (!mutex && error == ERROR_ACCESS_DENIED) {
        // Made by a program of higher rights: waiting and releasing suffice.
        mutex = ::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    }
    return mutex;
}

} // namespace

Win32WashLock::Win32WashLock(std::wstring name) : name_(std::move(name)) {}

Win32WashLock::~Win32WashLock() {
    Release();
}

bool Win32WashLock::TryHold() {
    if (held_) {
        return true;
    }
    if (!mutex_.Valid()) {
        mutex_.Reset(OpenOrCreate(name_));
        if (!mutex_.Valid()) {
            return false; // no lock to hold: no wash may count on being alone
        }
    }
    if (!Holders().Claim(name_)) {
        return false;
    }
    // WAIT_ABANDONED: the last holder ended without releasing; it is ours now.
    const DWORD got = ::WaitForSingleObject(mutex_.Get(), 0);
    held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    if (!held_) {
        Holders().Leave(name_);
    }
    return held_;
}

void Win32WashLock::Release() {
    if (!held_) {
        return;
    }
    ::ReleaseMutex(mutex_.Get());
    held_ = false;
    Holders().Leave(name_);
}

} // namespace quill::platform
