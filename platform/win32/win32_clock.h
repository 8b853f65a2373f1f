#pragma once

#include "platform/clock.h"
#include "platform/wall_clock.h"

// The local time zone and the local clock of the system, on the Win32 API.

namespace quill::platform {

class Win32TimeZone final : public TimeZone {
public:
    bool ToLocalTime(FileTime utc, LocalTime& local) const override;
};

class Win32WallClock final : public WallClock {
public:
    LocalTime Now() override;
};

} // namespace quill::platform
