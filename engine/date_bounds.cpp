#include "engine/date_bounds.h"

#include "platform/calendar.h"

#include <cmath>

namespace quill {

using calendar::DaysFromCivil;

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

const std::int64_t kDay0 = DaysFromCivil(1899, 12, 30);

int Sign(std::int64_t a, std::int64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

TDateTime EncodeDate(int year, int month, int day) {
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) - kDay0);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<TDateTime>(ms) / kMsPerDay;
}

DayAndTime ToDayAndTime(const platform::LocalTime& t) {
    DayAndTime v;
    v.day = DaysFromCivil(t.year, t.month, t.day) - kDay0;
    v.ms = ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
    return v;
}

DateBounds::DateBounds(TDateTime before, TDateTime after)
    : before_(Prepare(before)), after_(Prepare(after)) {}

DateBounds::Bound DateBounds::Prepare(TDateTime value) {
    Bound b;
    if (value == 0 || !std::isfinite(value)) {
        return b;
    }
    b.set = true;
    const double whole = std::trunc(value);
    b.at.day = static_cast<std::int64_t>(whole);
    b.at.ms = std::llround(std::fabs(value - whole) * kMsPerDay);
    if (b.at.ms >= kMsPerDay) { // rounded up to midnight
        b.at.ms = 0;
        b.at.day += value > 0 ? 1 : -1;
    }
    if (whole == value) {
        b.kind = Kind::DateOnly;
    } else if (whole == 0) {
        b.kind = Kind::TimeOnly;
    }
    return b;
}

int DateBounds::Compare(const DayAndTime& value, const Bound& bound) {
    switch (bound.kind) {
    case Kind::DateOnly:
        return Sign(value.day, bound.at.day);
    case Kind::TimeOnly:
        return Sign(value.ms, bound.at.ms);
    case Kind::Full:
        break;
    }
    const int byDay = Sign(value.day, bound.at.day);
    return byDay != 0 ? byDay : Sign(value.ms, bound.at.ms);
}

bool DateBounds::Admits(const DayAndTime& value) const {
    if (before_.set && Compare(value, before_) > 0) {
        return false;
    }
    return !(after_.set && Compare(value, after_) < 0);
}

} // namespace quill
