#include "app/win32/form_dialog.h"

#include "app/error_barrier.h"
#include "app/win32/modal_window.h"
#include "platform/win32/wide.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace quill::win32app {

namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

constexpr int kWidth = 440; // client width
constexpr int kMargin = 12;
constexpr int kFirstId = 100;

std::string TextOf(HWND w) {
    const int n = ::GetWindowTextLengthW(w);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    ::GetWindowTextW(w, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return Narrow(text);
}

} // namespace

FormDialog::FormDialog(ModalStack& stack, HINSTANCE instance, const wchar_t* className,
                       const std::string& caption)
    : stack_(stack), instance_(instance), className_(className), caption_(caption) {}

FormDialog::~FormDialog() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

FormDialog::Control& FormDialog::Add(Control c) {
    c.page = static_cast<int>(pages_.size()) - 1;
    controls_.push_back(std::move(c));
    return controls_.back();
}

void FormDialog::Page(const std::string& name, std::int32_t& page) {
    if (pages_.empty()) {
        y_ += 28; // room for the tabs
        pagesTop_ = y_;
    }
    pageBottom_ = std::max(pageBottom_, y_);
    pages_.push_back(name);
    activePage_ = &page;
    y_ = pagesTop_;
}

void FormDialog::Combo(const std::vector<std::string>& items, std::int32_t& index, int width) {
    Control c{Kind::Combo, "", "", nullptr, nullptr, 0, {}, kMargin, y_, width, 200};
    c.items = items;
    c.index = &index;
    Add(std::move(c));
    y_ += 28;
}

void FormDialog::EditCombo(std::vector<std::string>& items, std::string& text) {
    Control c{Kind::EditCombo,           "", "", &text, nullptr, 0, {}, kMargin, y_,
              kWidth - 2 * kMargin - 34, 200};
    c.lines = &items;
    Add(std::move(c));
    y_ += 28;
}

void FormDialog::FolderTree(std::string& path, Handler onChange, int height) {
    Add({Kind::Tree, "", "", &path, nullptr, 0, std::move(onChange), kMargin, y_,
         kWidth - 2 * kMargin, height});
    y_ += height + 6;
}

void FormDialog::AddFolderNode(HWND tree, HTREEITEM parent, const std::wstring& label,
                               const std::wstring& path) {
    std::wstring text = label;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = text.data();
    insert.item.lParam = static_cast<LPARAM>(treePaths_.size());
    insert.item.cChildren = 1; // known when the node is opened
    treePaths_.push_back(path);
    treeLoaded_.push_back(false);
    TreeView_InsertItem(tree, &insert);
}

void FormDialog::FillTree(Control& c) {
    std::wstring computer = L"Computer";
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = computer.data();
    insert.item.lParam = static_cast<LPARAM>(treePaths_.size());
    insert.item.cChildren = 1;
    treePaths_.push_back(L"");
    treeLoaded_.push_back(true);
    HTREEITEM root = TreeView_InsertItem(c.hwnd, &insert);
    wchar_t drives[512] = {};
    const DWORD n = ::GetLogicalDriveStringsW(511, drives);
    for (const wchar_t* d = drives; n > 0 && n < 512 && *d; d += std::wcslen(d) + 1) {
        AddFolderNode(c.hwnd, root, d, d);
    }
    TreeView_Expand(c.hwnd, root, TVE_EXPAND);
}

void FormDialog::ExpandFolder(HWND tree, HTREEITEM node) {
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!TreeView_GetItem(tree, &item)) {
        return;
    }
    const auto index = static_cast<std::size_t>(item.lParam);
    if (index >= treePaths_.size() || treeLoaded_[index]) {
        return;
    }
    treeLoaded_[index] = true;
    std::wstring folder = treePaths_[index];
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                  FindExSearchLimitToDirectories, nullptr, 0);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." &&
                name != L"..") {
                names.push_back(name);
            }
        } while (::FindNextFileW(h, &data));
        ::FindClose(h);
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    for (const std::wstring& name : names) {
        AddFolderNode(tree, node, name, folder + name);
    }
    if (names.empty()) {
        item.mask = TVIF_CHILDREN;
        item.cChildren = 0;
        TreeView_SetItem(tree, &item);
    }
}

void FormDialog::List(std::vector<std::string>& lines, std::int32_t& index, int height) {
    Control c{Kind::List, "", "", nullptr, nullptr, 0, {}, kMargin, y_, kWidth - 2 * kMargin - 34,
              height};
    c.lines = &lines;
    c.index = &index;
    Add(std::move(c));
    y_ += height + 6;
}

void FormDialog::SmallButtons(std::vector<std::tuple<std::string, std::string, Handler>> buttons) {
    int x = kMargin;
    for (auto& [caption, hint, handler] : buttons) {
        Add({Kind::Button, caption, hint, nullptr, nullptr, 0, std::move(handler), x, y_, 70, 24});
        x += 74;
    }
    y_ += 30;
}

void FormDialog::Label(const std::string& text) {
    Add({Kind::Label, text, "", nullptr, nullptr, 0, {}, kMargin, y_, kWidth - 2 * kMargin, 16});
    y_ += 18;
}

void FormDialog::FieldLabel(std::string& field) {
    Add({Kind::Label, field, "", &field, nullptr, 0, {}, kMargin, y_, kWidth - 2 * kMargin, 16});
    y_ += 18;
}

void FormDialog::Edit(std::string& field) {
    Add({Kind::Edit, "", "", &field, nullptr, 0, {}, kMargin, y_, kWidth - 2 * kMargin, 22});
    y_ += 28;
}

void FormDialog::EditWithButton(std::string& field, const std::string& caption,
                                const std::string& hint, Handler onClick) {
    Add({Kind::Edit, "", "", &field, nullptr, 0, {}, kMargin, y_, kWidth - 2 * kMargin - 34, 22});
    Add({Kind::Button, caption, hint, nullptr, nullptr, 0, std::move(onClick),
         kWidth - kMargin - 28, y_, 28, 22});
    y_ += 28;
}

void FormDialog::Check(const std::string& caption, bool& field, Handler onClick,
                       const bool* enabled, int indent) {
    Control& c = Add({Kind::Check, caption, "", nullptr, &field, 0, std::move(onClick),
                      kMargin + indent, y_, kWidth - 2 * kMargin - indent, 20});
    c.enabled = enabled;
    y_ += 24;
}

void FormDialog::Radio(const std::string& caption, bool& field, int group) {
    Add({Kind::Radio,
         caption,
         "",
         nullptr,
         &field,
         group,
         {},
         kMargin,
         y_,
         kWidth - 2 * kMargin,
         20});
    y_ += 22;
}

void FormDialog::Buttons(std::vector<std::pair<std::string, Handler>> buttons) {
    if (!pages_.empty()) {
        y_ = std::max(pageBottom_, y_); // below the tallest page
    }
    y_ += 6;
    const int count = static_cast<int>(buttons.size());
    const int w = 90;
    int x = (kWidth - (count * w + (count - 1) * 10)) / 2;
    for (auto& [caption, handler] : buttons) {
        Control& c =
            Add({Kind::Button, caption, "", nullptr, nullptr, 0, std::move(handler), x, y_, w, 28});
        c.page = -1;
        x += w + 10;
    }
    y_ += 40;
}

void FormDialog::Create() {
    hwnd_ = CreateCentredPopup(instance_, className_, &FormDialog::WindowProc,
                               Wide(caption_).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kWidth, y_, stack_, this);
    if (!hwnd_) {
        return;
    }
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, instance_, nullptr);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Control& c = controls_[i];
        const wchar_t* cls = L"BUTTON";
        DWORD s = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        DWORD ex = 0;
        switch (c.kind) {
        case Kind::Label:
            cls = L"STATIC";
            s = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS;
            break;
        case Kind::Edit:
            cls = L"EDIT";
            s |= ES_AUTOHSCROLL;
            ex = WS_EX_CLIENTEDGE;
            break;
        case Kind::Check:
            s |= BS_AUTOCHECKBOX;
            break;
        case Kind::Radio:
            s |= BS_RADIOBUTTON;
            break;
        case Kind::Button:
            s |= BS_PUSHBUTTON;
            break;
        case Kind::Combo:
            cls = L"COMBOBOX";
            s |= CBS_DROPDOWNLIST | WS_VSCROLL;
            break;
        case Kind::EditCombo:
            cls = L"COMBOBOX";
            s |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
            break;
        case Kind::Tree:
            cls = WC_TREEVIEWW;
            s |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
            ex = WS_EX_CLIENTEDGE;
            break;
        case Kind::List:
            cls = L"LISTBOX";
            s |= LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT;
            ex = WS_EX_CLIENTEDGE;
            break;
        }
        c.hwnd = ::CreateWindowExW(ex, cls, Wide(c.caption).c_str(), s, c.x, c.y, c.w, c.h, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)),
                                   instance_, nullptr);
        ::SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (c.kind == Kind::Tree) {
            FillTree(c);
        }
        for (const std::string& item : c.items) {
            ::SendMessageW(c.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
        }
        if (!c.hint.empty() && tooltip_) {
            std::wstring hint = Wide(c.hint);
            TOOLINFOW ti{};
            ti.cbSize = TTTOOLINFOW_V1_SIZE;
            ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            ti.hwnd = hwnd_;
            ti.uId = reinterpret_cast<UINT_PTR>(c.hwnd);
            ti.lpszText = hint.data();
            ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }
    if (!pages_.empty()) {
        tabs_ =
            ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, kMargin,
                              8, kWidth - 2 * kMargin, 24, hwnd_, nullptr, instance_, nullptr);
        ::SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            std::wstring name = Wide(pages_[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = name.data();
            TabCtrl_InsertItem(tabs_, static_cast<int>(i), &item);
        }
        ShowPage(activePage_ ? *activePage_ : 0);
    }
    ShowFields();
}

void FormDialog::ShowPage(int page) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) {
        page = 0;
    }
    TabCtrl_SetCurSel(tabs_, page);
    for (Control& c : controls_) {
        if (c.page >= 0) {
            ::ShowWindow(c.hwnd, c.page == page ? SW_SHOW : SW_HIDE);
        }
    }
    if (activePage_) {
        *activePage_ = page;
    }
}

void FormDialog::ReadControls() {
    for (Control& c : controls_) {
        if (c.kind == Kind::Edit && c.text) {
            *c.text = TextOf(c.hwnd);
        } else if ((c.kind == Kind::Check || c.kind == Kind::Radio) && c.flag) {
            *c.flag = ::SendMessageW(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (c.kind == Kind::Combo && c.index) {
            *c.index = static_cast<std::int32_t>(::SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0));
        } else if (c.kind == Kind::List && c.index) {
            *c.index = static_cast<std::int32_t>(::SendMessageW(c.hwnd, LB_GETCURSEL, 0, 0));
        } else if (c.kind == Kind::EditCombo && c.text) {
            *c.text = TextOf(c.hwnd);
        }
    }
}

void FormDialog::ShowFields() {
    for (Control& c : controls_) {
        if ((c.kind == Kind::Edit || c.kind == Kind::Label) && c.text) {
            if (TextOf(c.hwnd) != *c.text) {
                ::SetWindowTextW(c.hwnd, Wide(*c.text).c_str());
            }
        } else if ((c.kind == Kind::Check || c.kind == Kind::Radio) && c.flag) {
            ::SendMessageW(c.hwnd, BM_SETCHECK, *c.flag ? BST_CHECKED : BST_UNCHECKED, 0);
        } else if (c.kind == Kind::Combo && c.index) {
            ::SendMessageW(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(*c.index), 0);
        } else if (c.kind == Kind::EditCombo && c.lines && c.text) {
            if (c.shownLines != *c.lines) {
                ::SendMessageW(c.hwnd, CB_RESETCONTENT, 0, 0);
                for (const std::string& line : *c.lines) {
                    ::SendMessageW(c.hwnd, CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(Wide(line).c_str()));
                }
                c.shownLines = *c.lines;
            }
            if (TextOf(c.hwnd) != *c.text) {
                ::SetWindowTextW(c.hwnd, Wide(*c.text).c_str());
            }
        } else if (c.kind == Kind::List && c.lines) {
            if (c.shownLines != *c.lines) {
                ::SendMessageW(c.hwnd, LB_RESETCONTENT, 0, 0);
                int widest = 0;
                HDC dc = ::GetDC(c.hwnd);
                ::SelectObject(dc, font_);
                for (const std::string& line : *c.lines) {
                    const std::wstring wide = Wide(line);
                    ::SendMessageW(c.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
                    SIZE size{};
                    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
                    widest = std::max(widest, static_cast<int>(size.cx) + 8);
                }
                ::ReleaseDC(c.hwnd, dc);
                ::SendMessageW(c.hwnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
                c.shownLines = *c.lines;
            }
            ::SendMessageW(c.hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.index ? *c.index : -1), 0);
        }
        if (c.enabled) {
            ::EnableWindow(c.hwnd, *c.enabled ? TRUE : FALSE);
        }
    }
}

void FormDialog::Invoke(const Handler& handler) {
    ReadControls();
    try {
        if (handler) {
            handler();
        }
    } catch (...) {
        Fail(std::current_exception());
        return;
    }
    ShowFields();
    if (done_ && done_()) {
        ended_ = true;
    }
}

void FormDialog::Fail(std::exception_ptr error) {
    if (onError_) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            onError_(e);
            ShowFields();
            return;
        } catch (...) {
            // Not one the dialog's handler takes: it ends the dialog.
        }
    }
    failure_ = error;
    ended_ = true;
}

void FormDialog::Click(std::size_t index) {
    Control& c = controls_[index];
    if (c.kind == Kind::Radio) {
        for (Control& other : controls_) {
            if (other.kind == Kind::Radio && other.group == c.group && other.flag) {
                ::SendMessageW(other.hwnd, BM_SETCHECK, &other == &c ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
        }
        ReadControls();
        return;
    }
    if (c.kind == Kind::Button || (c.kind == Kind::Check && c.onClick)) {
        Invoke(c.onClick);
    }
}

void FormDialog::ShowModal(const std::function<bool()>& done, Handler onClose) {
    done_ = done;
    onClose_ = std::move(onClose);
    Create();
    if (!hwnd_) {
        return;
    }
    for (const Control& c : controls_) {
        if (c.kind == Kind::Edit) {
            ::SetFocus(c.hwnd);
            break;
        }
    }
    RunModal(hwnd_, stack_, [this] { return ended_; });
    hwnd_ = nullptr;
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

LRESULT CALLBACK FormDialog::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormDialog*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormDialog*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // An error ends the dialog (or goes to its handler), as one of a button.
    return ErrorBarrier([&] { return self->Handle(message, wParam, lParam); }, LRESULT{0},
                        [&](std::exception_ptr error) {
                            self->Fail(error);
                            if (self->ended_ && self->hwnd_) {
                                ::PostMessageW(self->hwnd_, WM_NULL, 0, 0);
                            }
                        });
}

LRESULT FormDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            Invoke(onClose_);
            ended_ = true;
        } else if (HIWORD(wParam) == BN_CLICKED && id >= kFirstId &&
                   id < kFirstId + static_cast<int>(controls_.size())) {
            Click(static_cast<std::size_t>(id - kFirstId));
        }
        if (ended_) {
            ::PostMessageW(hwnd_, WM_NULL, 0, 0); // wakes the modal loop
        }
        return 0;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
            ShowPage(TabCtrl_GetCurSel(tabs_));
        }
        if (header->code == TVN_ITEMEXPANDINGW) {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            if (change->action & TVE_EXPAND) {
                ExpandFolder(header->hwndFrom, change->itemNew.hItem);
            }
        } else if (header->code == TVN_SELCHANGEDW) {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            for (Control& c : controls_) {
                if (c.kind == Kind::Tree && c.hwnd == header->hwndFrom && c.text) {
                    const auto index = static_cast<std::size_t>(change->itemNew.lParam);
                    *c.text = index < treePaths_.size() ? Narrow(treePaths_[index]) : "";
                    const Handler onChange = c.onClick;
                    // The other controls keep what was typed into them.
                    ReadControls();
                    *c.text = index < treePaths_.size() ? Narrow(treePaths_[index]) : "";
                    if (onChange) {
                        onChange();
                    }
                    ShowFields();
                    break;
                }
            }
        }
        return 0;
    }
    case WM_CLOSE:
        Invoke(onClose_);
        ended_ = true;
        ::PostMessageW(hwnd_, WM_NULL, 0, 0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

} // namespace quill::win32app
