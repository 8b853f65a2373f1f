#include "cli/win32/win32_console.h"

#include "platform/win32/wide.h"

#include <algorithm>
#include <atomic>
#include <string>

namespace quill::cli {

namespace {

std::atomic<bool> g_interrupted{false};
// Set once the run that catches interrupts has ended.
HANDLE g_runEnded = nullptr;
// Windows ends a program about five seconds after its console was closed
// (or the session ended); the wait for the run stays within that.
constexpr DWORD kCloseWaitMs = 4500;

BOOL WINAPI OnControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        g_interrupted = true;
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        // The program ends with its console: the run stops between files,
        // as for Ctrl+C, and the program ends once it has, so that no file
        // is left half overwritten and the log is closed.
        g_interrupted = true;
        if (g_runEnded) {
            (void)::WaitForSingleObject(g_runEnded, kCloseWaitMs);
        }
        return FALSE;
    default:
        return FALSE;
    }
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           ::GetConsoleMode(handle, &mode) != 0;
}

} // namespace

Win32Console::Win32Console()
    : out_(::GetStdHandle(STD_OUTPUT_HANDLE)), err_(::GetStdHandle(STD_ERROR_HANDLE)),
      outIsConsole_(IsConsole(out_)), errIsConsole_(IsConsole(err_)) {}

bool Win32Console::Interrupted() const {
    return g_interrupted;
}

void Win32Console::CatchInterrupts() {
    if (!g_runEnded) {
        g_runEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ::SetConsoleCtrlHandler(OnControl, TRUE);
}

void Win32Console::RunEnded() {
    if (g_runEnded) {
        ::SetEvent(g_runEnded);
    }
}

void Win32Console::Write(HANDLE handle, bool isConsole, std::string_view text) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) {
        return;
    }
    if (isConsole) {
        const std::wstring wide = platform::win32::Wide(text);
        std::size_t done = 0;
        while (done < wide.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
            if (!::WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) ||
                written == 0) {
                return;
            }
            done += written;
        }
        return;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 65536));
        if (!::WriteFile(handle, text.data() + done, chunk, &written, nullptr) || written == 0) {
            return;
        }
        done += written;
    }
}

} // namespace quill::cli
