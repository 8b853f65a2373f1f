#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace quill::platform {

bool Win32TimeZone::ToLocalTime(FileTime utc, LocalTime& local) const {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(utc & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(utc >> 32);
    FILETIME localFt;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ft, &localFt) || !::FileTimeToSystemTime(&localFt, &st)) {
        return false;
    }
    local.year = st.wYear;
    local.month = st.wMonth;
    local.day = st.wDay;
    local.hour = st.wHour;
    local.minute = st.wMinute;
    local.second = st.wSecond;
    local.millisecond = st.wMilliseconds;
    return true;
}

} // namespace quill::platform
