#pragma once

#include "platform/shell.h"

#include <string>
#include <vector>

// A shell for tests: records what was asked of it.

namespace quill::platform {

class MemoryShell final : public Shell {
public:
    void EmptyRecycleBin() override { ++recycleBinEmptied; }
    bool ClearUrlHistory() override {
        ++historyCleared;
        return historyAvailable;
    }
    void ShowBusyCursor(bool busy) override { cursorChanges.push_back(busy); }
    bool HideBrowserWindows() override {
        ++browsersHidden;
        return shellWindowsAvailable;
    }
    bool Open(const std::string& target, const std::string& parameters) override {
        opened.push_back(target + "|" + parameters);
        return openSucceeds;
    }
    bool OpenInBrowser(const std::string& page) override {
        openedInBrowser.push_back(page);
        return browserAvailable;
    }

    // Recorded as "file#context".
    bool ShowHelp(const std::string& helpFile, int context) override {
        helpShown.push_back(helpFile + "#" + std::to_string(context));
        return true;
    }

    int recycleBinEmptied = 0;
    int historyCleared = 0;
    bool historyAvailable = true;
    int browsersHidden = 0;
    bool shellWindowsAvailable = true;
    std::vector<bool> cursorChanges;
    std::vector<std::string> opened;
    bool openSucceeds = true; // false: no program is associated
    std::vector<std::string> openedInBrowser;
    bool browserAvailable = true;
    std::vector<std::string> helpShown;
};

} // namespace quill::platform
