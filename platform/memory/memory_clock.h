#pragma once

#include "platform/clock.h"

#include <cstdint>

// A time zone at a fixed distance from UTC, for tests.

namespace quill::platform {

class FixedOffsetTimeZone final : public TimeZone {
public:
    // Local time is UTC plus offsetMinutes (negative west of Greenwich).
    explicit FixedOffsetTimeZone(std::int32_t offsetMinutes = 0) : offsetMinutes_(offsetMinutes) {}

    bool ToLocalTime(FileTime utc, LocalTime& local) const override;

    // The file time of a UTC date and time, for arranging tests.
    static FileTime FromUtc(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0, int millisecond = 0);

private:
    std::int32_t offsetMinutes_;
};

} // namespace quill::platform
