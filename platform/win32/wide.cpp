#include "platform/win32/wide.h"

#include "platform/wide_text.h"

namespace quill::platform::win32 {

std::wstring Wide(std::string_view utf8) {
    const std::u16string u = text::ToUtf16(utf8);
    return std::wstring(u.begin(), u.end());
}

std::string Narrow(std::wstring_view wide) {
    const std::u16string u(wide.begin(), wide.end());
    return text::FromUtf16(u);
}

std::wstring WidePath(std::string_view utf8) {
    std::wstring w = Wide(utf8);
    if (w.size() >= MAX_PATH - 12 && w.size() > 2 && w[1] == L':' && w[2] == L'\\') {
        w.insert(0, L"\\\\?\\");
    }
    return w;
}

IoResult MapError(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return IoResult::Ok;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_NO_MORE_ITEMS: // an enumeration index past the end
    case ERROR_KEY_DELETED:   // an open registry key deleted meanwhile
        return IoResult::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_BAD_PATHNAME:
        return IoResult::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return IoResult::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return IoResult::SharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return IoResult::DiskFull;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return IoResult::AlreadyExists;
    default:
        return IoResult::Failed;
    }
}

} // namespace quill::platform::win32
