#pragma once

#include <windows.h>

#include <functional>

// What every modal window of the program shares: its window class, its
// place in the middle of the work area, and the loop that runs it while its
// owner is disabled.

namespace quill::win32app {

// Creates a centred popup of the class (registered on first use) with the
// given client size, handing self to the window procedure at creation.
HWND CreateCentredPopup(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                        const wchar_t* caption, DWORD style, DWORD exStyle, int clientWidth,
                        int clientHeight, HWND owner, void* self);

// Shows the window and runs its messages until ended() holds; the owner is
// disabled meanwhile. The window is destroyed afterwards; a quit request met
// on the way is passed on to the loop outside.
void RunModal(HWND window, HWND owner, const std::function<bool()>& ended);

} // namespace quill::win32app
