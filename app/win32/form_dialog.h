#pragma once

#include "app/win32/modal_window.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

// A small modal dialog laid out from top to bottom and bound to the fields
// of a form's logic: labels, edit boxes, check boxes, radio groups, buttons
// beside an edit and a row of buttons at the bottom. Before a handler runs
// the controls are read into their fields; afterwards the fields are shown
// again.

namespace quill::win32app {

class FormDialog {
public:
    using Handler = std::function<void()>;

    // The dialog is owned by the innermost window open on the stack.
    FormDialog(ModalStack& stack, HINSTANCE instance, const wchar_t* className,
               const std::string& caption);
    ~FormDialog();
    FormDialog(const FormDialog&) = delete;
    FormDialog& operator=(const FormDialog&) = delete;

    void Label(const std::string& text);
    // A label that shows a field, kept up to date.
    void FieldLabel(std::string& field);
    void Edit(std::string& field);
    // An edit box with a small button to its right.
    void EditWithButton(std::string& field, const std::string& caption, const std::string& hint,
                        Handler onClick);
    // A check box; onClick runs when the user ticks or unticks it, and the
    // box is enabled while *enabled holds (always without one).
    void Check(const std::string& caption, bool& field, Handler onClick = {},
               const bool* enabled = nullptr, int indent = 0);
    // A drop-down list that allows only its entries; index -1 shows none.
    void Combo(const std::vector<std::string>& items, std::int32_t& index, int width);
    // A drop-down list whose box can also be typed into.
    void EditCombo(std::vector<std::string>& items, std::string& text);
    // A tree of the computer's drives and folders; selecting a node sets
    // path (empty for the computer itself) and runs onChange.
    void FolderTree(std::string& path, Handler onChange, int height);
    // A list of lines with one selectable line (index -1: none).
    void List(std::vector<std::string>& lines, std::int32_t& index, int height);
    // A row of small buttons beside each other.
    void SmallButtons(std::vector<std::tuple<std::string, std::string, Handler>> buttons);
    // Starts a page of a tab control at the top; the controls that follow
    // belong to it. page is the page shown, kept up to date.
    void Page(const std::string& name, std::int32_t& page);
    // Radio buttons of one group: choosing one clears the others.
    void Radio(const std::string& caption, bool& field, int group);
    // A row of buttons at the bottom, left to right.
    void Buttons(std::vector<std::pair<std::string, Handler>> buttons);

    // Shows the dialog until done() holds after a handler; closing the
    // window runs onClose. An error of a handler ends the dialog and is
    // raised again here.
    void ShowModal(const std::function<bool()>& done, Handler onClose);
    // With onError, an error of a handler is handed to it and the dialog
    // stays open.
    void SetErrorHandler(std::function<void(const std::exception&)> onError) {
        onError_ = std::move(onError);
    }

private:
    enum class Kind { Label, Edit, Check, Radio, Button, Combo, List, EditCombo, Tree };
    struct Control {
        Control(Kind k, std::string c, std::string h, std::string* t, bool* f, int g, Handler on,
                int px, int py, int pw, int ph)
            : kind(k), caption(std::move(c)), hint(std::move(h)), text(t), flag(f), group(g),
              onClick(std::move(on)), x(px), y(py), w(pw), h(ph) {}
        Kind kind;
        std::string caption;
        std::string hint;
        std::string* text = nullptr;
        bool* flag = nullptr;
        int group = 0;
        Handler onClick;
        int x = 0, y = 0, w = 0, h = 0;
        HWND hwnd = nullptr;
        const bool* enabled = nullptr;
        std::vector<std::string> items;            // Combo
        std::int32_t* index = nullptr;             // Combo, List
        std::vector<std::string>* lines = nullptr; // List
        std::vector<std::string> shownLines;       // List
        int page = -1;
    };
    Control& Add(Control c);
    void ShowPage(int page);
    void FillTree(Control& tree);
    void ExpandFolder(HWND tree, HTREEITEM node);
    void AddFolderNode(HWND tree, HTREEITEM parent, const std::wstring& label,
                       const std::wstring& path);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    void ReadControls();
    void ShowFields();
    void Click(std::size_t index);
    void Invoke(const Handler& handler);
    // An error of a handler: to the dialog's error handler when it takes
    // it, else the dialog ends and raises it again.
    void Fail(std::exception_ptr error);

    ModalStack& stack_;
    HINSTANCE instance_;
    const wchar_t* className_;
    std::string caption_;
    std::vector<Control> controls_;
    int y_ = 10;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    std::function<bool()> done_;
    Handler onClose_;
    bool ended_ = false;
    std::exception_ptr failure_;
    std::function<void(const std::exception&)> onError_;
    std::vector<std::string> pages_;
    std::int32_t* activePage_ = nullptr;
    int pagesTop_ = 40;
    int pageBottom_ = 0;
    HWND tabs_ = nullptr;
    std::vector<std::wstring> treePaths_; // by node: the folder path, empty for none
    std::vector<bool> treeLoaded_;
};

} // namespace quill::win32app
