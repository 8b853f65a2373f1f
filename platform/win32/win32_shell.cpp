// Win32 implementation of the shell services.

#include "platform/win32/win32_shell.h"

#include "platform/win32/wide.h"

#include <exdisp.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <urlhist.h>

#include <iterator>
#include <string>

namespace quill::platform {

namespace {

// The URL history store and its interface, defined here so that no GUID
// library is needed.
const CLSID kUrlHistoryClass = {
    0x3c374a40, 0xbae4, 0x11cf, {0xbf, 0x7d, 0x00, 0xaa, 0x00, 0x69, 0x46, 0xee}};
const IID kUrlHistoryStg2 = {
    0xafa0dc11, 0xc313, 0x11d0, {0x83, 0x1a, 0x00, 0xc0, 0x4f, 0xd5, 0xae, 0x38}};

// The shell windows collection and the browser interface of its items.
const CLSID kShellWindowsClass = {
    0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};
const IID kShellWindowsInterface = {
    0x85cb6900, 0x4d95, 0x11cf, {0x96, 0x0c, 0x00, 0x80, 0xc7, 0xf4, 0xee, 0x85}};
const IID kWebBrowser2 = {
    0xd30c1661, 0xcdaf, 0x11d0, {0x8a, 0x3e, 0x00, 0xc0, 0x4f, 0xc9, 0xe2, 0x6e}};

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

bool Win32Shell::HideBrowserWindows() {
    IShellWindows* windows = nullptr;
    if (FAILED(::CoCreateInstance(kShellWindowsClass, nullptr, CLSCTX_ALL, kShellWindowsInterface,
                                  reinterpret_cast<void**>(&windows))) ||
        !windows) {
        return false;
    }
    long count = 0;
    bool ok = SUCCEEDED(windows->get_Count(&count));
    for (long i = 0; ok && i < count; ++i) {
        VARIANT index;
        ::VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        IDispatch* item = nullptr;
        if (FAILED(windows->Item(index, &item))) {
            ok = false;
            break;
        }
        if (!item) {
            continue; // the window closed meanwhile
        }
        IWebBrowser2* browser = nullptr;
        if (SUCCEEDED(item->QueryInterface(kWebBrowser2, reinterpret_cast<void**>(&browser))) &&
            browser) {
            (void)browser->Stop();
            (void)browser->put_Visible(VARIANT_FALSE);
            browser->Release();
        }
        item->Release();
    }
    windows->Release();
    return ok;
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

bool Win32Shell::ShowHelp(const std::string& helpFile, int context) {
    // HTML Help lives in hhctrl.ocx, loaded when first asked for and kept:
    // its viewer window belongs to it.
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static const HtmlHelpFn htmlHelp = [] {
        const HMODULE module = ::LoadLibraryW(L"hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFn>(
                            reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")))
                      : nullptr;
    }();
    constexpr UINT kHelpContext = 0x000F; // HH_HELP_CONTEXT
    const std::wstring file = win32::Wide(helpFile);
    if (htmlHelp && htmlHelp(owner_, file.c_str(), kHelpContext, static_cast<DWORD_PTR>(context))) {
        return true;
    }
    return Open(helpFile, "");
}

bool Win32Shell::Open(const std::string& target, const std::string& parameters) {
    const std::wstring t = win32::Wide(target);
    const std::wstring p = win32::Wide(parameters);
    const auto r = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        owner_, L"open", t.c_str(), p.empty() ? nullptr : p.c_str(), nullptr, SW_SHOWNORMAL));
    return r > 32;
}

bool Win32Shell::OpenInBrowser(const std::string& page) {
    // The default web browser is the program that opens http addresses.
    wchar_t browser[MAX_PATH * 2] = {};
    DWORD size = static_cast<DWORD>(std::size(browser));
    if (FAILED(::AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, L"http", L"open",
                                   browser, &size))) {
        return false;
    }
    const std::wstring quoted = L"\"" + win32::Wide(page) + L"\"";
    const auto r = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner_, L"open", browser, quoted.c_str(), nullptr, SW_SHOWNORMAL));
    return r > 32;
}

} // namespace quill::platform
