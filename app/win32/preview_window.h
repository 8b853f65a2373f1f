#pragma once

#include "app/preview_dialogs.h"
#include "app/win32/modal_window.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <optional>
#include <vector>

// A preview dialog on Win32, shown modally over the main window: one check
// list per list of the dialog (on pages when there are several), Select All
// and Unselect All beside each, Wash and Close below. The lists are virtual,
// so tens of thousands of lines show at once.

namespace quill::win32app {

class PreviewWindow {
public:
    // Owned by the innermost window open on the stack.
    PreviewWindow(TPreviewForm& dialog, const PreviewWashContext& context, ModalStack& stack,
                  HINSTANCE instance);
    ~PreviewWindow();
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    // Shows the dialog until it is closed; an error of its Wash command is
    // raised again here.
    void ShowModal();

private:
    enum class ListRole { Files, Entries, Special };
    struct Page {
        ListRole role;
        PreviewList* list = nullptr;
        HWND view = nullptr;
        HWND selectAll = nullptr;
        HWND unselectAll = nullptr;
        std::vector<std::optional<RegistryLineLook>> looks; // registry lines only
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Places the controls in the client area as it is now.
    void LayOut();
    // Keys the window takes before the dialog manager does.
    bool PreTranslate(const MSG& msg);
    void ShowPage(int index);
    Page* PageOf(HWND view);
    void Toggle(Page& page, int row);
    void OnCommand(int id);
    LRESULT OnNotify(NMHDR* header);
    const RegistryLineLook& LookOf(Page& page, int row);
    void Wash();

    TPreviewForm& dialog_;
    const PreviewWashContext& context_;
    ModalStack& stack_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND tabs_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND wash_ = nullptr;
    HWND close_ = nullptr;
    POINT minimumSize_{}; // the window's size as designed
    HFONT listFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    std::vector<Page> pages_;
    std::wstring text_; // the text handed to the list views
    std::exception_ptr failure_;
    bool washing_ = false;
};

} // namespace quill::win32app
