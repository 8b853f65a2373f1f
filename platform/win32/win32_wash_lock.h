#pragma once

#include "platform/wash_lock.h"
#include "platform/win32/wide.h"

#include <string>

// The wash lock of this Windows session: a named mutex, shared by the window
// and the console front end whichever of them starts first, elevated or not.
//
// A mutex belongs to the thread that took it: TryHold, Release and the end
// of a holding instance belong on one thread. A holder that ends without
// releasing (a crashed process, an ended thread) leaves the lock free for
// the next one.

namespace quill::platform {

class Win32WashLock final : public WashLock {
public:
    // The program's lock.
    static constexpr const wchar_t* kName = L"Local\\Quillmere.Wash";

    Win32WashLock() : Win32WashLock(kName) {}
    // A lock of another name (tests keep theirs apart from the program's).
    explicit Win32WashLock(std::wstring name);
    ~Win32WashLock() override;
    Win32WashLock(const Win32WashLock&) = delete;
    Win32WashLock& operator=(const Win32WashLock&) = delete;

    bool TryHold() override;
    void Release() override;
    bool Held() const override { return held_; }

private:
    std::wstring name_;
    win32::ScopedHandle mutex_;
    bool held_ = false;
};

} // namespace quill::platform
