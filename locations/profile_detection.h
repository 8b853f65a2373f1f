#pragma once

#include "locations/path_macros.h"
#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Finding the browser's profile folder (a folder named *.slt) for the
// {netscape} macro: searched on the fixed drives or picked by hand, and
// stored in the settings file under the user's name.

namespace quill {

// A search of folders: for each include entry (drive root and mask) every
// folder whose attributes are exactly "directory", at any depth; found(folder,
// name) is called for each.
using FolderSearch = std::function<void(
    const std::vector<std::string>& includes,
    const std::function<void(const std::string& folder, const std::string& name)>& found)>;

struct DetectServices {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::SystemInfo& system;
    platform::Dialogs& dialogs;
    platform::Shell& shell;
    platform::FileDialogs& fileDialogs;
    const PathMacros& macros;
    std::string appDir; // with its trailing backslash
    FolderSearch search;
};

// The include entry of a drive letter: "X:\*.slt" for a fixed disk, else empty.
std::string DriveSearchPattern(platform::SystemInfo& system, char letter);

// Whether the detection dialog is due at start-up: detection on, a browser
// of version 7 or later registered, and no profile folder at {netscape}.
bool BrowserProfileCheckDue(const DetectServices& services);

class TFormDetect {
public:
    explicit TFormDetect(DetectServices services) : services_(std::move(services)) {}

    void SpeedButton3Click();                   // auto detect
    void SpeedButton4Click();                   // manually detect
    void SpeedButton1Click();                   // OK
    void SpeedButton2Click() { Closed = true; } // cancel
    // Every close: "Detect directory at load" := not CheckBox1.
    void FormClose();
    // Ticks one line; the others lose their tick.
    void Tick(std::int32_t line) { Ticked = line; }

    std::string Caption = "Detect Netscape Directory";
    std::vector<std::string> RxCheckListBox1;
    std::int32_t Ticked = -1;
    bool CheckBox1 = false;
    bool Closed = false;

private:
    DetectServices services_;
};

} // namespace quill
