#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "settings/wildcard_dialogs.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowFilterSelectionDialog(const DialogContext& context, TFormselectbyfilter& form);

} // namespace quill::win32app
