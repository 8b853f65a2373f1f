#include "cli/win32/run_guard.h"

#include "app/win32/main_frame.h"

#include <windows.h>

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

const char* const kWindowRuns =
    "the Quillmere window is running a wash or preview: try again when it has ended";
const char* const kOtherWash =
    "another wash from the console is running: try again when it has ended";

} // namespace

std::string RunGuard::WashBlocker() {
    if (WindowRuns()) {
        return kWindowRuns;
    }
    if (!lock_.TryHold()) {
        // The window may have begun its run since it was looked at.
        return WindowRuns() ? kWindowRuns : kOtherWash;
    }
    return "";
}

} // namespace quill::cli
