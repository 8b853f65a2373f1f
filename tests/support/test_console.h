#pragma once

#include <windows.h>

#include <atomic>
#include <string>

// A console of the test's own, shared with the programs it starts, so that
// Ctrl+C reaches them as it does from a key press. The test itself lets each
// Ctrl+C pass: it only counts it.

namespace quill::test {

class TestConsole {
public:
    // The process's console, set up on first use. Wine starts a program whose
    // streams are no terminal without a usable console: it gets a new one,
    // its own standard handles kept.
    static TestConsole& Get();

    TestConsole(const TestConsole&) = delete;
    TestConsole& operator=(const TestConsole&) = delete;

    bool Ready() const { return ready_; }

    // Sends Ctrl+C to every program of the console; true once the test's own
    // handler has seen it within timeoutMs, so that it went out.
    bool SendCtrlC(DWORD timeoutMs);

private:
    TestConsole();
    static BOOL WINAPI CountCtrlC(DWORD event);

    static std::atomic<int> ctrlCSeen_;
    bool ready_ = false;
};

// A screen buffer of the test's console, handed to a program as its error
// output: the program then writes to a console, progress included, and the
// test reads what it shows.
class ScreenBuffer {
public:
    ScreenBuffer();
    ~ScreenBuffer();
    ScreenBuffer(const ScreenBuffer&) = delete;
    ScreenBuffer& operator=(const ScreenBuffer&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Inheritable, for a program's standard handles.
    HANDLE Handle() const { return handle_; }
    // The text shown (UTF-8): each row without its trailing blanks, rows
    // joined by line feeds, empty rows at the end left out.
    std::string Text() const;

private:
    HANDLE handle_;
};

} // namespace quill::test
