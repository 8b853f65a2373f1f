#include "app/win32/form_dialog.h"

#include "app/error_barrier.h"
#include "app/win32/modal_window.h"
#include "platform/win32/wide.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cwchar>

namespace quill::win32app {

namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

constexpr int kFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Shell Dlg 2";

std::string TextOf(HWND w) {
    const int n = ::GetWindowTextLengthW(w);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    ::GetWindowTextW(w, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return Narrow(text);
}

bool KeyDown(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

void SetStyleBit(HWND w, LONG_PTR bit, bool on) {
    const LONG_PTR style = ::GetWindowLongPtrW(w, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
    if (wanted != style) {
        ::SetWindowLongPtrW(w, GWL_STYLE, wanted);
    }
}

} // namespace

FormDialog::FormDialog(ModalStack& stack, HINSTANCE instance, const wchar_t* className,
                       const std::string& caption, int width, int height)
    : stack_(stack), instance_(instance), className_(className), caption_(caption), width_(width),
      height_(height) {}

FormDialog::~FormDialog() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (font_) {
        ::DeleteObject(font_);
    }
    if (pageBrush_) {
        ::DeleteObject(pageBrush_);
    }
}

FormDialog::Control& FormDialog::Add(Kind kind, const Box& at) {
    Control c;
    c.kind = kind;
    c.at = at;
    c.page = pagesEnded_ ? -1 : static_cast<int>(pages_.size()) - 1;
    controls_.push_back(std::move(c));
    return controls_.back();
}

FormDialog::Control* FormDialog::Find(int id) {
    for (Control& c : controls_) {
        if (c.at.id == id) {
            return &c;
        }
    }
    return nullptr;
}

FormDialog::Control* FormDialog::FindByWindow(HWND hwnd) {
    for (Control& c : controls_) {
        if (c.hwnd && c.hwnd == hwnd) {
            return &c;
        }
    }
    return nullptr;
}

void FormDialog::Label(const Box& at, const std::string& text) {
    Add(Kind::Label, at).caption = text;
}

void FormDialog::FieldLabel(const Box& at, std::string& field) {
    Control& c = Add(Kind::Label, at);
    c.caption = field;
    c.text = &field;
}

void FormDialog::Edit(const Box& at, std::string& field, const std::string& cue) {
    Control& c = Add(Kind::Edit, at);
    c.text = &field;
    c.hint = cue;
}

void FormDialog::Number(const Box& at, int upDownId, std::string& field, int low, int high) {
    Control& c = Add(Kind::Number, at);
    c.text = &field;
    c.partnerId = upDownId;
    c.low = low;
    c.high = high;
}

void FormDialog::Check(const Box& at, const std::string& caption, bool& field, Handler onClick,
                       const bool* enabled) {
    Control& c = Add(Kind::Check, at);
    c.caption = caption;
    c.flag = &field;
    c.onClick = std::move(onClick);
    c.enabled = enabled;
}

void FormDialog::Radio(const Box& at, const std::string& caption, bool& field, int group) {
    Control& c = Add(Kind::Radio, at);
    c.caption = caption;
    c.flag = &field;
    c.group = group;
}

void FormDialog::Combo(const Box& at, const std::vector<std::string>& items, std::int32_t& index) {
    Control& c = Add(Kind::Combo, at);
    c.items = items;
    c.index = &index;
}

void FormDialog::EditCombo(const Box& at, std::vector<std::string>& items, std::string& text) {
    Control& c = Add(Kind::EditCombo, at);
    c.lines = &items;
    c.text = &text;
}

void FormDialog::FolderTree(const Box& at, std::string& path, Handler onChange) {
    Control& c = Add(Kind::Tree, at);
    c.text = &path;
    c.onClick = std::move(onChange);
}

void FormDialog::List(const Box& at, std::vector<std::string>& lines, std::int32_t& index,
                      bool radioMarks) {
    Control& c = Add(Kind::List, at);
    c.lines = &lines;
    c.index = &index;
    c.radioMarks = radioMarks;
}

void FormDialog::SmallButton(const Box& at, const std::string& caption, const std::string& hint,
                             Handler onClick) {
    Control& c = Add(Kind::Button, at);
    c.caption = caption;
    c.hint = hint;
    c.onClick = std::move(onClick);
}

void FormDialog::Link(const Box& at, const std::string& text, Handler onClick) {
    Control& c = Add(Kind::Link, at);
    c.caption = text;
    c.onClick = std::move(onClick);
}

void FormDialog::Button(const Box& at, const std::string& caption, Handler onClick,
                        bool isDefault) {
    Control& c = Add(Kind::Button, at);
    c.caption = caption;
    c.onClick = std::move(onClick);
    c.isDefault = isDefault;
}

void FormDialog::EnterPresses(int editId, int buttonId) {
    enterButtons_.emplace_back(editId, buttonId);
}

void FormDialog::Pages(const Box& frame) {
    frame_ = frame;
}

void FormDialog::Page(const std::string& name, std::int32_t& page) {
    pages_.push_back(name);
    activePage_ = &page;
}

RECT FormDialog::Pixels(const Box& at) const {
    RECT r{::MulDiv(at.x, baseX_, 4), ::MulDiv(at.y, baseY_, 8), ::MulDiv(at.x + at.w, baseX_, 4),
           ::MulDiv(at.y + at.h, baseY_, 8)};
    return r;
}

void FormDialog::AddHint(HWND control, const std::string& hint) {
    if (hint.empty() || !tooltip_) {
        return;
    }
    std::wstring text = Wide(hint);
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text.data();
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

HWND FormDialog::CreateControl(Control& c, bool groupStart) {
    const wchar_t* cls = L"BUTTON";
    DWORD s = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (groupStart ? WS_GROUP : 0);
    DWORD ex = 0;
    std::wstring text = Wide(c.caption);
    switch (c.kind) {
    case Kind::Label:
        cls = L"STATIC";
        s = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS;
        break;
    case Kind::Edit:
    case Kind::Number:
        cls = L"EDIT";
        s |= ES_AUTOHSCROLL;
        ex = WS_EX_CLIENTEDGE;
        break;
    case Kind::Check:
        s |= BS_AUTOCHECKBOX;
        break;
    case Kind::Radio:
        // The group's one Tab stop is set on its chosen button (ShowFields).
        s = (s & ~WS_TABSTOP) | BS_AUTORADIOBUTTON;
        break;
    case Kind::Button:
        s |= c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
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
        if (c.radioMarks) {
            s |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        }
        ex = WS_EX_CLIENTEDGE;
        break;
    case Kind::Link:
        cls = WC_LINK;
        text = L"<a>" + text + L"</a>";
        break;
    }
    RECT r = Pixels(c.at);
    if (c.kind == Kind::Combo || c.kind == Kind::EditCombo) {
        r.bottom = r.top + ::MulDiv(120, baseY_, 8); // the dropped-down list
    }
    HWND w = ::CreateWindowExW(
        ex, cls, text.c_str(), s, r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.at.id)), instance_, nullptr);
    if (!w && c.kind == Kind::Link) {
        // Without the link control: a label that takes clicks.
        c.kind = Kind::Label;
        w = ::CreateWindowExW(
            0, L"STATIC", Wide(c.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOTIFY,
            r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.at.id)), instance_, nullptr);
    }
    ::SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return w;
}

void FormDialog::Create() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                             ICC_LINK_CLASS | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    // The dialog font and its base units, which turn dialog units to pixels.
    HDC screen = ::GetDC(nullptr);
    font_ =
        ::CreateFontW(-::MulDiv(kFontPoints, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0,
                      FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontFace);
    if (!font_) {
        font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
    const HGDIOBJ old = ::SelectObject(screen, font_);
    TEXTMETRICW metrics{};
    SIZE letters{};
    const wchar_t alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (::GetTextMetricsW(screen, &metrics) &&
        ::GetTextExtentPoint32W(screen, alphabet, 52, &letters)) {
        baseX_ = std::max(1, static_cast<int>((letters.cx / 26 + 1) / 2));
        baseY_ = std::max(1, static_cast<int>(metrics.tmHeight));
    }
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);

    const RECT client = Pixels({0, 0, 0, width_, height_});
    hwnd_ = CreateCentredPopup(instance_, className_, &FormDialog::WindowProc,
                               Wide(caption_).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, client.right,
                               client.bottom, stack_, this);
    if (!hwnd_) {
        return;
    }
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, instance_, nullptr);
    const Control* previous = nullptr;
    for (Control& c : controls_) {
        // A radio button that follows one of its group continues the group.
        const bool continuesGroup = c.kind == Kind::Radio && previous &&
                                    previous->kind == Kind::Radio && previous->group == c.group;
        c.hwnd = CreateControl(c, !continuesGroup);
        previous = &c;
        if (c.kind == Kind::Tree) {
            FillTree(c);
        }
        for (const std::string& item : c.items) {
            ::SendMessageW(c.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
        }
        if (c.kind == Kind::Edit && !c.hint.empty()) {
            ::SendMessageW(c.hwnd, EM_SETCUEBANNER, FALSE,
                           reinterpret_cast<LPARAM>(Wide(c.hint).c_str()));
        } else {
            AddHint(c.hwnd, c.hint);
        }
        if (c.kind == Kind::Number) {
            c.partner = ::CreateWindowExW(
                0, UPDOWN_CLASSW, L"",
                WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT |
                    UDS_NOTHOUSANDS,
                0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.partnerId)),
                instance_, nullptr);
            ::SendMessageW(c.partner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(c.hwnd), 0);
            ::SendMessageW(c.partner, UDM_SETRANGE32, static_cast<WPARAM>(c.low),
                           static_cast<LPARAM>(c.high));
        }
    }
    if (!pages_.empty()) {
        // Below the pages' controls, which it frames: it clips them out of
        // what it paints.
        const RECT r = Pixels(frame_);
        tabs_ = ::CreateWindowExW(
            0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS,
            r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(frame_.id)), instance_, nullptr);
        ::SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            std::wstring name = Wide(pages_[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = name.data();
            TabCtrl_InsertItem(tabs_, static_cast<int>(i), &item);
        }
        pageColour_ = PageColour();
        pageBrush_ = ::CreateSolidBrush(pageColour_);
        ShowPage(activePage_ ? *activePage_ : 0);
    }
    ShowFields();
}

COLORREF FormDialog::PageColour() const {
    COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
    HTHEME theme = ::IsAppThemed() ? ::OpenThemeData(tabs_, L"TAB") : nullptr;
    if (!theme) {
        return colour;
    }
    // The middle of a pane drawn as the tab control draws it.
    constexpr int kSize = 32;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kSize, kSize);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT pane{0, 0, kSize, kSize};
    if (SUCCEEDED(::DrawThemeBackground(theme, memory, TABP_PANE, 0, &pane, nullptr))) {
        colour = ::GetPixel(memory, kSize / 2, kSize / 2);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    ::CloseThemeData(theme);
    return colour;
}

void FormDialog::ShowPage(int page) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) {
        page = 0;
    }
    TabCtrl_SetCurSel(tabs_, page);
    for (Control& c : controls_) {
        if (c.page >= 0) {
            ::ShowWindow(c.hwnd, c.page == page ? SW_SHOW : SW_HIDE);
            if (c.partner) {
                ::ShowWindow(c.partner, c.page == page ? SW_SHOW : SW_HIDE);
            }
        }
    }
    if (activePage_) {
        *activePage_ = page;
    }
}

void FormDialog::DrawRadioLine(const DRAWITEMSTRUCT& draw) {
    if (draw.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const HDC dc = draw.hDC;
    RECT r = draw.rcItem;
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOW));
    const int mark = std::min<int>(r.bottom - r.top - 4, 13);
    RECT box{r.left + 2, r.top + (r.bottom - r.top - mark) / 2, 0, 0};
    box.right = box.left + mark;
    box.bottom = box.top + mark;
    const bool ticked = (draw.itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONRADIO | (ticked ? DFCS_CHECKED : 0));
    const auto length =
        static_cast<int>(::SendMessageW(draw.hwndItem, LB_GETTEXTLEN, draw.itemID, 0));
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    ::SendMessageW(draw.hwndItem, LB_GETTEXT, draw.itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    RECT line = r;
    line.left = box.right + 4;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    if (draw.itemState & ODS_FOCUS) {
        ::DrawFocusRect(dc, &r);
    }
}

int FormDialog::DefaultId() const {
    const HWND focus = keyTarget_ ? keyTarget_ : ::GetFocus();
    for (const auto& [editId, buttonId] : enterButtons_) {
        const HWND edit = ::GetDlgItem(hwnd_, editId);
        if (edit && (focus == edit || ::GetParent(focus) == edit)) {
            return buttonId;
        }
    }
    int id = 0;
    for (const Control& c : controls_) {
        if (c.kind == Kind::Button && c.hwnd == focus) {
            return c.at.id; // a push button with the focus is the one Enter presses
        }
        if (c.kind == Kind::Button && c.isDefault) {
            id = c.at.id;
        }
    }
    return id;
}

bool FormDialog::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    keyTarget_ = msg.hwnd;
    if (msg.wParam == VK_TAB && KeyDown(VK_CONTROL) && tabs_) {
        const int count = static_cast<int>(pages_.size());
        const int now = TabCtrl_GetCurSel(tabs_);
        ShowPage((now + (KeyDown(VK_SHIFT) ? count - 1 : 1)) % count);
        const HWND focus = ::GetFocus();
        if (!focus || !::IsWindowVisible(focus)) {
            ::SetFocus(tabs_);
        }
        return true;
    }
    if (msg.wParam == VK_F1 && onHelp_) {
        Invoke(onHelp_);
        return true;
    }
    return false;
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

void FormDialog::ReadControls() {
    for (Control& c : controls_) {
        if ((c.kind == Kind::Edit || c.kind == Kind::Number || c.kind == Kind::EditCombo) &&
            c.text) {
            *c.text = TextOf(c.hwnd);
        } else if ((c.kind == Kind::Check || c.kind == Kind::Radio) && c.flag) {
            *c.flag = ::SendMessageW(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (c.kind == Kind::Combo && c.index) {
            *c.index = static_cast<std::int32_t>(::SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0));
        } else if (c.kind == Kind::List && c.index) {
            *c.index = static_cast<std::int32_t>(::SendMessageW(c.hwnd, LB_GETCURSEL, 0, 0));
        }
    }
}

void FormDialog::ShowFields() {
    for (Control& c : controls_) {
        if ((c.kind == Kind::Edit || c.kind == Kind::Number || c.kind == Kind::Label) && c.text) {
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
                const HGDIOBJ old = ::SelectObject(dc, font_);
                for (const std::string& line : *c.lines) {
                    const std::wstring wide = Wide(line);
                    ::SendMessageW(c.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
                    SIZE size{};
                    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
                    widest = std::max(widest, static_cast<int>(size.cx) + 8);
                }
                ::SelectObject(dc, old);
                ::ReleaseDC(c.hwnd, dc);
                if (!c.radioMarks) {
                    ::SendMessageW(c.hwnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
                }
                c.shownLines = *c.lines;
            }
            ::SendMessageW(c.hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.index ? *c.index : -1), 0);
        }
        if (c.enabled) {
            ::EnableWindow(c.hwnd, *c.enabled ? TRUE : FALSE);
        }
    }
    // A radio group is one Tab stop: its chosen button, else its first.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Control& first = controls_[i];
        if (first.kind != Kind::Radio || (i > 0 && controls_[i - 1].kind == Kind::Radio &&
                                          controls_[i - 1].group == first.group)) {
            continue;
        }
        std::size_t end = i;
        std::size_t stop = i;
        while (end < controls_.size() && controls_[end].kind == Kind::Radio &&
               controls_[end].group == first.group) {
            if (controls_[end].flag && *controls_[end].flag) {
                stop = end;
            }
            ++end;
        }
        for (std::size_t j = i; j < end; ++j) {
            SetStyleBit(controls_[j].hwnd, WS_TABSTOP, j == stop);
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

void FormDialog::Click(Control& c) {
    if (c.kind == Kind::Radio) {
        for (Control& other : controls_) {
            if (other.kind == Kind::Radio && other.group == c.group && other.flag) {
                ::SendMessageW(other.hwnd, BM_SETCHECK, &other == &c ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
        }
        ReadControls();
        ShowFields();
        return;
    }
    if (c.kind == Kind::Button || c.kind == Kind::Link || c.kind == Kind::Label ||
        (c.kind == Kind::Check && c.onClick)) {
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
    // The first control that takes the focus gets it.
    const HWND first = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (first) {
        ::SetFocus(first);
    }
    RunModal(
        hwnd_, stack_, [this] { return ended_; },
        [this](const MSG& msg) {
            const bool taken = PreTranslate(msg);
            if (ended_) {
                ::PostMessageW(hwnd_, WM_NULL, 0, 0);
            }
            return taken;
        });
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
    case DM_GETDEFID: {
        const int id = DefaultId();
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDCANCEL) {
            Invoke(onClose_);
            ended_ = true;
        } else if (Control* c = Find(id);
                   c && (code == BN_CLICKED || (c->kind == Kind::Label && code == STN_CLICKED))) {
            Click(*c);
        }
        if (ended_) {
            ::PostMessageW(hwnd_, WM_NULL, 0, 0); // wakes the modal loop
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // The labels and boxes of a page take the page's background.
        const Control* c = FindByWindow(reinterpret_cast<HWND>(lParam));
        if (c && c->page >= 0 && pageBrush_) {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), pageColour_);
            return reinterpret_cast<LRESULT>(pageBrush_);
        }
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemHeight = static_cast<UINT>(baseY_ + 4);
        return TRUE;
    }
    case WM_DRAWITEM:
        DrawRadioLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tabs_ && tabs_ && header->code == TCN_SELCHANGE) {
            ShowPage(TabCtrl_GetCurSel(tabs_));
        } else if (header->code == NM_CLICK || header->code == NM_RETURN) {
            if (Control* c = FindByWindow(header->hwndFrom); c && c->kind == Kind::Link) {
                Click(*c);
                if (ended_) {
                    ::PostMessageW(hwnd_, WM_NULL, 0, 0);
                }
            }
        } else if (header->code == TVN_ITEMEXPANDINGW) {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            if (change->action & TVE_EXPAND) {
                ExpandFolder(header->hwndFrom, change->itemNew.hItem);
            }
        } else if (header->code == TVN_SELCHANGEDW) {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            Control* c = FindByWindow(header->hwndFrom);
            if (c && c->kind == Kind::Tree && c->text) {
                const auto index = static_cast<std::size_t>(change->itemNew.lParam);
                const std::string path = index < treePaths_.size() ? Narrow(treePaths_[index]) : "";
                const Handler onChange = c->onClick;
                // The other controls keep what was typed into them.
                ReadControls();
                *c->text = path;
                if (onChange) {
                    onChange();
                }
                ShowFields();
            }
        }
        return 0;
    }
    case WM_HELP:
        if (onHelp_) {
            Invoke(onHelp_);
        }
        return TRUE;
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
