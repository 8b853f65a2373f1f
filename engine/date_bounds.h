#pragma once

#include "platform/wall_clock.h"

#include <cstdint>

// Date-time values and the bounds a search puts on file times.
//
// A date-time counts days since 30 December 1899; its fraction is the time
// of day. 0 means "no bound". A bound without a fraction is a date only and
// is compared with the date of the file's time (a "before" date passes the
// whole of that day); a bound without whole days is a time of day only and
// is compared with the time of day; any other bound with the full value.
// "Before" passes values up to and including the bound, "after" from the
// bound on.

namespace quill {

using TDateTime = double;

TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);

// A local date and time as days since 30 December 1899 and milliseconds
// into the day, compared exactly.
struct DayAndTime {
    std::int64_t day = 0;
    std::int64_t ms = 0;
};
DayAndTime ToDayAndTime(const platform::LocalTime& t);

// One pair of bounds, prepared once for every entry.
class DateBounds {
public:
    DateBounds() = default;
    DateBounds(TDateTime before, TDateTime after);

    // True when either bound is set.
    [[nodiscard]] bool Active() const { return before_.set || after_.set; }
    [[nodiscard]] bool Admits(const DayAndTime& value) const;

private:
    enum class Kind { DateOnly, TimeOnly, Full };
    struct Bound {
        bool set = false;
        Kind kind = Kind::Full;
        DayAndTime at;
    };
    static Bound Prepare(TDateTime value);
    // Negative, zero or positive as value lies before, on or after bound.
    static int Compare(const DayAndTime& value, const Bound& bound);

    Bound before_;
    Bound after_;
};

} // namespace quill
