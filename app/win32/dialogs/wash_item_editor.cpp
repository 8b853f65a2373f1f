// The wash item editor: the name, the Active box and the file that holds
// the item, with Save and Cancel at the bottom right.

#include "app/win32/dialogs/wash_item_editor.h"

#include "app/win32/dialogs/wash_item_editor_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowWashItemEditor(const DialogContext& context, TFormAddEditItem& form) {
    using namespace dialog::wash_item_editor;
    FormDialog d(context.stack, context.instance, L"TFormAddEditItem", form.Caption, kWidth,
                 kHeight);
    d.Label({kTextName, 7, 7, 186, 8}, "Wash Item Name");
    d.Edit({kEditName, 7, 17, 186, 14}, form.Edititemname);
    d.Check({kCheckActive, 7, 36, 100, 10}, "Active", form.Chisactive);
    d.Label({kTextStoredIn, 7, 52, 186, 8}, "Stored in File:");
    d.Label({kTextStore, 7, 62, 186, 8}, form.LabelStore);
    d.Button(
        {kButtonSave, 89, 79, 50, 14}, "&Save", [&] { form.btnSaveClick(); }, true);
    d.Button({kButtonCancel, 143, 79, 50, 14}, "Can&cel", [&] { form.btncancelClick(); });
    d.OnHelp([&] { context.showHelp(TFormAddEditItem::kHelpContext); });
    d.ShowModal([&] { return form.ModalResult_ != ModalResult::None; },
                [&] { form.btncancelClick(); });
}

} // namespace quill::win32app
