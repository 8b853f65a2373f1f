#pragma once

#include <string>
#include <string_view>

// Text helpers shared by every subsystem. Text is UTF-8 in memory.

namespace quill::text {

// Removes leading and trailing blanks and control characters (bytes up to 0x20).
std::string_view Trim(std::string_view s);
std::string TrimCopy(std::string_view s);

// Upper-cases ASCII letters only.
std::string AsciiUpper(std::string_view s);

// Case-insensitive equality the way Windows compares file and profile names:
// ASCII letters, Latin-1, Latin Extended-A, Greek and Cyrillic fold to one case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The form of s under that comparison: equal texts fold to equal strings.
std::string FoldCaseCopy(std::string_view s);

// True when s is well-formed UTF-8 (surrogate code points included, so that
// text converted from unpaired UTF-16 surrogates stays valid).
bool IsUtf8(std::string_view s);

// Decodes a text file: UTF-8 when valid (a leading byte-order mark skipped),
// otherwise Windows-1252.
std::string DecodeFileText(std::string_view bytes);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t cp);

// The parts one after the other in one string, each appended in turn (the
// 32-bit compiler misreads "literal" + std::string as overlapping copies).
template <class... Parts> std::string Joined(const Parts&... parts) {
    std::string out;
    ((out += parts), ...);
    return out;
}

// Returns the first count code points of s (all of s when shorter).
std::string_view FirstCodePoints(std::string_view s, std::size_t count);

} // namespace quill::text
