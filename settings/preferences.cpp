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
        const WindowRunSettings& current = link_.Current;
        ChEraseSafe = !current.UseQuick;
        rbWhenStart = (current.ScheduleFlags & schedule::AtStart) != 0;
        rbWhenShutDown = (current.ScheduleFlags & schedule::AtShutdown) != 0;
        rbEveryHour = (current.ScheduleFlags & schedule::Timed) != 0;
        SpinEditMinuts =
            std::to_string(std::clamp(current.ScheduleMinutes, kMinMinutes, kMaxMinutes));
        chPromptBeforeDelete = current.PromptBefore;
        ChWritetolog = current.WriteToLog;
        ChDeleteonExit = current.DeleteLogOnExit;
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
    WindowRunSettings applied;
    applied.UseQuick = !ChEraseSafe;
    file.Write(settings::UseQuick, applied.UseQuick);
    applied.ScheduleFlags |= rbWhenStart ? schedule::AtStart : 0;
    applied.ScheduleFlags |= rbWhenShutDown ? schedule::AtShutdown : 0;
    applied.ScheduleFlags |= rbEveryHour ? schedule::Timed : 0;
    applied.ScheduleMinutes = MinutesValue();
    file.Write(settings::ScheduleOption, FormatScheduleOption(applied.ScheduleFlags));
    file.Write(settings::Minutes, applied.ScheduleMinutes);
    applied.PromptBefore = chPromptBeforeDelete;
    file.Write(settings::PromptBefore, applied.PromptBefore);
    applied.WriteToLog = ChWritetolog;
    applied.DeleteLogOnExit = ChDeleteonExit;
    file.Write(settings::WriteToLog, applied.WriteToLog);
    file.Write(settings::DeleteLogOnExit, applied.DeleteLogOnExit);
    file.Write(settings::CloseControl, cbControl);
    file.Write(settings::CloseChar, cbChar);
    file.Write(settings::WashControl, cbControlNew);
    file.Write(settings::WashChar, cbCharNew);
    file.Write(settings::DetectAtLoad, cbDetect);
    file.Commit();
    // The window takes the settings only when they are stored: a save that
    // failed changes nothing.
    link_.Current = applied;
    if (link_.Applied) {
        link_.Applied(applied);
    }
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
