// Starts the program and times how long it takes until its wash item list
// (control 200 of the main window) holds the expected number of rows; then
// closes it. Windows only, run under Wine on a virtual display.
//
//   startup_probe PROGRAM.exe ROWS

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kChListBoxItem = 200;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe PROGRAM.exe ROWS\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const long rows = std::wcstol(argv[2], nullptr, 10);
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start the program (%lu)\n", ::GetLastError());
        return 1;
    }
    HWND window = nullptr;
    LRESULT shown = -1;
    bool filled = false;
    const DWORD began = ::GetTickCount();
    while (::GetTickCount() - began < 60000) {
        if (!window) {
            window = ::FindWindowW(L"TFormMainQLMR", nullptr);
        }
        if (window) {
            const HWND list = ::GetDlgItem(window, kChListBoxItem);
            DWORD_PTR count = 0;
            if (list &&
                ::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 1000, &count)) {
                shown = static_cast<LRESULT>(count);
                if (shown == rows) {
                    filled = true;
                    break;
                }
            }
        }
        ::Sleep(5);
    }
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&end);
    if (filled) {
        std::printf("%-44s %8.4f s   (goal <= 2 s)%s\n", "program start to filled list",
                    Seconds(start, end), Seconds(start, end) <= 2.0 ? "" : "   MISSED");
    } else {
        std::printf("the list showed %ld rows, not %ld, within 60 s\n", static_cast<long>(shown),
                    rows);
    }
    if (window) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return filled ? 0 : 1;
}
