// The filter selection dialog ("Select files by wildcard"): the folder
// chosen, the tree of folders, the wildcard box with its Edit Wildcard
// button, and OK (pressed by Enter) and Cancel at the bottom right.

#include "app/win32/dialogs/filter_selection_dialog.h"

#include "app/win32/dialogs/filter_selection_dialog_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowFilterSelectionDialog(const DialogContext& context, TFormselectbyfilter& form) {
    using namespace dialog::filter_selection;
    FormDialog d(context.stack, context.instance, L"TFormselectbyfilter", form.Caption, kWidth,
                 kHeight);
    d.Label({kTextFolder, 7, 7, 58, 8}, "Folder selected:");
    d.FieldLabel({kTextFolderPath, 67, 7, 156, 8}, form.labFolder);
    d.FolderTree({kTreeFolders, 7, 19, 216, 120}, form.SelectedFolder,
                 [&] { form.TreeSelectionChanged(form.SelectedFolder); });
    d.Label({kTextWildcard, 7, 147, 38, 8}, "Wildcard:");
    d.EditCombo({kComboWildcard, 47, 145, 156, 12}, form.ComboBox1Items, form.ComboBox1Text);
    d.SmallButton({kButtonEditWildcard, 207, 144, 16, 14}, "...", "Edit Wildcard",
                  [&] { form.SpeedButton1Click(); });
    d.Button(
        {kButtonOk, 119, 166, 50, 14}, "&Ok", [&] { form.Button1Click(); }, true);
    d.Button({kButtonCancel, 173, 166, 50, 14}, "Can&cel", [&] { form.Button2Click(); });
    d.OnHelp([&] { context.showHelp(TFormselectbyfilter::kHelpContext); });
    d.ShowModal([&] { return form.Closed; }, [&] { form.Button2Click(); });
}

} // namespace quill::win32app
