#pragma once

#include <cstdint>

// The local date and time, read from the system clock; tests fix it.

namespace quill::platform {

struct LocalTime {
    int year = 1899;
    int month = 12; // 1 to 12
    int day = 30;   // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class WallClock {
public:
    virtual ~WallClock() = default;
    [[nodiscard]] virtual LocalTime Now() = 0;
};

} // namespace quill::platform
