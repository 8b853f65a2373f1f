#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// What every modal window of the program shares: its window class, its
// place in the middle of the work area, the loop that runs it, and the
// stack of open ones that says who owns the next window.

namespace quill::win32app {

// The main window and the modal windows open over it, innermost last. A new
// modal window, message box or file picker is owned by the innermost one, so
// closing it gives the input back to that window and to no other. Opening
// one disables its owner, except the main window: that one stays enabled so
// that its Cancel buttons work while a dialog's Wash runs, and is told to
// take no other input (onLockChange) for as long as any modal window is open.
class ModalStack {
public:
    explicit ModalStack(std::function<void()> onLockChange)
        : onLockChange_(std::move(onLockChange)) {}
    ModalStack(const ModalStack&) = delete;
    ModalStack& operator=(const ModalStack&) = delete;

    void SetMain(HWND main) { main_ = main; }
    // The window that owns the next modal window: the innermost open one,
    // else the main window.
    HWND Top() const { return open_.empty() ? main_ : open_.back(); }
    bool Locked() const { return !open_.empty(); }

    // Takes the input from the window's owner; Leave gives it back.
    void Enter(HWND window);
    void Leave(HWND window);

private:
    HWND main_ = nullptr;
    std::vector<HWND> open_;
    std::function<void()> onLockChange_;
};

// Creates a centred popup of the class (registered on first use) with the
// given client size, owned by the innermost open window, handing self to the
// window procedure at creation.
HWND CreateCentredPopup(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                        const wchar_t* caption, DWORD style, DWORD exStyle, int clientWidth,
                        int clientHeight, const ModalStack& stack, void* self);

// Shows the window and runs its messages until ended() holds; the window is
// on the stack meanwhile. A message that preTranslate takes (returns true
// for) goes no further; the others pass the dialog manager. The window is
// destroyed afterwards; a quit request met on the way is passed on to the
// loop outside.
void RunModal(HWND window, ModalStack& stack, const std::function<bool()>& ended,
              const std::function<bool(const MSG&)>& preTranslate = {});

} // namespace quill::win32app
