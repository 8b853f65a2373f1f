#pragma once

#include "app/about_form.h"
#include "app/win32/dialogs/dialog_context.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowAboutDialog(const DialogContext& context, Taboutform& form);

} // namespace quill::win32app
