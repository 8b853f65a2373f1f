#pragma once

#include "platform/file_system.h"
#include "platform/wall_clock.h"

// Conversion of file times to the local date and time; tests fix the zone.

namespace quill::platform {

class TimeZone {
public:
    virtual ~TimeZone() = default;
    // The local date and time of a UTC file time; false when it has none.
    [[nodiscard]] virtual bool ToLocalTime(FileTime utc, LocalTime& local) const = 0;
};

} // namespace quill::platform
