#pragma once

#include "app/win32/modal_window.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

// A small modal dialog bound to the fields of a form's logic. Every control
// is placed by its dialog's own layout, in dialog units of the dialog font
// (MS Shell Dlg 8), under the control id the layout gives it. Before a
// handler runs the controls are read into their fields; afterwards the
// fields are shown again.
//
// Keys: Enter presses the default button (or the button an edit box names
// for itself), Esc closes as the close box does, Ctrl+Tab and Ctrl+Shift+Tab
// change the page, F1 asks for the dialog's help. Tab order is the order in
// which the layout adds the controls; a radio group is one Tab stop.

namespace quill::win32app {

// Where a control goes: its id and its rectangle in dialog units.
struct Box {
    int id = 0;
    int x = 0, y = 0, w = 0, h = 0;
};

class FormDialog {
public:
    using Handler = std::function<void()>;

    // The dialog is owned by the innermost window open on the stack; width
    // and height are those of its client area, in dialog units.
    FormDialog(ModalStack& stack, HINSTANCE instance, const wchar_t* className,
               const std::string& caption, int width, int height);
    ~FormDialog();
    FormDialog(const FormDialog&) = delete;
    FormDialog& operator=(const FormDialog&) = delete;

    void Label(const Box& at, const std::string& text);
    // A label that shows a field, kept up to date.
    void FieldLabel(const Box& at, std::string& field);
    // An edit box; cue is the grey hint shown while it is empty.
    void Edit(const Box& at, std::string& field, const std::string& cue = "");
    // A number box with up and down arrows (control upDownId) inside its
    // right edge, stepping by 1 within low to high; typing may enter any
    // number, which the field receives as typed.
    void Number(const Box& at, int upDownId, std::string& field, int low, int high);
    // A check box; onClick runs when the user ticks or unticks it, and the
    // box is enabled while *enabled holds (always without one).
    void Check(const Box& at, const std::string& caption, bool& field, Handler onClick = {},
               const bool* enabled = nullptr);
    // Radio buttons of one group, added one after another: choosing one
    // clears the others.
    void Radio(const Box& at, const std::string& caption, bool& field, int group);
    // A drop-down list that allows only its entries; index -1 shows none.
    void Combo(const Box& at, const std::vector<std::string>& items, std::int32_t& index);
    // A drop-down list whose box can also be typed into.
    void EditCombo(const Box& at, std::vector<std::string>& items, std::string& text);
    // A tree of the computer's drives and folders; selecting a node sets
    // path (empty for the computer itself) and runs onChange.
    void FolderTree(const Box& at, std::string& path, Handler onChange);
    // A list of lines with one selectable line (index -1: none); with
    // radioMarks every line carries a radio mark, set on the chosen one.
    void List(const Box& at, std::vector<std::string>& lines, std::int32_t& index,
              bool radioMarks = false);
    // A small button with a short caption and its hint.
    void SmallButton(const Box& at, const std::string& caption, const std::string& hint,
                     Handler onClick);
    // A text the user can click (or reach by Tab and press Enter on).
    void Link(const Box& at, const std::string& text, Handler onClick);
    // A push button; the default one is pressed by Enter.
    void Button(const Box& at, const std::string& caption, Handler onClick, bool isDefault = false);
    // Enter in the edit box presses the button instead of the default one.
    void EnterPresses(int editId, int buttonId);

    // A tab control framing pages; the controls added after Page(name)
    // belong to that page. page is the page shown, kept up to date.
    void Pages(const Box& frame);
    void Page(const std::string& name, std::int32_t& page);
    // The controls added after this stand below the pages, on every one.
    void EndPages() { pagesEnded_ = true; }
    // The dialog's help, asked for by F1.
    void OnHelp(Handler onHelp) { onHelp_ = std::move(onHelp); }

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
    enum class Kind {
        Label,
        Edit,
        Number,
        Check,
        Radio,
        Button,
        Combo,
        List,
        EditCombo,
        Tree,
        Link
    };
    struct Control {
        Kind kind = Kind::Label;
        Box at;
        std::string caption;
        std::string hint;
        std::string* text = nullptr;
        bool* flag = nullptr;
        int group = 0;
        Handler onClick;
        HWND hwnd = nullptr;
        HWND partner = nullptr; // Number: its arrows
        const bool* enabled = nullptr;
        bool isDefault = false;
        bool radioMarks = false;
        int partnerId = 0;                         // Number: its arrows
        int low = 0, high = 0;                     // Number
        std::vector<std::string> items;            // Combo
        std::int32_t* index = nullptr;             // Combo, List
        std::vector<std::string>* lines = nullptr; // List, EditCombo
        std::vector<std::string> shownLines;       // List, EditCombo
        int page = -1;
    };
    Control& Add(Kind kind, const Box& at);
    Control* Find(int id);
    Control* FindByWindow(HWND hwnd);
    RECT Pixels(const Box& at) const;
    HWND CreateControl(Control& c, bool groupStart);
    void AddHint(HWND control, const std::string& hint);
    void ShowPage(int page);
    // The colour the tab control paints its pages with (themed or not).
    COLORREF PageColour() const;
    void FillTree(Control& tree);
    void ExpandFolder(HWND tree, HTREEITEM node);
    void AddFolderNode(HWND tree, HTREEITEM parent, const std::wstring& label,
                       const std::wstring& path);
    void DrawRadioLine(const DRAWITEMSTRUCT& draw);
    // Keys the dialog takes before the dialog manager does.
    bool PreTranslate(const MSG& msg);
    int DefaultId() const;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    void ReadControls();
    void ShowFields();
    void Click(Control& c);
    void Invoke(const Handler& handler);
    // An error of a handler: to the dialog's error handler when it takes
    // it, else the dialog ends and raises it again.
    void Fail(std::exception_ptr error);

    ModalStack& stack_;
    HINSTANCE instance_;
    const wchar_t* className_;
    std::string caption_;
    int width_;
    int height_;
    std::vector<Control> controls_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    int baseX_ = 6; // dialog base units of the font, in pixels
    int baseY_ = 13;
    std::function<bool()> done_;
    Handler onClose_;
    Handler onHelp_;
    bool ended_ = false;
    std::exception_ptr failure_;
    std::function<void(const std::exception&)> onError_;
    std::vector<std::pair<int, int>> enterButtons_; // edit id, button id
    HWND keyTarget_ = nullptr;                      // the control of the last key pressed
    Box frame_;
    std::vector<std::string> pages_;
    bool pagesEnded_ = false;
    std::int32_t* activePage_ = nullptr;
    HWND tabs_ = nullptr;
    // The colour of the pages' background, behind their labels and boxes.
    COLORREF pageColour_ = 0;
    HBRUSH pageBrush_ = nullptr;
    std::vector<std::wstring> treePaths_; // by node: the folder path, empty for none
    std::vector<bool> treeLoaded_;
};

} // namespace quill::win32app
