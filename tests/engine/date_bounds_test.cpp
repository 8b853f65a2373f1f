// Date-time values, the three kinds of bound, and file times converted to
// local time through a fixed zone.

#include "engine/date_bounds.h"
#include "engine/find_file.h"
#include "platform/memory/memory_clock.h"
#include "platform/memory/memory_file_system.h"

#ifdef _WIN32
#include "platform/win32/win32_clock.h"
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <tuple>

namespace quill {
namespace {

using platform::FixedOffsetTimeZone;
using platform::LocalTime;

DayAndTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    LocalTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    t.millisecond = ms;
    return ToDayAndTime(t);
}

TEST(DateBounds, EncodesDaysSinceTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeTime(12, 0, 0), 0.5);
    EXPECT_EQ(At(2000, 1, 1, 6).day, 36526);
    EXPECT_EQ(At(2000, 1, 1, 6).ms, 6 * 3600000);
}

TEST(DateBounds, ZeroIsNoBound) {
    const DateBounds none(0, 0);
    EXPECT_FALSE(none.Active());
    EXPECT_TRUE(none.Admits(At(1601, 1, 1)));
    EXPECT_TRUE(DateBounds(EncodeDate(2024, 5, 1), 0).Active());
    EXPECT_TRUE(DateBounds(0, EncodeDate(2024, 5, 1)).Active());
}

TEST(DateBounds, ADateOnlyBoundTakesTheWholeDay) {
    const DateBounds before(EncodeDate(2024, 5, 1), 0);
    EXPECT_TRUE(before.Admits(At(2024, 5, 1, 23, 59, 59, 999)));
    EXPECT_TRUE(before.Admits(At(2024, 4, 30, 12)));
    EXPECT_FALSE(before.Admits(At(2024, 5, 2, 0, 0, 0, 0)));
    const DateBounds after(0, EncodeDate(2024, 5, 1));
    EXPECT_TRUE(after.Admits(At(2024, 5, 1, 0, 0, 0, 0)));
    EXPECT_FALSE(after.Admits(At(2024, 4, 30, 23, 59, 59, 999)));
    const DateBounds both(EncodeDate(2024, 5, 3), EncodeDate(2024, 5, 1));
    EXPECT_TRUE(both.Admits(At(2024, 5, 2, 15)));
    EXPECT_FALSE(both.Admits(At(2024, 5, 4, 0)));
}

TEST(DateBounds, ATimeOnlyBoundTakesEveryDay) {
    const DateBounds before(EncodeTime(12, 0, 0), 0);
    EXPECT_TRUE(before.Admits(At(1999, 1, 1, 11, 59)));
    EXPECT_TRUE(before.Admits(At(2030, 6, 6, 12, 0, 0, 0)));
    EXPECT_FALSE(before.Admits(At(2030, 6, 6, 12, 0, 0, 1)));
    const DateBounds after(0, EncodeTime(18, 30, 0));
    EXPECT_TRUE(after.Admits(At(2001, 2, 3, 18, 30)));
    EXPECT_FALSE(after.Admits(At(2001, 2, 3, 18, 29, 59)));
}

TEST(DateBounds, AFullBoundComparesDateAndTime) {
    const TDateTime noon = EncodeDate(2024, 5, 1) + EncodeTime(12, 0, 0);
    const DateBounds before(noon, 0);
    EXPECT_TRUE(before.Admits(At(2024, 5, 1, 12)));
    EXPECT_FALSE(before.Admits(At(2024, 5, 1, 12, 0, 1)));
    EXPECT_TRUE(before.Admits(At(2024, 4, 30, 23)));
    const DateBounds after(0, noon);
    EXPECT_TRUE(after.Admits(At(2024, 5, 2, 1)));
    EXPECT_FALSE(after.Admits(At(2024, 5, 1, 11, 59, 59, 999)));
}

TEST(FixedOffsetTimeZone, ShiftsUtcByItsOffset) {
    const auto utc = FixedOffsetTimeZone::FromUtc(2024, 2, 29, 23, 30, 15, 250);
    LocalTime t;
    ASSERT_TRUE(FixedOffsetTimeZone(60).ToLocalTime(utc, t));
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 30);
    EXPECT_EQ(t.second, 15);
    EXPECT_EQ(t.millisecond, 250);
    ASSERT_TRUE(FixedOffsetTimeZone(-300).ToLocalTime(utc, t));
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 18);
    ASSERT_TRUE(FixedOffsetTimeZone(0).ToLocalTime(0, t));
    EXPECT_EQ(t.year, 1601);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
}

#ifdef _WIN32
TEST(Win32TimeZone, AgreesWithTheSystemConversion) {
    const auto utc = FixedOffsetTimeZone::FromUtc(2021, 7, 14, 10, 20, 30, 400);
    FILETIME ft{static_cast<DWORD>(utc & 0xFFFFFFFFu), static_cast<DWORD>(utc >> 32)};
    FILETIME lft;
    SYSTEMTIME st;
    ASSERT_TRUE(::FileTimeToLocalFileTime(&ft, &lft));
    ASSERT_TRUE(::FileTimeToSystemTime(&lft, &st));
    LocalTime t;
    ASSERT_TRUE(platform::Win32TimeZone().ToLocalTime(utc, t));
    EXPECT_EQ(t.year, st.wYear);
    EXPECT_EQ(t.day, st.wDay);
    EXPECT_EQ(t.hour, st.wHour);
    EXPECT_EQ(t.minute, 20);
    EXPECT_EQ(t.millisecond, 400);
}

TEST(Win32WallClock, ReadsTheLocalClock) {
    auto key = [](const SYSTEMTIME& s) {
        return std::tuple(s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond,
                          s.wMilliseconds);
    };
    SYSTEMTIME before;
    SYSTEMTIME after;
    ::GetLocalTime(&before);
    const LocalTime now = platform::Win32WallClock().Now();
    ::GetLocalTime(&after);
    const auto read =
        std::tuple(now.year, now.month, now.day, now.hour, now.minute, now.second, now.millisecond);
    EXPECT_LE(key(before), read);
    EXPECT_LE(read, key(after));
}
#endif

// The search applies each pair to its own time, in local time.
class DatedSearch : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    FixedOffsetTimeZone zone{120}; // two hours east of UTC

    void SetUp() override {
        // late.txt: written 1 May 23:00 UTC, which is 2 May 01:00 local.
        fs.AddFile("C:\\d\\late.txt", "");
        fs.SetTimes("C:\\d\\late.txt", FixedOffsetTimeZone::FromUtc(2024, 1, 10, 8),
                    FixedOffsetTimeZone::FromUtc(2024, 6, 1, 9),
                    FixedOffsetTimeZone::FromUtc(2024, 5, 1, 23));
        // early.txt: written 1 May 08:00 UTC (10:00 local).
        fs.AddFile("C:\\d\\early.txt", "");
        fs.SetTimes("C:\\d\\early.txt", FixedOffsetTimeZone::FromUtc(2023, 1, 10, 8),
                    FixedOffsetTimeZone::FromUtc(2024, 5, 2, 9),
                    FixedOffsetTimeZone::FromUtc(2024, 5, 1, 8));
    }

    std::string Names(TFindFile& search) {
        std::string names;
        search.IncludeFiles = {"C:\\d\\*.txt"};
        search.OnFound = [&](const std::string&, const platform::FileEntry& e) {
            names += e.name + ";";
        };
        search.Execute();
        return names;
    }
};

TEST_F(DatedSearch, ModifiedBoundsUseLocalTime) {
    TFindFile search(fs, zone);
    search.ModifiedBefore = EncodeDate(2024, 5, 1);
    EXPECT_EQ(Names(search), "early.txt;");
    search.ModifiedBefore = 0;
    search.ModifiedAfter = EncodeDate(2024, 5, 2);
    EXPECT_EQ(Names(search), "late.txt;");
    search.ModifiedAfter = EncodeTime(9, 0, 0); // any day, from 09:00
    EXPECT_EQ(Names(search), "early.txt;");
}

TEST_F(DatedSearch, CreatedAndAccessedBoundsUseTheirOwnTimes) {
    TFindFile search(fs, zone);
    search.CreatedAfter = EncodeDate(2024, 1, 1);
    EXPECT_EQ(Names(search), "late.txt;");
    search.CreatedAfter = 0;
    search.AccessedBefore = EncodeDate(2024, 5, 31);
    EXPECT_EQ(Names(search), "early.txt;");
    search.AccessedAfter = EncodeDate(2024, 6, 1);
    EXPECT_EQ(Names(search), "");
}

TEST_F(DatedSearch, DateBoundsWithoutATimeZoneAreRefused) {
    TFindFile search(fs);
    search.ModifiedBefore = EncodeDate(2024, 5, 1);
    search.IncludeFiles = {"C:\\d\\*.txt"};
    EXPECT_THROW(search.Execute(), EFindFileError);
    EXPECT_FALSE(search.Busy());
    search.ModifiedBefore = 0;
    EXPECT_EQ(Names(search), "early.txt;late.txt;");
}

} // namespace
} // namespace quill
