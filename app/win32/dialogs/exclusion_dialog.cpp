// The exclusion list: the list with its six small buttons top to bottom at
// its right, and Help, Apply and Cancel at the bottom right.

#include "app/win32/dialogs/exclusion_dialog.h"

#include "app/win32/dialogs/exclusion_dialog_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowExclusionDialog(const DialogContext& context, TFormExcludeFile& form) {
    using namespace dialog::exclusion;
    FormDialog d(context.stack, context.instance, L"TFormExcludeFile", form.Caption, kWidth,
                 kHeight);
    d.Label({kTextList, 7, 7, 254, 8}, "Excludes the following files when Preview or Wash ");
    d.List({kListEntries, 7, 18, 254, 126}, form.TextListBox1, form.ItemIndex);
    constexpr int x = 265;
    constexpr int w = 38;
    d.SmallButton({kButtonWildcard, x, 18, w, 14}, "Wildcard", "Select Files Excluded by Wildcard",
                  [&] { form.Button6Click(); });
    d.SmallButton({kButtonFiles, x, 36, w, 14}, "Files...", "Select Files Excluded by Filename",
                  [&] { form.Button3Click(); });
    d.SmallButton({kButtonUp, x, 54, w, 14}, "Up", "Up a Item", [&] { form.btnUpClick(); });
    d.SmallButton({kButtonDown, x, 72, w, 14}, "Down", "Down a Item", [&] { form.btnDownClick(); });
    d.SmallButton({kButtonClear, x, 90, w, 14}, "Clear", "Delete all Items",
                  [&] { form.SpeedButton2Click(); });
    d.SmallButton({kButtonDelete, x, 108, w, 14}, "Delete", "Delete a Item",
                  [&] { form.Button5Click(); });
    d.Button({kButtonHelp, 145, 151, 50, 14}, "&Help", [&] { form.SpeedButton4Click(); });
    d.Button(
        {kButtonApply, 199, 151, 50, 14}, "A&pply", [&] { form.SpeedButton1Click(); }, true);
    d.Button({kButtonCancel, 253, 151, 50, 14}, "Can&cel", [&] { form.SpeedButton3Click(); });
    d.OnHelp([&] { form.SpeedButton4Click(); });
    d.SetErrorHandler(context.onError);
    d.ShowModal([&] { return form.Closed; }, [&] { form.SpeedButton3Click(); });
}

} // namespace quill::win32app
