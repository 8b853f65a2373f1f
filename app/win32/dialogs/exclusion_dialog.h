#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "settings/exclusion_list.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowExclusionDialog(const DialogContext& context, TFormExcludeFile& form);

} // namespace quill::win32app
