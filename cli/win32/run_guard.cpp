#include "cli/win32/run_guard.h"

#include "app/win32/main_frame.h"

namespace quill::cli {

namespace {

// True when the program's window is open and busy with a run.
bool WindowRuns() {
    const HWND window = ::FindWindowW(win32app::MainFrame::kClassName, nullptr);
    if (!window) {
        return false;
    }
    const HWND exitButton = ::FindWindowExW(window, nullptr, L"Button", L"Exit");
    return exitButton && !::IsWindowEnabled(exitButton);
}

} // namespace

RunGuard::~RunGuard() {
    if (lock_) {
        if (held_) {
            ::ReleaseMutex(lock_);
        }
        ::CloseHandle(lock_);
    }
}

std::string RunGuard::WashBlocker() {
    if (WindowRuns()) {
        return "the Quillmere window is running a wash or preview: try again when it has ended";
    }
    if (!lock_) {
        lock_ = ::CreateMutexW(nullptr, FALSE, kWashLock);
    }
    if (lock_) {
        const DWORD got = ::WaitForSingleObject(lock_, 0);
        held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
        if (!held_) {
            return "another wash from the console is running: try again when it has ended";
        }
    }
    return "";
}

} // namespace quill::cli
