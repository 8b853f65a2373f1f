#pragma once

#include "platform/text.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The editing steps the settings dialogs share on a list of lines with one
// selected line (index -1 for none).

namespace quill::lines {

// Appends the line unless one equal to it, ignoring letter case, is there.
inline void AppendUnlessListed(std::vector<std::string>& list, const std::string& line) {
    for (const std::string& existing : list) {
        if (text::EqualsNoCase(existing, line)) {
            return;
        }
    }
    list.push_back(line);
}

// Exchanges the selected line with its neighbour by (-1: up, +1: down); the
// line stays selected at its new place. Nothing at either end.
inline void MoveSelected(std::vector<std::string>& list, std::int32_t& index, int by) {
    const std::int32_t to = index + by;
    if (index < 0 || index >= static_cast<std::int32_t>(list.size()) || to < 0 ||
        to >= static_cast<std::int32_t>(list.size())) {
        return;
    }
    std::swap(list[static_cast<std::size_t>(index)], list[static_cast<std::size_t>(to)]);
    index = to;
}

// Removes the selected line; false when none is selected.
inline bool RemoveSelected(std::vector<std::string>& list, std::int32_t& index) {
    if (index < 0 || index >= static_cast<std::int32_t>(list.size())) {
        return false;
    }
    list.erase(list.begin() + index);
    index = -1;
    return true;
}

} // namespace quill::lines
