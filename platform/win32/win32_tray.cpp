#include "platform/win32/win32_tray.h"

#include "platform/win32/wide.h"

#include <shellapi.h>

#include <cwchar>

namespace quill::platform {

namespace {

constexpr UINT kIconId = 1;

} // namespace

Win32Tray::Win32Tray(HWND window, UINT callbackMessage, HICON icon)
    : window_(window), callbackMessage_(callbackMessage), icon_(icon) {}

Win32Tray::~Win32Tray() {
    Hide();
}

bool Win32Tray::Show(const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    const std::wstring wide = win32::Wide(tip);
    std::wcsncpy(data.szTip, wide.c_str(), sizeof data.szTip / sizeof data.szTip[0] - 1);
    const DWORD action = visible_ ? NIM_MODIFY : NIM_ADD;
    visible_ = ::Shell_NotifyIconW(action, &data) != FALSE || visible_;
    return visible_;
}

bool Win32Tray::ShowAgain(const std::string& tip) {
    visible_ = false;
    return Show(tip);
}

void Win32Tray::Hide() {
    if (!visible_) {
        return;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    visible_ = false;
}

} // namespace quill::platform
