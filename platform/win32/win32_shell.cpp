// Win32 implementation of the shell services.

#include "platform/win32/win32_shell.h"

#include "platform/win32/wide.h"

#include <objbase.h>
#include <shellapi.h>
#include <urlhist.h>

namespace quill::platform {

namespace {

// The URL history store and its interface, defined here so that no GUID
// library is needed.
const CLSID kUrlHistoryClass = {
    0x3c374a40, 0xbae4, 0x11cf, {0xbf, 0x7d, 0x00, 0xaa, 0x00, 0x69, 0x46, 0xee}};
const IID kUrlHistoryStg2 = {
    0xafa0dc11, 0xc313, 0x11d0, {0x83, 0x1a, 0x00, 0xc0, 0x4f, 0xd5, 0xae, 0x38}};

using EmptyRecycleBinFn = HRESULT(WINAPI*)(HWND, LPCWSTR, DWORD);

} // namespace

void Win32Shell::EmptyRecycleBin() {
    HMODULE shell32 = ::LoadLibraryW(L"Shell32.dll");
    if (!shell32) {
        return;
    }
    // Through void* so the compiler accepts the cast from FARPROC.
    const auto empty = reinterpret_cast<EmptyRecycleBinFn>(
        reinterpret_cast<void*>(::GetProcAddress(shell32, "SHEmptyRecycleBinW")));
    if (empty) {
        (void)empty(owner_, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
    }
    ::FreeLibrary(shell32);
}

bool Win32Shell::ClearUrlHistory() {
    IUnknown* store = nullptr;
    if (FAILED(::CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&store))) ||
        !store) {
        return false;
    }
    IUrlHistoryStg2* history = nullptr;
    const HRESULT hr = store->QueryInterface(kUrlHistoryStg2, reinterpret_cast<void**>(&history));
    if (SUCCEEDED(hr) && history) {
        (void)history->ClearHistory();
        history->Release();
    }
    store->Release();
    return SUCCEEDED(hr) && history;
}

void Win32Shell::ShowBusyCursor(bool busy) {
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
}

bool Win32Shell::Open(const std::string& target, const std::string& parameters) {
    const std::wstring t = win32::Wide(target);
    const std::wstring p = win32::Wide(parameters);
    const auto r = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        owner_, L"open", t.c_str(), p.empty() ? nullptr : p.c_str(), nullptr, SW_SHOWNORMAL));
    return r > 32;
}

} // namespace quill::platform
