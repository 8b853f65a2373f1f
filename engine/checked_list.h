#pragma once

#include <string>
#include <vector>

namespace quill {

// One line of a preview list: a target text and whether it is ticked.
struct CheckedLine {
    std::string Text;
    bool Checked = true;
};

using CheckedList = std::vector<CheckedLine>;

} // namespace quill
