#include "platform/text.h"

#include <array>

namespace quill::text {

namespace {

bool IsBlank(unsigned char c) {
    return c <= 0x20;
}

// Decodes the code point at s[i], advancing i. Returns false on malformed input.
bool NextCodePoint(std::string_view s, std::size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    int extra;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return false;
    }
    if (i + extra >= s.size()) {
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF) {
        return false;
    }
    i += extra + 1;
    return true;
}

// Folds a code point to lower case for the scripts named in the header.
char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 32;
    }
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs: even upper, odd lower, except a shifted run.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
            return (c % 2 == 1) ? c + 1 : c;
        }
        if (c == 0x178) {
            return 0xFF;
        }
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
        return c + 32; // Greek capitals
    }
    if (c >= 0x410 && c <= 0x42F) {
        return c + 32; // Cyrillic basic capitals
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80; // Cyrillic capitals with marks
    }
    return c;
}

constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::string_view Trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) {
        ++b;
    }
    while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) {
        --e;
    }
    return s.substr(b, e - b);
}

std::string TrimCopy(std::string_view s) {
    return std::string(Trim(s));
}

std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca < 0x80 && cb < 0x80) {
            if (FoldCase(ca) != FoldCase(cb)) {
                return false;
            }
            ++i;
            ++j;
            continue;
        }
        char32_t pa;
        char32_t pb;
        const std::size_t si = i;
        const std::size_t sj = j;
        if (!NextCodePoint(a, i, pa) || !NextCodePoint(b, j, pb)) {
            // Malformed text compares byte for byte from here on.
            return a.substr(si) == b.substr(sj);
        }
        if (FoldCase(pa) != FoldCase(pb)) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

std::string FoldCaseCopy(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        const std::size_t start = i;
        if (NextCodePoint(s, i, cp)) {
            AppendUtf8(out, FoldCase(cp));
        } else {
            out += s[start];
            i = start + 1;
        }
    }
    return out;
}

bool IsUtf8(std::string_view s) {
    std::size_t i = 0;
    char32_t cp;
    while (i < s.size()) {
        if (!NextCodePoint(s, i, cp)) {
            return false;
        }
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string DecodeFileText(std::string_view bytes) {
    if (IsUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
        }
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            AppendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string_view FirstCodePoints(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < s.size(); ++n) {
        char32_t cp;
        if (!NextCodePoint(s, i, cp)) {
            ++i; // a stray byte counts as one character
        }
    }
    return s.substr(0, i);
}

} // namespace quill::text
