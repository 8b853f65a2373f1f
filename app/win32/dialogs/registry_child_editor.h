#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "settings/item_editors.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowRegistryChildEditor(const DialogContext& context, TFormRegister& form);

} // namespace quill::win32app
