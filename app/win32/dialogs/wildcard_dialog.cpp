// The wildcard dialog ("Edit Wildcard"): the list with its four small
// buttons top to bottom at its right, the new wildcard (its hint inside the
// empty box, Enter there adds it) with its add button, and Help, OK and
// Cancel at the bottom right.

#include "app/win32/dialogs/wildcard_dialog.h"

#include "app/win32/dialogs/wildcard_dialog_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowWildcardDialog(const DialogContext& context, TFormWildcard& form) {
    using namespace dialog::wildcard;
    FormDialog d(context.stack, context.instance, L"TFormWildcard", form.Caption, kWidth, kHeight);
    d.Label({kTextList, 7, 7, 146, 8}, "Wildcard list:");
    d.List({kListWildcards, 7, 18, 146, 90}, form.ListBox1, form.ItemIndex);
    constexpr int x = 157;
    constexpr int w = 36;
    d.SmallButton({kButtonDelete, x, 18, w, 14}, "Delete", "Delete a item",
                  [&] { form.Button4Click(); });
    d.SmallButton({kButtonClear, x, 36, w, 14}, "Clear", "Delete all items",
                  [&] { form.SpeedButton1Click(); });
    d.SmallButton({kButtonUp, x, 54, w, 14}, "Up", "Up a item", [&] { form.SpeedButton3Click(); });
    d.SmallButton({kButtonDown, x, 72, w, 14}, "Down", "Down a item",
                  [&] { form.SpeedButton2Click(); });
    d.Label({kTextAdd, 7, 115, 146, 8}, "Add wildcard:");
    d.Edit({kEditNew, 7, 125, 146, 14}, form.Edit1, "Please enter a new  wildcard");
    d.SmallButton({kButtonAdd, x, 125, w, 14}, "+", "Add wildcard", [&] { form.SpNewClick(); });
    d.EnterPresses(kEditNew, kButtonAdd);
    d.Button({kButtonHelp, 35, 148, 50, 14}, "Help", [&] { form.Button1Click(); });
    d.Button(
        {kButtonOk, 89, 148, 50, 14}, "&Ok", [&] { form.btnOkClick(); }, true);
    d.Button({kButtonCancel, 143, 148, 50, 14}, "Can&cel", [&] { form.Button3Click(); });
    d.OnHelp([&] { context.showHelp(TFormWildcard::kHelpContext); });
    d.ShowModal([&] { return form.Closed; }, [&] { form.Button3Click(); });
}

} // namespace quill::win32app
