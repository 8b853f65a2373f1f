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
    // Closed however the visit ends, also when a visitor throws.
    struct FindCloser {
        HANDLE h;
        ~FindCloser() { ::FindClose(h); }
    } closer{h};
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
    return IoResult::Ok;
}

// --- Appending and exclusive writing ---

namespace {

// Closes a handle once; later calls find it closed and succeed.
IoResult CloseOwned(HANDLE& h) {
    if (h == INVALID_HANDLE_VALUE) {
        return IoResult::Ok;
    }
    const BOOL ok = ::CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
    return ok ? IoResult::Ok : LastError();
}

class Win32AppendStream final : public FileSystem::AppendStream {
public:
    Win32AppendStream(HANDLE h, bool created) : h_(h), created_(created) {}
    Win32AppendStream(const Win32AppendStream&) = delete;
    Win32AppendStream& operator=(const Win32AppendStream&) = delete;
    ~Win32AppendStream() override { (void)CloseOwned(h_); }

    bool Created() const override { return created_; }

    IoResult Write(std::string_view bytes) override {
        if (h_ == INVALID_HANDLE_VALUE) {
            return IoResult::Failed;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            DWORD written = 0;
            if (!::WriteFile(h_, bytes.data() + done, chunk, &written, nullptr)) {
                return LastError();
            }
            if (written == 0) {
                return IoResult::DiskFull;
            }
            done += written;
        }
        return IoResult::Ok;
    }

    IoResult Close() override { return CloseOwned(h_); }

private:
    HANDLE h_;
    bool created_;
};

class Win32ExclusiveFile final : public FileSystem::ExclusiveFile {
public:
    explicit Win32ExclusiveFile(HANDLE h) : h_(h) {}
    Win32ExclusiveFile(const Win32ExclusiveFile&) = delete;
    Win32ExclusiveFile& operator=(const Win32ExclusiveFile&) = delete;
    ~Win32ExclusiveFile() override { (void)CloseOwned(h_); }

    IoResult Facts(FileSystem::OpenFileFacts& facts) override {
        BY_HANDLE_FILE_INFORMATION info;
        if (!::GetFileInformationByHandle(h_, &info)) {
            return LastError();
        }
        facts.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        facts.reparsePoint = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        facts.linkCount = info.nNumberOfLinks;
        return IoResult::Ok;
    }

    IoResult WriteAt(std::uint64_t position, const char* data, std::uint32_t count,
                     std::uint32_t& written) override {
        written = 0;
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD done = 0;
        const BOOL ok = ::WriteFile(h_, data, count, &done, &at);
        written = done;
        return ok ? IoResult::Ok : LastError();
    }

    IoResult Flush() override { return ::FlushFileBuffers(h_) ? IoResult::Ok : LastError(); }

    IoResult DeleteByHandle() override {
        FILE_DISPOSITION_INFO disposition = {};
        disposition.DeleteFile = TRUE;
        if (!::SetFileInformationByHandle(h_, FileDispositionInfo, &disposition,
                                          sizeof disposition)) {
            return LastError();
        }
        return IoResult::Ok;
    }

    IoResult Close() override { return CloseOwned(h_); }

private:
    HANDLE h_;
};

} // namespace

// --- Reading in blocks ---

namespace {

class Win32ReadStream final : public FileSystem::ReadStream {
public:
    explicit Win32ReadStream(HANDLE h) : h_(h) {}

    IoResult Read(char* buffer, std::uint32_t capacity, std::uint32_t& got) override {
        DWORD done = 0;
        const BOOL ok = ::ReadFile(h_.Get(), buffer, capacity, &done, nullptr);
        got = done;
        return ok ? IoResult::Ok : LastError();
    }

private:
    ScopedHandle h_;
};

} // namespace

IoResult Win32FileSystem::OpenForReading(const std::string& path,
                                         std::unique_ptr<ReadStream>& stream) {
    stream.reset();
    HANDLE h =
        ::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    stream = std::make_unique<Win32ReadStream>(h);
    return IoResult::Ok;
}

IoResult Win32FileSystem::OpenForAppend(const std::string& path,
                                        std::unique_ptr<AppendStream>& stream) {
    stream.reset();
    // Readers (the browser showing the log) may look in while it is open.
    HANDLE h = ::CreateFileW(WidePath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;
    stream = std::make_unique<Win32AppendStream>(h, created);
    return IoResult::Ok;
}

IoResult Win32FileSystem::OpenExclusive(const std::string& path,
                                        std::unique_ptr<ExclusiveFile>& file) {
    file.reset();
    HANDLE h =
        ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    // A read-only file is never written, even where the system would let the
    // open through (Wine running as root).
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileInformationByHandle(h, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
        ::CloseHandle(h);
        return IoResult::AccessDenied;
    }
    file = std::make_unique<Win32ExclusiveFile>(h);
    return IoResult::Ok;
}

} // namespace quill::platform
