// The main window's commands that open the settings dialogs.

#include "app/main_window.h"

namespace quill {

void TFormMainQLMR::btnsettingClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const PreferencesServices services{
        services_.fs, services_.registry, services_.clock, services_.dialogs, AppDir, ProgramPath};
    const RunSettingsLink link{UseQuick,
                               PromptBefore,
                               WriteToLog,
                               DeleteLogOnExit,
                               ScheduleFlags,
                               ScheduleMinutes,
                               LastTimedWash,
                               Timer1Enabled,
                               [this](bool on) { SetHotKeys(on); },
                               [this] { ShowFormDetect(); }};
    TFormPreferences dialog(services, link);
    try {
        Host().ShowModal(dialog);
    } catch (...) {
        ShowSummary();
        throw;
    }
    ShowSummary();
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
    try {
        Host().ShowModal(*FormDetect);
    } catch (...) {
        FormDetect->FormClose();
        throw;
    }
    FormDetect->FormClose();
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
