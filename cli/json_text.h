#pragma once

#include <string>
#include <string_view>

// JSON text of the console front end.

namespace quill::cli {

// A JSON string literal (quotes included) holding text, which is UTF-8:
// quotes, backslashes and control characters escaped, every other character
// kept as it is. A byte that is no part of a well-formed UTF-8 sequence
// becomes U+FFFD, so the result is always valid JSON in valid UTF-8.
std::string JsonString(std::string_view text);

} // namespace quill::cli
