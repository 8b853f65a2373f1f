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

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// Appends the names of rest to out (which ends at a folder boundary), one
// backslash between them, dropping "." and stepping back on "..", never
// above the first floor characters of out.
void AppendNames(std::wstring& out, std::size_t floor, std::wstring_view rest) {
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsSeparator(rest[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        const std::wstring_view name = rest.substr(i, end - i);
        const bool trailing = end < rest.size();
        i = end;
        if (name.empty() || name == L".") {
            continue;
        }
        if (name == L"..") {
            if (out.size() > floor) {
                out.resize(out.size() - 1); // the backslash after the last name
                out.resize(std::max(floor, out.find_last_of(L'\\') + 1));
            }
            continue;
        }
        out.append(name);
        if (trailing) {
            out.push_back(L'\\');
        }
    }
}

} // namespace

std::wstring WidePath(std::string_view utf8) {
    const std::wstring w = Wide(utf8);
    const std::wstring_view v = w;
    std::wstring out;
    if (v.size() >= 4 && v[0] == L'\\' && v[1] == L'\\' && (v[2] == L'?' || v[2] == L'.') &&
        v[3] == L'\\') {
        return w; // already a device or long-form path: taken as it is
    }
    if (v.size() >= 3 && v[1] == L':' && IsSeparator(v[2])) {
        out = L"\\\\?\\";
        out.append(v.substr(0, 2)).push_back(L'\\');
        AppendNames(out, out.size(), v.substr(3));
        return out;
    }
    if (v.size() >= 3 && IsSeparator(v[0]) && IsSeparator(v[1]) && !IsSeparator(v[2])) {
        // \\server\share\...: the server and the share stay above "..".
        out = L"\\\\?\\UNC\\";
        std::size_t i = 2;
        for (int part = 0; part < 2 && i < v.size(); ++part) {
            std::size_t end = i;
            while (end < v.size() && !IsSeparator(v[end])) {
                ++end;
            }
            out.append(v.substr(i, end - i)).push_back(L'\\');
            i = end;
            while (i < v.size() && IsSeparator(v[i])) {
                ++i;
            }
        }
        AppendNames(out, out.size(), v.substr(std::min(i, v.size())));
        return out;
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
