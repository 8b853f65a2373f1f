#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "settings/item_editors.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowWashItemEditor(const DialogContext& context, TFormAddEditItem& form);

} // namespace quill::win32app
