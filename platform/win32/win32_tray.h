#pragma once

#include "platform/tray.h"

#include <windows.h>

// The notification-area icon of a window: shown with a tip, its mouse
// events sent to the window as the callback message.

namespace quill::platform {

class Win32Tray final : public Tray {
public:
    Win32Tray(HWND window, UINT callbackMessage, HICON icon);
    ~Win32Tray() override;
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;

    bool Show(const std::string& tip) override;
    // The shell restarted (TaskbarCreated) and lost every icon: adds it again.
    bool ShowAgain(const std::string& tip);
    void Hide() override;
    bool Visible() const override { return visible_; }

private:
    HWND window_;
    UINT callbackMessage_;
    HICON icon_;
    bool visible_ = false;
};

} // namespace quill::platform
