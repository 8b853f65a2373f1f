#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "settings/item_editors.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowFolderChildEditor(const DialogContext& context, TFormFolder& form);

} // namespace quill::win32app
