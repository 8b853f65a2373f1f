#pragma once

#include "app/win32/modal_window.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>

// What a dialog needs of the window that opens it: the stack of open
// windows, the program's instance, the help file by context number and the
// program's handler of errors.

namespace quill::win32app {

struct DialogContext {
    ModalStack& stack;
    HINSTANCE instance;
    std::function<void(std::int32_t)> showHelp;
    std::function<void(const std::exception&)> onError;
};

} // namespace quill::win32app
