#pragma once

#include <cstdint>

namespace quill {

// What a removal of ticked entries achieved: entries removed and entries
// that could not be.
struct RemovalCounts {
    std::int32_t removed = 0;
    std::int32_t failed = 0;
};

} // namespace quill
