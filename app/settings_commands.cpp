// The main window's commands that open the settings dialogs.

#include "app/main_window.h"

#include "app/with_end.h"

namespace quill {

void TFormMainQLMR::btnsettingClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const PreferencesServices services{services_.fs, services_.registry, services_.dialogs, AppDir,
                                       ProgramPath};
    const RunSettingsLink link{
        WindowRunSettings{UseQuick, PromptBefore, WriteToLog, DeleteLogOnExit, ScheduleFlags,
                          ScheduleMinutes},
        [this](const WindowRunSettings& applied) { ApplyRunSettings(applied); },
        [this](bool on) { SetHotKeys(on); }, [this] { ShowFormDetect(); }};
    TFormPreferences dialog(services, link);
    WithEnd([&] { Host().ShowModal(dialog); }, [this] { ShowSummary(); });
}

void TFormMainQLMR::ApplyRunSettings(const WindowRunSettings& applied) {
    UseQuick = applied.UseQuick;
    PromptBefore = applied.PromptBefore;
    WriteToLog = applied.WriteToLog;
    DeleteLogOnExit = applied.DeleteLogOnExit;
    ScheduleFlags = applied.ScheduleFlags;
    ScheduleMinutes = applied.ScheduleMinutes;
    // The interval of the timed washes starts again.
    Timer1Enabled = (ScheduleFlags & schedule::Timed) != 0;
    if (Timer1Enabled) {
        LastTimedWash = services_.clock.Now();
    }
}

void TFormMainQLMR::btnExcludeClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    TFormExcludeFile dialog(services_.fs, AppDir, services_.fileDialogs, services_.shell, HelpFile,
                            [this] { return PickByWildcard(); });
    Host().ShowModal(dialog);
}

void TFormMainQLMR::SpeedButton3Click() {
    Taboutform about(services_.shell);
    Host().ShowModal(about);
}

void TFormMainQLMR::ShowFormDetect() {
    FormDetect->Closed = false;
    WithEnd([this] { Host().ShowModal(*FormDetect); }, [this] { FormDetect->FormClose(); });
}

std::optional<std::string> TFormMainQLMR::PickByWildcard() {
    TFormselectbyfilter dialog(services_.fs, AppDir, services_.dialogs, [this] {
        TFormWildcard wildcards(services_.fs, AppDir, services_.dialogs, services_.shell, HelpFile);
        Host().ShowModal(wildcards);
        return wildcards.Ok;
    });
    Host().ShowModal(dialog);
    if (!dialog.Ok) {
        return std::nullopt;
    }
    return dialog.Entry();
}

} // namespace quill
