#include "app/win32/modal_window.h"

#include <algorithm>

namespace quill::win32app {

void ModalStack::Enter(HWND window) {
    const HWND owner = Top();
    if (owner && owner != main_) {
        ::EnableWindow(owner, FALSE);
    }
    open_.push_back(window);
    if (open_.size() == 1 && onLockChange_) {
        onLockChange_();
    }
}

void ModalStack::Leave(HWND window) {
    const auto at = std::find(open_.begin(), open_.end(), window);
    if (at == open_.end()) {
        return;
    }
    open_.erase(at);
    const HWND owner = Top();
    if (owner && owner != main_) {
        ::EnableWindow(owner, TRUE);
    }
    if (open_.empty() && onLockChange_) {
        onLockChange_();
    }
    if (owner && ::IsWindowVisible(owner)) {
        ::SetActiveWindow(owner);
    }
}

HWND CreateCentredPopup(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                        const wchar_t* caption, DWORD style, DWORD exStyle, int clientWidth,
                        int clientHeight, const ModalStack& stack, void* self) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc); // fails harmlessly when registered already

    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return ::CreateWindowExW(
        exStyle, className, caption, style, work.left + ((work.right - work.left) - w) / 2,
        work.top + ((work.bottom - work.top) - h) / 2, w, h, stack.Top(), nullptr, instance, self);
}

void RunModal(HWND window, ModalStack& stack, const std::function<bool()>& ended,
              const std::function<bool(const MSG&)>& preTranslate) {
    stack.Enter(window);
    ::ShowWindow(window, SW_SHOW);
    MSG msg{};
    bool quit = false;
    while (!ended()) {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (preTranslate && preTranslate(msg)) {
            continue;
        }
        if (!::IsDialogMessageW(window, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    stack.Leave(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
    if (quit) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    }
}

} // namespace quill::win32app
