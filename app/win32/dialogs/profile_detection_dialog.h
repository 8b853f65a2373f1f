#pragma once

#include "app/win32/dialogs/dialog_context.h"
#include "locations/profile_detection.h"

namespace quill::win32app {

// Shows the dialog modally until its form closes it.
void ShowProfileDetectionDialog(const DialogContext& context, TFormDetect& form);

} // namespace quill::win32app
