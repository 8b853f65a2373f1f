#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "settings/preferences.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowPreferencesDialog(const DialogContext& context, TFormPreferences& form);

} // namespace quill::win32app
