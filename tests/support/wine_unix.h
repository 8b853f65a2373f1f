#pragma once

// The Unix side of a Wine test: the Unix path of a Windows path, and Unix
// programs started from inside Wine (to make links Windows cannot make).

#ifdef _WIN32

#include "platform/win32/wide.h"

#include <windows.h>

#include <string>

namespace quill::test {

// The Unix path of a Windows path; empty when not running under Wine.
inline std::string UnixPathOf(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!convert) {
        return {};
    }
    char* unix = convert(platform::win32::Wide(path).c_str());
    if (!unix) {
        return {};
    }
    std::string out = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return out;
}

// Runs a Unix program through Wine and waits for it.
inline bool RunUnix(const std::wstring& commandLine) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::wstring line = commandLine;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        return false;
    }
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

} // namespace quill::test

#endif
