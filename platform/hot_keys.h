#pragma once

#include <cstdint>

// System-wide hot keys, delivered to the main window.

namespace quill::platform {

namespace modifier {
inline constexpr std::uint32_t Alt = 0x1;
inline constexpr std::uint32_t Control = 0x2;
inline constexpr std::uint32_t Shift = 0x4;
inline constexpr std::uint32_t Win = 0x8;
} // namespace modifier

class HotKeys {
public:
    virtual ~HotKeys() = default;

    // Registers hot key id for the virtual key and modifiers; false when the
    // combination is taken.
    [[nodiscard]] virtual bool Register(int id, std::uint32_t modifiers,
                                        std::uint32_t virtualKey) = 0;
    virtual void Unregister(int id) = 0;
};

} // namespace quill::platform
