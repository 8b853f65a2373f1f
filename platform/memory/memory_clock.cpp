#include "platform/memory/memory_clock.h"

namespace quill::platform {

namespace {

constexpr std::int64_t kTicksPerMs = 10000;
constexpr std::int64_t kMsPerDay = 86400000;

// Days from 1 January 1970 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

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
