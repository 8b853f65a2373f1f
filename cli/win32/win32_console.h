#pragma once

#include "cli/console_app.h"

#include <windows.h>

// The console front end's output on Windows: a console gets its text through
// WriteConsoleW, so that every character shows whatever the code page; a
// redirected stream gets the UTF-8 bytes. Ctrl+C and Ctrl+Break are caught
// while a run goes on.

namespace quill::cli {

class Win32Console final : public Console {
public:
    Win32Console();

    void Out(std::string_view text) override { Write(out_, outIsConsole_, text); }
    void Err(std::string_view text) override { Write(err_, errIsConsole_, text); }
    bool ShowsProgress() const override { return errIsConsole_; }
    bool Interrupted() const override;

    // From now on Ctrl+C and Ctrl+Break ask the run to stop instead of
    // ending the program; closing the console asks the same and holds the
    // program's end (a few seconds at most) until RunEnded.
    void CatchInterrupts();
    void RunEnded();

private:
    static void Write(HANDLE handle, bool isConsole, std::string_view text);

    HANDLE out_;
    HANDLE err_;
    bool outIsConsole_;
    bool errIsConsole_;
};

} // namespace quill::cli
