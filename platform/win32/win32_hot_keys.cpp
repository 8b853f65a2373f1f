#include "platform/win32/win32_hot_keys.h"

namespace quill::platform {

void Win32HotKeys::SetWindow(HWND window) {
    window_ = window;
    if (!window_) {
        return;
    }
    for (const auto& [id, c] : pending_) {
        ::RegisterHotKey(window_, id, c.modifiers, c.virtualKey);
    }
    pending_.clear();
}

bool Win32HotKeys::Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    if (!window_) {
        pending_[id] = {modifiers, virtualKey};
        return true;
    }
    return ::RegisterHotKey(window_, id, modifiers, virtualKey) != FALSE;
}

void Win32HotKeys::Unregister(int id) {
    pending_.erase(id);
    if (window_) {
        ::UnregisterHotKey(window_, id);
    }
}

} // namespace quill::platform
