// Win32 implementation of the file-system service. Only wide-character calls;
// every error code is read right after the failing call.

#include "platform/win32/win32_file_system.h"

#include "platform/win32/wide.h"

namespace quill::platform {

using win32::LastError;
using win32::ScopedHandle;
using win32::WidePath;

namespace {

FileTime ToFileTime(const FILETIME& ft) {
    return (static_cast<FileTime>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The folder part of a path, with its trailing backslash; empty when none.
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// ReplaceFileW keeps the replaced file's attributes on Windows; not every
// implementation does, so they are put back when they differ.
void RestoreAttributes(const std::wstring& path, DWORD attributes) {
    if (::GetFileAttributesW(path.c_str()) != attributes) {
        ::SetFileAttributesW(path.c_str(), attributes);
    }
}

IoResult WriteAll(HANDLE h, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(h, bytes.data() + done, chunk, &written, nullptr)) {
            return LastError();
        }
        if (written == 0) {
            return IoResult::DiskFull;
        }
        done += written;
    }
    return IoResult::Ok;
}

} // namespace

IoResult Win32FileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    ScopedHandle h(::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.Valid()) {
        return LastError();
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(h.Get(), &size)) {
        return LastError();
    }
    if (size.QuadPart > 0x40000000) {
        return IoResult::Failed; // no text file of ours is that large
    }
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        if (!::ReadFile(h.Get(), data.data() + done, static_cast<DWORD>(data.size() - done), &got,
                        nullptr)) {
            return LastError();
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    data.resize(done);
    bytes = std::move(data);
    return IoResult::Ok;
}

IoResult Win32FileSystem::ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const std::wstring target = WidePath(path);
    const DWORD oldAttributes = ::GetFileAttributesW(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        if (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
            return IoResult::AccessDenied;
        }
    } else {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            return win32::MapError(error);
        }
    }

    // The new content goes to a fresh file in the same folder first.
    std::string folder = FolderOf(path);
    if (folder.empty()) {
        folder = ".\\";
    }
    wchar_t temp[MAX_PATH + 1];
    if (!::GetTempFileNameW(WidePath(folder).c_str(), L"qm", 0, temp)) {
        return LastError();
    }
    IoResult result;
    {
        ScopedHandle h(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.Valid()) {
            result = LastError();
            ::DeleteFileW(temp);
            return result;
        }
        result = WriteAll(h.Get(), bytes);
        if (Succeeded(result) && !::FlushFileBuffers(h.Get())) {
            result = LastError();
        }
    }
    if (!Succeeded(result)) {
        ::DeleteFileW(temp);
        return result;
    }

    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        if (::ReplaceFileW(target.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                           nullptr)) {
            RestoreAttributes(target, oldAttributes);
            return IoResult::Ok;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
            error == ERROR_UNABLE_TO_REMOVE_REPLACED) {
            ::DeleteFileW(temp);
            return win32::MapError(error);
        }
    }
    if (!::MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        result = LastError();
        ::DeleteFileW(temp);
        return result;
    }
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        RestoreAttributes(target, oldAttributes);
    }
    return IoResult::Ok;
}

bool Win32FileSystem::Exists(const std::string& path) {
    return ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uint32_t Win32FileSystem::GetAttributes(const std::string& path) {
    return ::GetFileAttributesW(WidePath(path).c_str());
}

IoResult Win32FileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    if (!::SetFileAttributesW(WidePath(path).c_str(), attributes)) {
        return LastError();
    }
    return IoResult::Ok;
}

IoResult Win32FileSystem::Delete(const std::string& path) {
    if (!::DeleteFileW(WidePath(path).c_str())) {
        return LastError();
    }
    return IoResult::Ok;
}

IoResult Win32FileSystem::CreateFolder(const std::string& path) {
    if (!::CreateDirectoryW(WidePath(path).c_str(), nullptr)) {
        return LastError();
    }
    return IoResult::Ok;
}

IoResult Win32FileSystem::ListFolder(const std::string& folder, const Visitor& visit) {
    std::string pattern = folder;
    if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) {
        pattern += '\\';
    }
    pattern += '*';
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileExW(WidePath(pattern).c_str(), FindExInfoBasic, &data,
                                  FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // An empty folder has no entries at all on some file systems.
        return error == ERROR_FILE_NOT_FOUND ? IoResult::Ok : win32::MapError(error);
    }
    FileEntry e;
    do {
        const wchar_t* n = data.cFileName;
        if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) {
            continue;
        }
        e.name = win32::Narrow(n);
        e.attributes = data.dwFileAttributes;
        e.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        e.creationTime = ToFileTime(data.ftCreationTime);
        e.lastAccessTime = ToFileTime(data.ftLastAccessTime);
        e.lastWriteTime = ToFileTime(data.ftLastWriteTime);
        if (!visit(e)) {
            break;
        }
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
    return IoResult::Ok;
}

} // namespace quill::platform
