#include "platform/memory/memory_clock.h"

#include "platform/calendar.h"

namespace quill::platform {

using calendar::CivilFromDays;
using calendar::DaysFromCivil;

namespace {

constexpr std::int64_t kTicksPerMs = 10000;
constexpr std::int64_t kMsPerDay = 86400000;

// 1 January 1601 counted from 1 January 1970.
const std::int64_t kEpoch1601 = DaysFromCivil(1601, 1, 1);

} // namespace

bool FixedOffsetTimeZone::ToLocalTime(FileTime utc, LocalTime& local) const {
    if (utc > 0x7FFFFFFFFFFFFFFFull) {
        return false;
    }
    const std::int64_t ms = static_cast<std::int64_t>(utc) / kTicksPerMs +
                            static_cast<std::int64_t>(offsetMinutes_) * 60000;
    if (ms < 0) {
        return false;
    }
    const std::int64_t days = ms / kMsPerDay;
    std::int64_t rest = ms % kMsPerDay;
    CivilFromDays(kEpoch1601 + days, local.year, local.month, local.day);
    local.hour = static_cast<int>(rest / 3600000);
    rest %= 3600000;
    local.minute = static_cast<int>(rest / 60000);
    rest %= 60000;
    local.second = static_cast<int>(rest / 1000);
    local.millisecond = static_cast<int>(rest % 1000);
    return true;
}

FileTime FixedOffsetTimeZone::FromUtc(int year, int month, int day, int hour, int minute,
                                      int second, int millisecond) {
    const std::int64_t days = DaysFromCivil(year, month, day) - kEpoch1601;
    const std::int64_t ms =
        days * kMsPerDay + ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<FileTime>(ms * kTicksPerMs);
}

} // namespace quill::platform
