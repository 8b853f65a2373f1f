// Times the real program through its window, as a user drives it: starts
// quillmere.exe in a prepared program folder whose first wash item has one
// folder/file child over a large tree, then
//   - "Preview Files of Current Item": from the click to the preview dialog
//     shown with every file listed;
//   - the dialog's Wash (quick removal): from the click until the dialog has
//     removed every file and closed.
// Prints the figures as "window preview: N files in X s" and
// "window wash: N files in X s" (run_window_bench.sh adds the engine's).
// "preview" closes the dialog instead of washing; "cancel MS" clicks the
// main window's Cancel button (real input) that long into the wash, and
// what is timed is the click until the removal has stopped and the dialog
// closed: "window cancel: took effect in X ms".
//
//   window_bench APPDIR [preview | cancel MS]
//       (APPDIR holds quillmere.exe and its data files)

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The main window's commands and the preview dialog's buttons.
constexpr int kSpMainCancel = 110;
constexpr int kBtnPreviewCurrentFolder = 400;
constexpr int kPreviewWash = 10;
constexpr int kPreviewClose = 11;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// Asks pred every pollMs until it holds. A question sent to the program is
// answered between its files, so the wash is asked seldom.
template <class Pred> bool WaitFor(Pred pred, double timeoutS, DWORD pollMs = 5) {
    const auto start = Clock::now();
    while (!pred()) {
        if (Since(start) > timeoutS) {
            return false;
        }
        ::Sleep(pollMs); // the machine's cores are the program's
    }
    return true;
}

std::wstring TextOf(HWND w) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                          5000, &copied);
    return buffer;
}

// The number after the last ": " of a caption ("... Total Files: 50000").
long CountIn(const std::wstring& caption) {
    const auto at = caption.rfind(L": ");
    return at == std::wstring::npos ? -1 : std::wcstol(caption.c_str() + at + 2, nullptr, 10);
}

// The status strip shows the summary line, not counters or search figures.
bool ShowsSummary(HWND status) {
    const std::wstring text = TextOf(status);
    const wchar_t* prefix = L"Washer Items Selected: ";
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// A click in the middle of the control, as real input.
void Click(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
}

int Fail(const char* what) {
    std::fprintf(stderr, "window_bench: %s\n", what);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench APPDIR [preview | cancel MS]\n");
        return 2;
    }
    std::wstring app = argv[1];
    if (app.back() != L'\\') {
        app += L'\\';
    }
    const std::wstring mode = argc > 2 ? argv[2] : L"";
    const bool previewOnly = mode == L"preview";
    const int cancelMs =
        mode == L"cancel" && argc > 3 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : -1;
    const std::wstring exe = app + L"quillmere.exe";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          app.c_str(), &si, &pi)) {
        return Fail("the program does not start");
    }
    HWND window = nullptr;
    HWND status = nullptr;
    const bool up = WaitFor(
        [&] {
            window = ::FindWindowW(L"TFormMainQLMR", nullptr);
            status = window ? ::FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
            return status && ::IsWindowVisible(window) && ShowsSummary(status);
        },
        30);
    if (!up) {
        ::TerminateProcess(pi.hProcess, 1);
        return Fail("the main window does not come up");
    }
    ::Sleep(500); // the first activation's work is done

    int code = 0;
    HWND dialog = nullptr;
    auto start = Clock::now();
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kBtnPreviewCurrentFolder, BN_CLICKED), 0);
    if (!WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewFolder", nullptr)); }, 600)) {
        code = Fail("no preview dialog");
    } else {
        const double preview = Since(start);
        const long files = CountIn(TextOf(dialog));
        std::printf("window preview: %ld files in %.3f s\n", files, preview);

        start = Clock::now();
        ::PostMessageW(dialog, WM_COMMAND,
                       MAKEWPARAM(previewOnly ? kPreviewClose : kPreviewWash, BN_CLICKED), 0);
        if (cancelMs >= 0) {
            ::Sleep(static_cast<DWORD>(cancelMs));
            HWND cancel = ::GetDlgItem(window, kSpMainCancel);
            Click(cancel);
            const auto clicked = Clock::now();
            // Taken: the button hides itself, and the removal loop looks at
            // the flag before every file.
            if (!WaitFor([&] { return !::IsWindowVisible(cancel); }, 30)) {
                code = Fail("Cancel is not taken");
            }
            std::printf("window cancel: took effect in %.0f ms\n", Since(clicked) * 1000);
        }
        // The removal has ended when the progress bar is full: the window
        // shows it before the dialog goes (closing a window takes Wine up to
        // two seconds on a display without a window manager).
        HWND progress = ::FindWindowExW(status, nullptr, PROGRESS_CLASSW, nullptr);
        const bool full =
            previewOnly || cancelMs >= 0 ||
            WaitFor(
                [&] {
                    DWORD_PTR max = 0, at = 0;
                    ::SendMessageTimeoutW(progress, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000,
                                          &max);
                    ::SendMessageTimeoutW(progress, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &at);
                    return max > 0 && at == max;
                },
                3600, 50);
        const double washed = Since(start);
        if (!full || !WaitFor([&] { return !::IsWindow(dialog); }, 3600)) {
            code = Fail("the wash does not end");
        } else if (!previewOnly && cancelMs < 0) {
            std::printf("window wash: %ld files in %.3f s\n", files, washed);
        }
    }
    std::fflush(stdout);
    // The counters show for two seconds; then the window may close.
    WaitFor([&] { return ShowsSummary(status); }, 30);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}
