#pragma once

#include "platform/clock.h"

// File times in the local time zone of the system, on the Win32 API.

namespace quill::platform {

class Win32TimeZone final : public TimeZone {
public:
    bool ToLocalTime(FileTime utc, LocalTime& local) const override;
};

} // namespace quill::platform
