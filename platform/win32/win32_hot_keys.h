#pragma once

#include "platform/hot_keys.h"

#include <windows.h>

#include <cstdint>
#include <map>

// Hot keys registered for one window. Registrations asked for before the
// window exists are made as soon as it is given.

namespace quill::platform {

class Win32HotKeys final : public HotKeys {
public:
    void SetWindow(HWND window);

    bool Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void Unregister(int id) override;

private:
    struct Combination {
        std::uint32_t modifiers;
        std::uint32_t virtualKey;
    };
    HWND window_ = nullptr;
    std::map<int, Combination> pending_;
};

} // namespace quill::platform
