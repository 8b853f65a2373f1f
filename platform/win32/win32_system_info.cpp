#include "platform/win32/win32_system_info.h"

#include "platform/win32/wide.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <winnetwk.h>

#include <algorithm>

namespace quill::platform {

namespace {

using win32::Narrow;
using win32::Wide;

// A folder path without its trailing backslash, except for a drive root.
std::string WithoutTrailingSlash(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') {
        folder.pop_back();
    }
    return Narrow(folder);
}

// Calls a "fill this buffer" function of the GetWindowsDirectoryW kind, which
// returns the length without terminator, or the room needed when too small.
template <typename Fill> std::wstring WholeText(Fill fill) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const UINT len = fill(buffer.data(), static_cast<UINT>(buffer.size()));
        if (len == 0) {
            return {};
        }
        if (len < buffer.size()) {
            buffer.resize(len);
            return buffer;
        }
        buffer.assign(len + 1, L'\0');
    }
    return {};
}

} // namespace

std::string Win32SystemInfo::UserName() {
    std::wstring buffer(257, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD len = static_cast<DWORD>(buffer.size());
        const DWORD rc = ::WNetGetUserW(nullptr, buffer.data(), &len);
        if (rc == ERROR_MORE_DATA) {
            buffer.assign(std::max<std::size_t>(len, buffer.size() * 2) + 1, L'\0');
            continue;
        }
        if (rc != NO_ERROR) {
            return {};
        }
        const auto end = buffer.find(L'\0');
        if (end != std::wstring::npos) {
            buffer.resize(end);
        }
        return Narrow(buffer);
    }
    return {};
}

std::string Win32SystemInfo::WindowsFolder() {
    return WithoutTrailingSlash(
        WholeText([](wchar_t* buffer, UINT size) { return ::GetWindowsDirectoryW(buffer, size); }));
}

std::string Win32SystemInfo::SystemFolder() {
    return WithoutTrailingSlash(
        WholeText([](wchar_t* buffer, UINT size) { return ::GetSystemDirectoryW(buffer, size); }));
}

std::string Win32SystemInfo::TempFolder() {
    return WithoutTrailingSlash(WholeText([](wchar_t* buffer, UINT size) {
        return static_cast<UINT>(::GetTempPathW(static_cast<DWORD>(size), buffer));
    }));
}

std::string Win32SystemInfo::FolderOf(KnownFolder folder) {
    const KNOWNFOLDERID* id = nullptr;
    switch (folder) {
    case KnownFolder::UserProfile:
        id = &FOLDERID_Profile;
        break;
    case KnownFolder::CommonAppData:
        id = &FOLDERID_ProgramData;
        break;
    case KnownFolder::LocalAppDataLow:
        id = &FOLDERID_LocalAppDataLow;
        break;
    }
    PWSTR path = nullptr;
    // Not created when missing: a folder that is not there names nothing to
    // clean.
    const HRESULT hr = ::SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::wstring result = SUCCEEDED(hr) && path ? path : L"";
    ::CoTaskMemFree(path);
    return result.empty() ? std::string() : WithoutTrailingSlash(std::move(result));
}

DriveType Win32SystemInfo::DriveTypeOf(const std::string& root) {
    const UINT type = ::GetDriveTypeW(Wide(root).c_str());
    switch (type) {
    case DRIVE_NO_ROOT_DIR:
        return DriveType::NoRootDir;
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Remote;
    case DRIVE_CDROM:
        return DriveType::CdRom;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
}

std::vector<std::string> Win32SystemInfo::DriveRoots() {
    // The strings come as "A:\", zero, "C:\", zero, ..., zero.
    const std::wstring all = WholeText([](wchar_t* buffer, UINT size) {
        return static_cast<UINT>(::GetLogicalDriveStringsW(static_cast<DWORD>(size), buffer));
    });
    std::vector<std::string> roots;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find(L'\0', start);
        if (end == std::wstring::npos) {
            end = all.size();
        }
        if (end > start) {
            roots.push_back(Narrow(std::wstring_view(all).substr(start, end - start)));
        }
        start = end + 1;
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

} // namespace quill::platform
