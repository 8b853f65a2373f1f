// The folder/file entry editor, top to bottom: the name, Active, the three
// ways to name the files, each with its fields indented under its radio
// button, Include Subfolder, Remove the folders it leaves empty, and Help,
// Save and Cancel at the bottom right.
// The radio buttons come one after another in the Tab order: one Tab stop.

#include "app/win32/dialogs/folder_child_editor.h"

#include "app/win32/dialogs/folder_child_editor_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowFolderChildEditor(const DialogContext& context, TFormFolder& form) {
    using namespace dialog::folder_child_editor;
    FormDialog d(context.stack, context.instance, L"TFormFolder", form.Caption, kWidth, kHeight);
    d.Label({kTextName, 7, 7, 246, 8}, "Clean Folder/File Item name");
    d.Edit({kEditName, 7, 17, 246, 14}, form.EditItemName);
    d.Check({kCheckActive, 7, 36, 100, 10}, "Active", form.Chisactive);
    d.Radio({kRadioSingle, 7, 51, 246, 10}, "Clean single file", form.rbSingle, 1);
    d.Radio({kRadioFolder, 7, 82, 246, 10}, "Clean files matched  in folder ", form.rbFolder, 1);
    d.Radio({kRadioRegister, 7, 113, 246, 10},
            "Clean all files in the folder depended on registry key", form.rbRegister, 1);
    d.Edit({kEditSingle, 19, 63, 214, 14}, form.EditSingle);
    d.SmallButton({kButtonSelectFile, 237, 63, 16, 14}, "...", "Select Files by Filename",
                  [&] { form.btnSelectFileClick(); });
    d.Edit({kEditFolder, 19, 94, 214, 14}, form.EditFolder);
    d.SmallButton({kButtonAddWildcard, 237, 94, 16, 14}, "*", "Select Files by Wildcard",
                  [&] { form.btnAddWildcardClick(); });
    d.Label({kTextKeyName, 19, 126, 214, 8}, "Key Name");
    d.Edit({kEditRegister, 19, 136, 214, 14}, form.EditRegister);
    d.SmallButton({kButtonOpenRegistry, 237, 136, 16, 14}, "R", "Open Registry",
                  [&] { form.SpeedButton3Click(); });
    d.Label({kTextValueName, 19, 154, 214, 8}, "Value Name");
    d.Edit({kEditRegisterValue, 19, 164, 214, 14}, form.EditRegisterValue);
    d.Check({kCheckIncludeSubfolder, 7, 184, 150, 10}, "Include Subfolder",
            form.Chincludesubfolder);
    d.Check({kCheckRemoveEmptyFolders, 7, 197, 246, 10}, "Remove the folders it leaves empty",
            form.ChRemoveEmptyFolders);
    d.Button({kButtonHelp, 95, 212, 50, 14}, "&Help", [&] { form.SpeedButton4Click(); });
    d.Button(
        {kButtonSave, 149, 212, 50, 14}, "S&ave", [&] { form.SpeedButton1Click(); }, true);
    d.Button({kButtonCancel, 203, 212, 50, 14}, "Can&cel", [&] { form.SpeedButton2Click(); });
    d.OnHelp([&] { form.SpeedButton4Click(); });
    d.ShowModal([&] { return form.ModalResult_ != ModalResult::None; },
                [&] { form.SpeedButton2Click(); });
}

} // namespace quill::win32app
