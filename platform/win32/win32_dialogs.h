#pragma once

#include "platform/dialogs.h"

// Message dialogs as system message boxes, owned by a window.

namespace quill::platform {

class Win32Dialogs final : public Dialogs {
public:
    // owner: the window the boxes belong to (a HWND), or null.
    explicit Win32Dialogs(void* owner = nullptr) : owner_(owner) {}
    void SetOwner(void* owner) { owner_ = owner; }

    bool ShowMessage(MessageKind kind, const std::string& text) override;

private:
    void* owner_;
};

} // namespace quill::platform
