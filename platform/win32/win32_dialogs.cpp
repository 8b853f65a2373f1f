#include "platform/win32/win32_dialogs.h"

#include "platform/win32/wide.h"

#include <windows.h>

namespace quill::platform {

bool Win32Dialogs::ShowMessage(MessageKind kind, const std::string& text) {
    UINT style = MB_OK;
    const wchar_t* caption = L"Information";
    switch (kind) {
    case MessageKind::Question:
        style = MB_YESNO | MB_ICONWARNING;
        caption = L"Warning";
        break;
    case MessageKind::Warning:
        style = MB_OK | MB_ICONWARNING;
        caption = L"Warning";
        break;
    case MessageKind::Error:
        style = MB_OK | MB_ICONERROR;
        caption = L"Error";
        break;
    case MessageKind::Information:
        style = MB_OK | MB_ICONINFORMATION;
        break;
    case MessageKind::Notice:
        break;
    }
    // Application-modal on its owner: only that window waits for the answer,
    // and only that one is enabled again afterwards.
    const HWND owner = owner_ ? static_cast<HWND>(owner_()) : nullptr;
    const int answer = ::MessageBoxW(owner, win32::Wide(text).c_str(), caption,
                                     style | (owner ? MB_APPLMODAL : MB_TASKMODAL));
    return kind == MessageKind::Question ? answer == IDYES : true;
}

} // namespace quill::platform
