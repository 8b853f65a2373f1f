// The preferences dialog: four pages in a tab control (Ctrl+Tab and
// Ctrl+Shift+Tab change them), Help, Apply and Close below. The interval is
// a number box with arrows and "minutes" after it; each hot key is two
// drop-down lists with "+" between them.

#include "app/win32/dialogs/preferences_dialog.h"

#include "app/win32/dialogs/preferences_dialog_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

namespace {

constexpr int kMinutesLow = 2;
constexpr int kMinutesHigh = 1000;

} // namespace

void ShowPreferencesDialog(const DialogContext& context, TFormPreferences& form) {
    using namespace dialog::preferences;
    FormDialog d(context.stack, context.instance, L"TFormPreferences", form.Caption, kWidth,
                 kHeight);
    const std::vector<std::string> pages = TFormPreferences::PageNames();
    d.Pages({kTabPages, 7, 7, 246, 116});

    d.Page(pages[0], form.ActivePage);
    d.Check({kCheckRun, 17, 29, 220, 10}, "Load at Windows startup", form.cbRun,
            [&] { form.cbRunClick(); });
    d.Check({kCheckMinimized, 29, 43, 208, 10}, "Run Minimized", form.cbMini, {},
            &form.cbMiniEnabled);
    d.Check({kCheckDetect, 17, 57, 220, 10}, "Detect Netscape  directory at load", form.cbDetect);
    d.Button({kButtonRedetect, 17, 74, 80, 14}, "Re-detect Netscape",
             [&] { form.SpeedButton4Click(); });

    d.Page(pages[1], form.ActivePage);
    d.Label({kTextSchedule, 17, 29, 220, 8}, "Run wash automatically ");
    d.Check({kCheckWhenStarted, 17, 43, 180, 10}, "When Windows is started", form.rbWhenStart);
    d.Check({kCheckWhenShutdown, 17, 57, 180, 10}, "When Windows is shutdown", form.rbWhenShutDown);
    d.Check({kCheckEvery, 17, 73, 34, 10}, "Every", form.rbEveryHour);
    d.Number({kEditMinutes, 53, 71, 40, 14}, kSpinMinutes, form.SpinEditMinuts, kMinutesLow,
             kMinutesHigh);
    d.Label({kTextMinutes, 97, 74, 50, 8}, "minutes");

    d.Page(pages[2], form.ActivePage);
    const std::vector<std::string> modifiers = TFormPreferences::ModifierTexts();
    const std::vector<std::string> letters = TFormPreferences::LetterTexts();
    d.Label({kTextCloseBrowsers, 17, 29, 220, 8}, "Close all Interner Explorer windows");
    d.Combo({kComboControl, 17, 40, 80, 12}, modifiers, form.cbControl);
    d.Label({kTextPlus, 101, 42, 8, 8}, "+");
    d.Combo({kComboChar, 111, 40, 40, 12}, letters, form.cbChar);
    d.Label({kTextWashChecked, 17, 63, 220, 8}, "Clean all the checked wash items");
    d.Combo({kComboControlNew, 17, 74, 80, 12}, modifiers, form.cbControlNew);
    d.Label({kTextPlusNew, 101, 76, 8, 8}, "+");
    d.Combo({kComboCharNew, 111, 74, 40, 12}, letters, form.cbCharNew);

    d.Page(pages[3], form.ActivePage);
    d.Check({kCheckEraseSafe, 17, 29, 220, 10}, "Use secure deleting file method (Slowly)",
            form.ChEraseSafe);
    d.Check({kCheckWriteToLog, 17, 43, 220, 10}, "Write wash operation to log file",
            form.ChWritetolog);
    d.Check({kCheckDeleteOnExit, 17, 57, 220, 10}, "Delete log file on exit", form.ChDeleteonExit);
    d.Check({kCheckPrompt, 17, 71, 220, 10}, "Prompt before clean", form.chPromptBeforeDelete);

    d.EndPages();
    d.Button({kButtonHelp, 95, 129, 50, 14}, "&Help",
             [&] { context.showHelp(TFormPreferences::kHelpContext); });
    d.Button(
        {kButtonApply, 149, 129, 50, 14}, "&Apply", [&] { form.SpeedButton1Click(); }, true);
    d.Button({kButtonClose, 203, 129, 50, 14}, "Cl&ose", [&] { form.SpeedButton2Click(); });
    d.OnHelp([&] { context.showHelp(TFormPreferences::kHelpContext); });
    // A failed save stays in the dialog, its error shown by the program's handler.
    d.SetErrorHandler(context.onError);
    d.ShowModal([&] { return form.Closed; }, [&] { form.SpeedButton2Click(); });
}

} // namespace quill::win32app
