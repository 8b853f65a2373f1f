#include "support/test_console.h"

#include "platform/win32/wide.h"

namespace quill::test {

std::atomic<int> TestConsole::ctrlCSeen_{0};

TestConsole& TestConsole::Get() {
    static TestConsole console;
    return console;
}

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

// Whether other programs are attached to the console: Ctrl+C would reach
// them too (a shell, the test runner).
bool SharedConsole() {
    DWORD ids[2] = {};
    return ::GetConsoleProcessList(ids, 2) > 1;
}

} // namespace

TestConsole::TestConsole() {
    if (::GetConsoleCP() == 0 || SharedConsole()) {
        // Wine leaves a program whose streams are no terminal a console
        // handle that leads nowhere: given up first, else no new console
        // can be had.
        constexpr DWORD kStreams[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
        HANDLE streams[3] = {};
        for (int i = 0; i < 3; ++i) {
            streams[i] = ::GetStdHandle(kStreams[i]);
        }
        const bool onConsole[3] = {IsConsole(streams[0]), IsConsole(streams[1]),
                                   IsConsole(streams[2])};
        ::FreeConsole();
        if (!::AllocConsole()) {
            return;
        }
        // The test's own streams still go where they went, but for those of
        // the console given up, which now are the new one's.
        for (int i = 0; i < 3; ++i) {
            if (!onConsole[i]) {
                ::SetStdHandle(kStreams[i], streams[i]);
            }
        }
    }
    // A handler function, unlike ignoring Ctrl+C, is not handed down to the
    // programs started.
    ready_ = ::SetConsoleCtrlHandler(CountCtrlC, TRUE) != 0;
}

BOOL WINAPI TestConsole::CountCtrlC(DWORD event) {
    if (event != CTRL_C_EVENT) {
        return FALSE;
    }
    ++ctrlCSeen_;
    return TRUE;
}

bool TestConsole::SendCtrlC(DWORD timeoutMs) {
    const int before = ctrlCSeen_;
    if (!ready_ || !::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
        return false;
    }
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (ctrlCSeen_ == before) {
        if (::GetTickCount64() >= end) {
            return false;
        }
        ::Sleep(5);
    }
    return true;
}

ScreenBuffer::ScreenBuffer() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    handle_ = ::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                          CONSOLE_TEXTMODE_BUFFER, nullptr);
}

ScreenBuffer::~ScreenBuffer() {
    if (Valid()) {
        ::CloseHandle(handle_);
    }
}

std::string ScreenBuffer::Text() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!Valid() || !::GetConsoleScreenBufferInfo(handle_, &info) || info.dwSize.X <= 0) {
        return {};
    }
    // The whole buffer in one read, row after row.
    const auto width = static_cast<std::size_t>(info.dwSize.X);
    std::wstring cells(width * static_cast<std::size_t>(info.dwSize.Y), L' ');
    DWORD read = 0;
    if (!::ReadConsoleOutputCharacterW(handle_, cells.data(), static_cast<DWORD>(cells.size()),
                                       COORD{0, 0}, &read)) {
        return {};
    }
    cells.resize(read);
    std::wstring rows;
    std::size_t shown = 0; // the length up to the last row with text
    for (std::size_t at = 0; at < cells.size(); at += width) {
        std::wstring row = cells.substr(at, width);
        row.erase(row.find_last_not_of(L' ') + 1);
        if (at > 0) {
            rows += L'\n';
        }
        rows += row;
        if (!row.empty()) {
            shown = rows.size();
        }
    }
    rows.resize(shown);
    return platform::win32::Narrow(rows);
}

} // namespace quill::test
