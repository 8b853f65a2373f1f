#pragma once

#include "platform/dialogs.h"

#include <functional>

// Message dialogs as system message boxes, owned by the window that has the
// input when each is shown.

namespace quill::platform {

class Win32Dialogs final : public Dialogs {
public:
    // Names the window (a HWND, or null) a box belongs to when it is shown:
    // the one that has the input then, which the box gives it back to.
    using OwnerSource = std::function<void*()>;

    Win32Dialogs() = default;
    void SetOwner(OwnerSource owner) { owner_ = std::move(owner); }

    bool ShowMessage(MessageKind kind, const std::string& text) override;

private:
    OwnerSource owner_;
};

} // namespace quill::platform
