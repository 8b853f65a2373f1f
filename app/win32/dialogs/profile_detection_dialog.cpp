// The profile detection dialog: two lines of instructions, the folders
// found as a list whose lines carry radio marks, Auto and Manual top to
// bottom at its right, the "don't display" box, and OK and Cancel at the
// bottom right.

#include "app/win32/dialogs/profile_detection_dialog.h"

#include "app/win32/dialogs/profile_detection_dialog_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowProfileDetectionDialog(const DialogContext& context, TFormDetect& form) {
    using namespace dialog::profile_detection;
    FormDialog d(context.stack, context.instance, L"TFormDetect", form.Caption, kWidth, kHeight);
    d.Label({kTextFirstLine, 7, 7, 246, 8},
            "The Nescape have been detected on your computer,you can select");
    d.Label({kTextSecondLine, 7, 17, 246, 8},
            "the profile folder by clicking Auto  or  Manually Detect Folder button.");
    d.List({kListFolders, 7, 30, 210, 80}, form.RxCheckListBox1, form.Ticked, true);
    d.SmallButton({kButtonAuto, 221, 30, 32, 14}, "Auto", "Auto detect directory",
                  [&] { form.SpeedButton3Click(); });
    d.SmallButton({kButtonManual, 221, 48, 32, 14}, "Manual", "Manually detect directory",
                  [&] { form.SpeedButton4Click(); });
    d.Check({kCheckDontShow, 7, 116, 246, 10}, "Don't display the dialog  box next time ",
            form.CheckBox1);
    d.Button(
        {kButtonOk, 149, 131, 50, 14}, "&Ok", [&] { form.SpeedButton1Click(); }, true);
    d.Button({kButtonCancel, 203, 131, 50, 14}, "Can&cel", [&] { form.SpeedButton2Click(); });
    d.SetErrorHandler(context.onError);
    d.ShowModal([&] { return form.Closed; }, [&] { form.SpeedButton2Click(); });
}

} // namespace quill::win32app
