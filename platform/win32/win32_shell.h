#pragma once

#include "platform/shell.h"

#include <windows.h>

// The shell services on Win32. COM must be initialised on the calling thread.

namespace quill::platform {

class Win32Shell final : public Shell {
public:
    // owner: the window that owns any shell UI (may be null).
    explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}

    void EmptyRecycleBin() override;
    bool ClearUrlHistory() override;
    void ShowBusyCursor(bool busy) override;
    bool HideBrowserWindows() override;
    bool Open(const std::string& target, const std::string& parameters) override;
    bool OpenInBrowser(const std::string& page) override;
    bool ShowHelp(const std::string& helpFile, int context) override;

private:
    HWND owner_;
};

} // namespace quill::platform
