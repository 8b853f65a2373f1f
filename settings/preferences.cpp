#include "settings/preferences.h"

#include "platform/ini_file.h"
#include "platform/registry_error.h"
#include "platform/text.h"
#include "settings/settings_file.h"

#include <algorithm>

namespace quill {

TFormPreferences::TFormPreferences(PreferencesServices services, RunSettingsLink link)
    : services_(std::move(services)), link_(std::move(link)) {
    TransferPreferences(PreferencesDirection::Load);
}

std::vector<std::string> TFormPreferences::ModifierTexts() {
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i <= 4; ++i) {
        texts.push_back(HotKeyModifierText(i));
    }
    return texts;
}

std::vector<std::string> TFormPreferences::LetterTexts() {
    std::vector<std::string> texts;
    for (char c = 'A'; c <= 'Z'; ++c) {
        texts.emplace_back(1, c);
    }
    return texts;
}

std::int32_t TFormPreferences::MinutesValue() const {
    const std::optional<std::int32_t> value = ParseInteger(text::Trim(SpinEditMinuts));
    return value ? std::clamp(*value, kMinMinutes, kMaxMinutes) : kMinMinutes;
}

void TFormPreferences::TransferPreferences(PreferencesDirection direction) {
    // Read once, or written with one replace of the file.
    SettingsFile file(services_.fs, services_.appDir, IniAccess::OneCommand);
    if (direction == PreferencesDirection::Load) {
        cbRun = file.Read(settings::AutoRun);
        cbMiniEnabled = cbRun;
        cbMini = file.Read(settings::IsMinimized);
        ChEraseSafe = !link_.UseQuick;
        rbWhenStart = (link_.ScheduleFlags & schedule::AtStart) != 0;
        rbWhenShutDown = (link_.ScheduleFlags & schedule::AtShutdown) != 0;
        rbEveryHour = (link_.ScheduleFlags & schedule::Timed) != 0;
        SpinEditMinuts =
            std::to_string(std::clamp(link_.ScheduleMinutes, kMinMinutes, kMaxMinutes));
        chPromptBeforeDelete = link_.PromptBefore;
        ChWritetolog = link_.WriteToLog;
        ChDeleteonExit = link_.DeleteLogOnExit;
        const HotKeySetting close = file.CloseHotKeyForDialog();
        cbControl = close.modifier;
        cbChar = close.letter;
        const HotKeySetting wash = file.WashHotKeyForDialog();
        cbControlNew = wash.modifier;
        cbCharNew = wash.letter;
        cbDetect = file.Read(settings::DetectAtLoad);
        return;
    }
    file.Write(settings::AutoRun, cbRun);
    try {
        SetRunAtStartup(services_.registry, cbRun, services_.programPath);
    } catch (const ERegistryException&) {
        file.Commit(); // the save stops here, with the tick stored
        throw;
    }
    file.Write(settings::IsMinimized, cbMini);
    link_.UseQuick = !ChEraseSafe;
    file.Write(settings::UseQuick, link_.UseQuick);
    int flags = 0;
    flags |= rbWhenStart ? schedule::AtStart : 0;
    flags |= rbWhenShutDown ? schedule::AtShutdown : 0;
    flags |= rbEveryHour ? schedule::Timed : 0;
    link_.ScheduleFlags = flags;
    link_.Timer1Enabled = rbEveryHour;
    if (rbEveryHour) {
        link_.LastTimedWash = services_.clock.Now();
    }
    link_.ScheduleMinutes = MinutesValue();
    file.Write(settings::ScheduleOption, FormatScheduleOption(flags));
    file.Write(settings::Minutes, link_.ScheduleMinutes);
    link_.PromptBefore = chPromptBeforeDelete;
    file.Write(settings::PromptBefore, link_.PromptBefore);
    link_.WriteToLog = ChWritetolog;
    link_.DeleteLogOnExit = ChDeleteonExit;
    file.Write(settings::WriteToLog, link_.WriteToLog);
    file.Write(settings::DeleteLogOnExit, link_.DeleteLogOnExit);
    file.Write(settings::CloseControl, cbControl);
    file.Write(settings::CloseChar, cbChar);
    file.Write(settings::WashControl, cbControlNew);
    file.Write(settings::WashChar, cbCharNew);
    file.Write(settings::DetectAtLoad, cbDetect);
    file.Commit();
    // Registration reads the keys from the file: once for the close key's
    // change, once for the wash key's.
    link_.SetHotKeys(false);
    link_.SetHotKeys(true);
    link_.SetHotKeys(false);
    link_.SetHotKeys(true);
}

void TFormPreferences::SpeedButton4Click() {
    if (link_.Redetect) {
        link_.Redetect();
    }
}

void TFormPreferences::SpeedButton1Click() {
    // The texts shown are compared: equal indices show equal texts.
    if (cbControl == cbControlNew && cbChar == cbCharNew) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                      "HotKey conflict,please setup again!");
        return;
    }
    TransferPreferences(PreferencesDirection::Save);
    Closed = true;
}

} // namespace quill
