#pragma once

#include "help/context_ids.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/wall_clock.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The preferences dialog: start with Windows, the automatic washes, the two
// hot keys, the deletion method, logging and the prompt before cleaning.
// Applying writes the settings file and the Run value, then hands the main
// window its new run settings, so that every change takes effect at once.

namespace quill {

// The settings the main window runs with that the dialog shows and changes.
struct WindowRunSettings {
    bool UseQuick = true;
    bool PromptBefore = false;
    bool WriteToLog = true;
    bool DeleteLogOnExit = false;
    int ScheduleFlags = 0; // schedule::AtStart | AtShutdown | Timed
    std::int32_t ScheduleMinutes = 2;
};

// The main window's run settings as the dialog opens, and what the dialog
// asks of the window.
struct RunSettingsLink {
    WindowRunSettings Current;
    // The settings applied, once the settings file holds them.
    std::function<void(const WindowRunSettings&)> Applied;
    std::function<void(bool)> SetHotKeys;
    // Shows the profile detection dialog.
    std::function<void()> Redetect;
};

struct PreferencesServices {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::Dialogs& dialogs;
    std::string appDir;      // with its trailing backslash
    std::string programPath; // for the Run value
};

enum class PreferencesDirection { Load, Save };

class TFormPreferences {
public:
    static constexpr int kHelpContext = kHelpPreferences;
    static constexpr std::int32_t kMinMinutes = 2;
    static constexpr std::int32_t kMaxMinutes = 1000;

    // Loads every preference (TransferPreferences, load).
    TFormPreferences(PreferencesServices services, RunSettingsLink link);

    void TransferPreferences(PreferencesDirection direction);
    void SpeedButton1Click();                   // Apply
    void SpeedButton2Click() { Closed = true; } // Close
    void cbRunClick() { cbMiniEnabled = cbRun; }
    void SpeedButton4Click(); // Re-detect Netscape
    // The interval the field stands for: its number within 2 to 1000, 2 for
    // a text that is no number.
    std::int32_t MinutesValue() const;

    static std::vector<std::string> PageNames() { return {"Run", "Schedule", "HotKey", "Options"}; }
    static std::vector<std::string> ModifierTexts();
    static std::vector<std::string> LetterTexts();

    std::string Caption = "Preferences";
    std::int32_t ActivePage = 1; // "Schedule"
    bool cbRun = false;
    bool cbMini = false;
    bool cbMiniEnabled = false;
    bool cbDetect = true;
    bool rbWhenStart = false;
    bool rbWhenShutDown = false;
    bool rbEveryHour = false;
    std::string SpinEditMinuts = "10";
    std::int32_t cbControl = 3, cbChar = 5, cbControlNew = 1, cbCharNew = 3;
    bool ChEraseSafe = false;
    bool ChWritetolog = true;
    bool ChDeleteonExit = false;
    bool chPromptBeforeDelete = false;
    bool Closed = false;

private:
    PreferencesServices services_;
    RunSettingsLink link_;
};

} // namespace quill
