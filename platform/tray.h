#pragma once

#include <string>

// The notification-area icon of the main window.

namespace quill::platform {

class Tray {
public:
    virtual ~Tray() = default;

    [[nodiscard]] virtual bool Show(const std::string& tip) = 0;
    virtual void Hide() = 0;
    [[nodiscard]] virtual bool Visible() const = 0;
};

} // namespace quill::platform
