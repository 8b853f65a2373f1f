#pragma once

#include "platform/text.h"

#include <optional>
#include <string>
#include <string_view>

// How one line of an INI file reads, shared by the document and the file.

namespace quill::ini {

// The section name of a trimmed line, when it is a section line.
inline std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return text::Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// The key and value of a trimmed line, when it is a key line.
inline std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    if (line.empty() || line.front() == ';') {
        return std::nullopt;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{text::Trim(line.substr(0, eq)), text::Trim(line.substr(eq + 1))};
}

// One pair of matching quotes around a value is removed.
inline std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

// A line break inside a stored name or value would start a new line of the
// file and could forge keys; it is written as a blank instead.
inline std::string OneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

} // namespace quill::ini
