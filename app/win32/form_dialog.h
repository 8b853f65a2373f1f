#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
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

    FormDialog(HWND owner, HINSTANCE instance, const wchar_t* className,
               const std::string& caption);
    ~FormDialog();
    FormDialog(const FormDialog&) = delete;
    FormDialog& operator=(const FormDialog&) = delete;

    void Label(const std::string& text);
    void Edit(std::string& field);
    // An edit box with a small button to its right.
    void EditWithButton(std::string& field, const std::string& caption, const std::string& hint,
                        Handler onClick);
    void Check(const std::string& caption, bool& field);
    // Radio buttons of one group: choosing one clears the others.
    void Radio(const std::string& caption, bool& field, int group);
    // A row of buttons at the bottom, left to right.
    void Buttons(std::vector<std::pair<std::string, Handler>> buttons);

    // Shows the dialog until done() holds after a handler; closing the
    // window runs onClose. An error of a handler ends the dialog and is
    // raised again here.
    void ShowModal(const std::function<bool()>& done, Handler onClose);

private:
    enum class Kind { Label, Edit, Check, Radio, Button };
    struct Control {
        Kind kind;
        std::string caption;
        std::string hint;
        std::string* text = nullptr;
        bool* flag = nullptr;
        int group = 0;
        Handler onClick;
        int x = 0, y = 0, w = 0, h = 0;
        HWND hwnd = nullptr;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    void ReadControls();
    void ShowFields();
    void Click(std::size_t index);
    void Invoke(const Handler& handler);

    HWND owner_;
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
};

} // namespace quill::win32app
