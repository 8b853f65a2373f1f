// Win32 implementation of the file-system service. Only wide-character calls;
// every error code is read right after the failing call.

#include "platform/win32/win32_file_system.h"

#include "platform/win32/wide.h"

#include <winternl.h>

#include <atomic>
#include <cstdio>
#include <vector>

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

// Attributes a file is created with: the old file's, never read-only (the
// temporary file must stay writable until it is renamed).
DWORD CreationAttributes(DWORD old) {
    if (old == INVALID_FILE_ATTRIBUTES) {
        return FILE_ATTRIBUTE_NORMAL;
    }
    const DWORD kept = old & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

// A name for a temporary file of this process, unique among its others.
std::string TempName() {
    static std::atomic<unsigned> counter{0};
    char unique[40];
    std::snprintf(unique, sizeof unique, "%lx-%lx-%x",
                  static_cast<unsigned long>(::GetCurrentProcessId()),
                  static_cast<unsigned long>(::GetTickCount()), counter++);
    return std::string(kTempPrefix) + unique + std::string(kTempSuffix);
}

bool IsTempName(const std::string& name) {
    return name.size() > kTempPrefix.size() + kTempSuffix.size() &&
           name.compare(0, kTempPrefix.size(), kTempPrefix) == 0 &&
           name.compare(name.size() - kTempSuffix.size(), kTempSuffix.size(), kTempSuffix) == 0;
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

IoResult Win32FileSystem::Stamp(const std::string& path, FileStamp& stamp) {
    stamp = {};
    // The attributes, not a handle: a stamp is taken before every read of a
    // settings file, and opening one costs a hundred times more.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) {
        return LastError();
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        return IoResult::AccessDenied;
    }
    const auto time = [](const FILETIME& t) {
        return (static_cast<FileTime>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.creation = time(data.ftCreationTime);
    stamp.lastWrite = time(data.ftLastWriteTime);
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

    // The new content goes to a fresh file in the same folder first, created
    // with the old file's attributes so that the rename carries them over.
    std::string folder = FolderOf(path);
    if (folder.empty()) {
        folder = ".\\";
    }
    std::wstring temp;
    ScopedHandle h;
    for (int attempt = 0; attempt < 16 && !h.Valid(); ++attempt) {
        temp = WidePath(folder + TempName());
        h.Reset(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              CreationAttributes(oldAttributes), nullptr));
        if (!h.Valid() && ::GetLastError() != ERROR_FILE_EXISTS) {
            return LastError();
        }
    }
    if (!h.Valid()) {
        return IoResult::AlreadyExists;
    }
    IoResult result = WriteAll(h.Get(), bytes);
    if (Succeeded(result) && !::FlushFileBuffers(h.Get())) {
        result = LastError();
    }
    h.Close();
    if (!Succeeded(result)) {
        ::DeleteFileW(temp.c_str());
        return result;
    }

    // One rename puts the new file in place of the old: there is no moment
    // without a file of that name, on NTFS and under Wine alike.
    // A reader or a virus scanner holding the old file a moment refuses the
    // rename on Windows: a few short retries, then the old file stays.
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(temp.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            break;
        }
        const DWORD error = ::GetLastError();
        if (attempt == 9 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
            ::DeleteFileW(temp.c_str());
            return win32::MapError(error);
        }
        ::Sleep(20);
    }
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        ::GetFileAttributesW(target.c_str()) != oldAttributes) {
        ::SetFileAttributesW(target.c_str(), oldAttributes);
    }
    return IoResult::Ok;
}

IoResult Win32FileSystem::RemoveStaleTempFiles(const std::string& folder, int& removed) {
    removed = 0;
    std::string base = folder;
    if (base.empty() || base.back() != '\\') {
        base += '\\';
    }
    std::vector<std::string> stale;
    const IoResult listed = ListFolder(folder, [&](const FileEntry& e) {
        if (!e.IsDirectory() && IsTempName(e.name)) {
            stale.push_back(e.name);
        }
        return true;
    });
    IoResult result = listed;
    for (const std::string& name : stale) {
        const std::wstring path = WidePath(base + name);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (::DeleteFileW(path.c_str())) {
            ++removed;
        } else if (Succeeded(result)) {
            result = LastError();
        }
    }
    return result;
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

// Attributes of an open file. Not GetFileInformationByHandle: that also asks
// for the volume's serial number, which costs Wine more than a delete.
bool AttributesOf(HANDLE h, DWORD& attributes) {
    FILE_BASIC_INFO basic;
    if (!::GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic)) {
        return false;
    }
    attributes = basic.FileAttributes;
    return true;
}

class Win32ExclusiveFile final : public FileSystem::ExclusiveFile {
public:
    explicit Win32ExclusiveFile(HANDLE h) : h_(h) {}
    Win32ExclusiveFile(const Win32ExclusiveFile&) = delete;
    Win32ExclusiveFile& operator=(const Win32ExclusiveFile&) = delete;
    ~Win32ExclusiveFile() override { (void)CloseOwned(h_); }

    IoResult Facts(FileSystem::OpenFileFacts& facts) override {
        DWORD attributes = 0;
        FILE_STANDARD_INFO standard;
        if (!AttributesOf(h_, attributes) ||
            !::GetFileInformationByHandleEx(h_, FileStandardInfo, &standard, sizeof standard)) {
            return LastError();
        }
        facts.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
        facts.reparsePoint = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        facts.linkCount = standard.NumberOfLinks;
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
    DWORD attributes = 0;
    if (AttributesOf(h, attributes) && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::CloseHandle(h);
        return IoResult::AccessDenied;
    }
    file = std::make_unique<Win32ExclusiveFile>(h);
    return IoResult::Ok;
}

// --- Working inside one folder ---

namespace {

// Opens the entry name of the folder held by root, relative to that handle:
// no path is walked again, and FILE_OPEN_REPARSE_POINT makes a link the
// link. Reports the system's error code through SetLastError.
HANDLE OpenEntry(HANDLE root, const std::string& name, ACCESS_MASK access, ULONG share,
                 ULONG options) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("\\/") != std::string::npos) {
        ::SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    std::wstring wide = win32::Wide(name);
    if (wide.size() * sizeof(wchar_t) > 0xFFF0) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    UNICODE_STRING unicode;
    unicode.Buffer = wide.data();
    unicode.Length = static_cast<USHORT>(wide.size() * sizeof(wchar_t));
    unicode.MaximumLength = unicode.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &unicode, OBJ_CASE_INSENSITIVE, root, nullptr);
    IO_STATUS_BLOCK status = {};
    HANDLE h = INVALID_HANDLE_VALUE;
    const NTSTATUS result = ::NtCreateFile(
        &h, access | SYNCHRONIZE, &attributes, &status, nullptr, 0, share, FILE_OPEN,
        options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    if (result < 0) {
        ::SetLastError(::RtlNtStatusToDosError(result));
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The path the system itself gives for an open handle; empty when it gives
// none.
std::wstring FinalPathOf(HANDLE h) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(length + 1, L'\0');
    }
    return {};
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

class Win32OpenFolder final : public FileSystem::OpenFolder {
public:
    Win32OpenFolder(HANDLE h, FolderId id) : h_(h), id_(id) {}

    FolderId Identity() const override { return id_; }

    // Opens the entry for a change. Windows opens a link as the link; a
    // system that still follows it (Wine with a Unix symbolic link) shows
    // the target's path on the handle: such an entry is refused, so that
    // nothing outside this folder is touched through it.
    HANDLE OpenForChange(const std::string& name, ACCESS_MASK access, ULONG share, ULONG options) {
        ScopedHandle entry(OpenEntry(h_.Get(), name, access, share, options));
        if (!entry.Valid()) {
            return INVALID_HANDLE_VALUE;
        }
        if (folderPath_.empty()) {
            folderPath_ = FinalPathOf(h_.Get());
            if (!folderPath_.empty() && folderPath_.back() != L'\\') {
                folderPath_ += L'\\';
            }
        }
        const std::wstring wide = win32::Wide(name);
        const std::wstring final = FinalPathOf(entry.Get());
        bool own = !folderPath_.empty() && SameText(final, folderPath_ + wide);
        if (!own && !folderPath_.empty()) {
            // Wine drops the dots and blanks that end a name from the path it
            // gives: the name without them must then not be this same file.
            std::wstring trimmed = wide;
            while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' ')) {
                trimmed.pop_back();
            }
            own = !trimmed.empty() && trimmed.size() < wide.size() &&
                  SameText(final, folderPath_ + trimmed) &&
                  !SameFile(entry.Get(), win32::Narrow(trimmed));
        }
        if (!own) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        return entry.Release();
    }

    // True when the entry name of this folder is the file open as h.
    bool SameFile(HANDLE h, const std::string& name) {
        ScopedHandle other(OpenEntry(h_.Get(), name, FILE_READ_ATTRIBUTES, kShareAll, 0));
        BY_HANDLE_FILE_INFORMATION a;
        BY_HANDLE_FILE_INFORMATION b;
        return other.Valid() && ::GetFileInformationByHandle(h, &a) &&
               ::GetFileInformationByHandle(other.Get(), &b) &&
               a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
               a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
    }

    std::uint32_t GetAttributes(const std::string& name) override {
        ScopedHandle entry(OpenEntry(h_.Get(), name, FILE_READ_ATTRIBUTES, kShareAll, 0));
        DWORD attributes = 0;
        if (!entry.Valid() || !AttributesOf(entry.Get(), attributes)) {
            return attr::Invalid;
        }
        return attributes;
    }

    IoResult SetAttributes(const std::string& name, std::uint32_t attributes) override {
        ScopedHandle entry(
            OpenForChange(name, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, 0));
        if (!entry.Valid()) {
            return LastError();
        }
        FILE_BASIC_INFO basic = {}; // times of 0 stay as they are
        basic.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
        if (!::SetFileInformationByHandle(entry.Get(), FileBasicInfo, &basic, sizeof basic)) {
            return LastError();
        }
        return IoResult::Ok;
    }

    IoResult Delete(const std::string& name) override {
        ScopedHandle entry(
            OpenForChange(name, DELETE | FILE_READ_ATTRIBUTES, kShareAll, FILE_NON_DIRECTORY_FILE));
        if (!entry.Valid()) {
            return LastError();
        }
        DWORD attributes = 0;
        if (!AttributesOf(entry.Get(), attributes)) {
            return LastError();
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return IoResult::AccessDenied;
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            return IoResult::AccessDenied; // also where the system would allow it
        }
        FILE_DISPOSITION_INFO disposition = {};
        disposition.DeleteFile = TRUE;
        if (!::SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &disposition,
                                          sizeof disposition)) {
            return LastError();
        }
        return IoResult::Ok;
    }

    IoResult OpenExclusive(const std::string& name,
                           std::unique_ptr<FileSystem::ExclusiveFile>& file) override {
        file.reset();
        ScopedHandle entry(OpenForChange(name, GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES, 0,
                                         FILE_NON_DIRECTORY_FILE));
        if (!entry.Valid()) {
            return LastError();
        }
        DWORD attributes = 0;
        if (AttributesOf(entry.Get(), attributes) && (attributes & FILE_ATTRIBUTE_READONLY)) {
            return IoResult::AccessDenied;
        }
        file = std::make_unique<Win32ExclusiveFile>(entry.Release());
        return IoResult::Ok;
    }

    IoResult RemoveEmptyFolder(const std::string& name) override {
        ScopedHandle entry(
            OpenForChange(name, DELETE | FILE_READ_ATTRIBUTES, kShareAll, FILE_DIRECTORY_FILE));
        if (!entry.Valid()) {
            // A file of that name is "not a directory" to the system.
            const IoResult r = LastError();
            return r == IoResult::NotFound ? r : IoResult::AccessDenied;
        }
        DWORD attributes = 0;
        if (!AttributesOf(entry.Get(), attributes)) {
            return IoResult::AccessDenied;
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            return IoResult::AccessDenied;
        }
        // The system refuses the deletion of a folder that holds anything.
        FILE_DISPOSITION_INFO disposition = {};
        disposition.DeleteFile = TRUE;
        if (!::SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &disposition,
                                          sizeof disposition)) {
            return IoResult::AccessDenied;
        }
        return IoResult::Ok;
    }

private:
    ScopedHandle h_;
    FolderId id_;
    std::wstring folderPath_; // the folder's own final path, with a backslash
};

// Opens a folder to hold it: others may read and write in it, but not
// rename or delete it meanwhile.
IoResult OpenFolderHandle(const std::string& path, ScopedHandle& h, FolderId& id) {
    h.Reset(::CreateFileW(WidePath(path).c_str(),
                          FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.Valid()) {
        return LastError();
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h.Get(), &info)) {
        return LastError();
    }
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        h.Close();
        return IoResult::PathNotFound;
    }
    id.volume = info.dwVolumeSerialNumber;
    id.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return IoResult::Ok;
}

} // namespace

IoResult Win32FileSystem::IdentifyFolder(const std::string& path, FolderId& id) {
    ScopedHandle h;
    return OpenFolderHandle(path, h, id);
}

IoResult Win32FileSystem::OpenFolderAt(const std::string& path,
                                       std::unique_ptr<OpenFolder>& folder) {
    folder.reset();
    ScopedHandle h;
    FolderId id;
    if (const IoResult r = OpenFolderHandle(path, h, id); !Succeeded(r)) {
        return r;
    }
    folder = std::make_unique<Win32OpenFolder>(h.Release(), id);
    return IoResult::Ok;
}

} // namespace quill::platform
