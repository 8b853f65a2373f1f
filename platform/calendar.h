#pragma once

#include <cstdint>

// Proleptic Gregorian calendar arithmetic shared by the file times, the
// search's date bounds and the log's stamps.

namespace quill::calendar {

// Days from 1 January 1970 to the given date (negative before it).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

// The date of a day counted from 1 January 1970.
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);

} // namespace quill::calendar
