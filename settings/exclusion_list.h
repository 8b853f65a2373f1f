#pragma once

#include "help/context_ids.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/shell.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The exclusion dialog: the files no preview or wash may touch, one full
// path or folder-and-mask per line, kept in the settings file.

namespace quill {

class TFormExcludeFile {
public:
    static constexpr int kHelpContext = kHelpExclusionList;

    // pickByWildcard shows the filter selection dialog and gives the entry
    // it stands for (folder, backslash, mask), or nothing when cancelled.
    TFormExcludeFile(platform::FileSystem& fs, std::string appDir, platform::FileDialogs& files,
                     platform::Shell& shell, std::string helpFile,
                     std::function<std::optional<std::string>()> pickByWildcard);

    void Button6Click(); // add by wildcard
    void Button3Click(); // add by file selection
    void btnUpClick();
    void btnDownClick();
    void SpeedButton2Click();                   // delete all
    void Button5Click();                        // delete one
    void SpeedButton4Click();                   // help
    void SpeedButton1Click();                   // apply: save, then close
    void SpeedButton3Click() { Closed = true; } // cancel

    // Adds a line unless one equal to it, ignoring letter case, is there.
    void AddUnlessListed(const std::string& entry);
    bool CanAddByWildcard() const { return static_cast<bool>(pickByWildcard_); }

    std::string Caption = "Select Files to Exclude";
    std::vector<std::string> TextListBox1;
    std::int32_t ItemIndex = -1;
    bool Closed = false;

private:
    platform::FileSystem& fs_;
    std::string appDir_;
    platform::FileDialogs& files_;
    platform::Shell& shell_;
    std::string helpFile_;
    std::function<std::optional<std::string>()> pickByWildcard_;
};

} // namespace quill
