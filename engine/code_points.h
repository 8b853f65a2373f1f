#pragma once

#include <cstddef>
#include <string_view>

// Steps through UTF-8 text one character at a time, so that a wildcard
// standing for one character takes the whole of it.

namespace quill {

// Bytes of the character that starts at s[i]; a stray byte counts as one.
inline std::size_t CodePointLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (b >= 0xF0 && b < 0xF8) {
        n = 4;
    } else if (b >= 0xE0) {
        n = b < 0xF0 ? 3 : 1;
    } else if (b >= 0xC0) {
        n = 2;
    }
    if (i + n > s.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return n;
}

inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

} // namespace quill
