// The About dialog: the product and its version, the support address and
// the web site as links (a click writes a mail or opens the site), and
// Close.

#include "app/win32/dialogs/about_dialog.h"

#include "app/win32/dialogs/about_dialog_ids.h"
#include "app/win32/form_dialog.h"

namespace quill::win32app {

void ShowAboutDialog(const DialogContext& context, Taboutform& form) {
    using namespace dialog::about;
    FormDialog d(context.stack, context.instance, L"Taboutform", form.Caption, kWidth, kHeight);
    d.Label({kTextProduct, 7, 10, 186, 8}, form.LabelProduct);
    d.Label({kTextSupport, 7, 28, 40, 8}, "Support:");
    d.Link({kLinkSupport, 49, 28, 144, 9}, Taboutform::kSupport, [&] { form.LabelMailClick(); });
    d.Label({kTextWebSite, 7, 42, 40, 8}, "Web site:");
    d.Link({kLinkWebSite, 49, 42, 144, 9}, Taboutform::kWebSite, [&] { form.LabelWebClick(); });
    d.Button(
        {kButtonClose, 75, 66, 50, 14}, "&Close", [&] { form.btnCloseClick(); }, true);
    d.ShowModal([&] { return form.Closed; }, [&] { form.btnCloseClick(); });
}

} // namespace quill::win32app
