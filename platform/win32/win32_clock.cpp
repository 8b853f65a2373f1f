#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace quill::platform {

namespace {

LocalTime FromSystemTime(const SYSTEMTIME& st) {
    LocalTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.millisecond = st.wMilliseconds;
    return t;
}

} // namespace

bool Win32TimeZone::ToLocalTime(FileTime utc, LocalTime& local) const {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(utc & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(utc >> 32);
    FILETIME localFt;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ft, &localFt) || !::FileTimeToSystemTime(&localFt, &st)) {
        return false;
    }
    local = FromSystemTime(st);
    return true;
}

LocalTime Win32WallClock::Now() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return FromSystemTime(st);
}

} // namespace quill::platform
