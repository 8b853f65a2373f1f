#pragma once

#include "app/win32/main_frame_ids.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <commctrl.h>

#include <climits>
#include <string>
#include <string_view>

// What the tests on screen drive the real program with (Wine under Xvfb):
// the program started in a folder of the test's own, waits, the texts
// windows of another process give, keys, and clicks as real input.

namespace quill::test::window {

inline std::wstring ProgramBuilt() {
    std::string unix = QUILL_PROGRAM;
    for (char& c : unix) {
        c = c == '/' ? '\\' : c;
    }
    return platform::win32::Wide("Z:" + unix);
}

inline std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// Waits up to timeoutMs for pred to hold, pumping nothing of its own.
template <class Pred> bool WaitFor(Pred pred, DWORD timeoutMs = 15000) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        ::Sleep(50);
    }
    return true;
}

// Waits for the program's main window to show, its wash item list holding
// from minRows to maxRows rows; window and items are what was found.
inline bool WaitForMainWindow(HWND& window, HWND& items, int minRows = 0, int maxRows = INT_MAX) {
    return WaitFor([&] {
        window = ::FindWindowW(L"TFormMainQLMR", nullptr);
        items = window ? ::GetDlgItem(window, win32app::mainids::IDL_ITEMS) : nullptr;
        if (!items || !::IsWindowVisible(window)) {
            return false;
        }
        const auto rows = static_cast<int>(::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0));
        return rows >= minRows && rows <= maxRows;
    });
}

class Program {
public:
    explicit Program(const std::wstring& exe, const std::wstring& arguments = L"") {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        started_ = ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, FolderOf(exe).c_str(), &si, &pi_) != FALSE;
    }
    ~Program() {
        if (started_) {
            if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
                ::TerminateProcess(pi_.hProcess, 1);
            }
            ::CloseHandle(pi_.hThread);
            ::CloseHandle(pi_.hProcess);
        }
    }
    bool Started() const { return started_; }
    // The exit code once the process has ended within timeoutMs, else -1.
    long EndsWithin(DWORD timeoutMs) const {
        if (::WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        ::GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

inline int CountWindows() {
    int n = 0;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"TFormMainQLMR", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"TFormMainQLMR", nullptr)) {
        ++n;
    }
    return n;
}

// The text a window gives when asked (GetWindowText would only read the
// caption stored for a window of another process).
inline std::wstring TextOf(HWND w) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                          5000, &copied);
    return buffer;
}

// The status strip shows the summary line of one checked wash item.
inline bool ShowsSummary(HWND status) {
    const std::wstring text = TextOf(status);
    const std::wstring_view prefix = L"Washer Items Selected: 1 ";
    return text.size() >= prefix.size() &&
           std::wstring_view(text).substr(0, prefix.size()) == prefix;
}

inline bool RowChecked(HWND list, int row) {
    const auto state =
        static_cast<UINT>(::SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

inline void Press(HWND control, WPARAM key) {
    ::PostMessageW(control, WM_KEYDOWN, key, 1);
    ::PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

// A click of the left mouse button at a point of the window's client area,
// as real input: it reaches the window only if the window takes input.
inline void ClickAt(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    ::SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
}

// The same in the middle of the control.
inline void Click(HWND control) {
    RECT r{};
    ::GetClientRect(control, &r);
    ClickAt(control, r.right / 2, r.bottom / 2);
}

// The message box or common dialog (class #32770) owned by owner, if any.
inline HWND OwnedBox(HWND owner) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        if (::GetWindow(w, GW_OWNER) == owner && ::IsWindowVisible(w)) {
            return w;
        }
    }
    return nullptr;
}

// Any message box or common dialog on screen, and its owner.
inline HWND AnyBox(HWND* owner = nullptr) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        if (::IsWindowVisible(w)) {
            if (owner) {
                *owner = ::GetWindow(w, GW_OWNER);
            }
            return w;
        }
    }
    return nullptr;
}

// The text of a message box (its static control 0xFFFF).
inline std::wstring BoxText(HWND box) {
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : L"";
}

inline bool Enabled(HWND w) {
    return w && ::IsWindowEnabled(w) != FALSE;
}

} // namespace quill::test::window
