#pragma once

#include <string>
#include <string_view>

// Conversion between the program's UTF-8 and the UTF-16 of the Windows wide
// APIs. Lossless both ways: an unpaired surrogate in a file name survives as
// its generalised UTF-8 form (WTF-8), so such a file can still be named.

namespace quill::text {

std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

} // namespace quill::text
