#pragma once

#include <cstdint>
#include <string>

// The list section shared by wash-item files and the order file: "Total"
// and one "Item" + k key per entry.

namespace quill {

inline constexpr const char* kListSection = "Common";
inline constexpr const char* kListTotal = "Total";
inline constexpr const char* kItemPrefix = "Item";

inline std::string ItemKey(std::int32_t k) {
    return kItemPrefix + std::to_string(k);
}

} // namespace quill
