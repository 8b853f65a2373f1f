// The registry entry editor, top to bottom: the name, Active, the key with
// its Open Registry button, the three ways to clean it (the value name
// beside the first), and Help, Save and Cancel at the bottom right. The
// radio buttons come one after another in the Tab order: one Tab stop.

#include "app/win32/dialogs/registry_child_editor.h"

#include "app/win32/dialogs/registry_child_editor_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowRegistryChildEditor(const DialogContext& context, TFormRegister& form) {
    using namespace dialog::registry_child_editor;
    FormDialog d(context.stack, context.instance, L"TFormRegister", form.Caption, kWidth, kHeight);
    d.Label({kTextName, 7, 7, 246, 8}, "Clean regitry entry Item name");
    d.Edit({kEditName, 7, 17, 246, 14}, form.EditItemName);
    d.Check({kCheckActive, 7, 36, 100, 10}, "Active", form.Chisactive);
    d.Label({kTextKeyName, 7, 51, 226, 8}, "Registry key name");
    d.Edit({kEditKeyName, 7, 61, 226, 14}, form.EditKeyName);
    d.SmallButton({kButtonOpenRegistry, 237, 61, 16, 14}, "R", "Open Registry",
                  [&] { form.SpeedButton3Click(); });
    d.Radio({kRadioSingleValue, 7, 82, 246, 10}, "Clean single value of the key ",
            form.rbdeleteSingleValue, 1);
    d.Radio({kRadioAllValues, 7, 114, 246, 10}, "Clean all the value of the registry key",
            form.rbDeleteValue, 1);
    d.Radio({kRadioWholeKey, 7, 127, 246, 10}, "Clean the whole registry key ( Include subkey )",
            form.rbdeleteKey, 1);
    d.Label({kTextValueName, 19, 97, 44, 8}, "Value Name");
    d.Edit({kEditValueName, 65, 95, 188, 14}, form.EditSingleRegisterValue);
    d.Button({kButtonHelp, 95, 143, 50, 14}, "&Help", [&] { form.SpeedButton1Click(); });
    d.Button(
        {kButtonSave, 149, 143, 50, 14}, "&Save", [&] { form.btnSaveClick(); }, true);
    d.Button({kButtonCancel, 203, 143, 50, 14}, "Can&cel", [&] { form.btnCancelClick(); });
    d.OnHelp([&] { form.SpeedButton1Click(); });
    d.ShowModal([&] { return form.ModalResult_ != ModalResult::None; },
                [&] { form.btnCancelClick(); });
}

} // namespace quill::win32app
