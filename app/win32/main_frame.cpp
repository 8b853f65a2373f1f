#include "app/win32/main_frame.h"

#include "app/error_barrier.h"
#include "app/resources/resource_ids.h"
#include "app/win32/main_commands.h"
#include "app/win32/main_frame_ids.h"
#include "platform/win32/wide.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <exception>
#include <span>

namespace quill::win32app {

namespace {

using platform::win32::Wide;

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kFirstActivation = WM_APP + 2;
constexpr UINT_PTR kTimer1 = 1;
// Commands of the tray menu; the Wash submenu's entries follow kMenuWashFirst.
constexpr UINT kMenuOpen = 1000;
constexpr UINT kMenuHelp = 1001;
constexpr UINT kMenuExit = 1002;
constexpr UINT kMenuWashFirst = 2000;

constexpr int kClientWidth = 707;
constexpr int kClientHeight = 502;

using namespace mainids;
using Command = MainCommand;

constexpr COLORREF kRed = RGB(255, 0, 0);
// Rows of the three lists.
constexpr int kRowHeight = 17;
// Glyph buttons are square.
constexpr int kButtonSize = 26;

// A quarter of the selection colour over the list's background.
COLORREF SpecialSelectionColour() {
    const COLORREF a = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF b = ::GetSysColor(COLOR_WINDOW);
    auto mix = [](int x, int y) { return static_cast<BYTE>((x + 3 * y) / 4); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

bool IsChecked(UINT state) {
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

} // namespace

MainFrame::MainFrame(TFormMainQLMR& form, HINSTANCE instance) : form_(form), instance_(instance) {
    items_.model = &form_.ChListBoxItem;
    folders_.model = &form_.ChListBoxFolder;
    registers_.model = &form_.ChListBoxRegister;
}

MainFrame::~MainFrame() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    for (HIMAGELIST list : {glyphs_, glyphsOff_}) {
        if (list) {
            ::ImageList_Destroy(list);
        }
    }
}

// The program's own icon at a size, shared and never freed; the generic
// application icon when the resource is missing.
HICON MainFrame::ProgramIcon(int size) const {
    const auto icon = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_QUILLMERE),
                                                      IMAGE_ICON, size, size, LR_SHARED));
    return icon ? icon : ::LoadIconW(nullptr, IDI_APPLICATION);
}

bool MainFrame::Create() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                             ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainFrame::WindowProc;
    wc.hInstance = instance_;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = ProgramIcon(::GetSystemMetrics(SM_CXICON));
    wc.hIconSm = ProgramIcon(::GetSystemMetrics(SM_CXSMICON));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + ((work.right - work.left) - w) / 2;
    const int y = work.top + ((work.bottom - work.top) - h) / 2;
    hwnd_ = ::CreateWindowExW(exStyle, kClassName, Wide(TFormMainQLMR::kCaption).c_str(), style, x,
                              y, w, h, nullptr, nullptr, instance_, this);
    if (!hwnd_) {
        return false;
    }
    modal_.SetMain(hwnd_);
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    CreateControls();
    tray_ = std::make_unique<platform::Win32Tray>(hwnd_, kTrayMessage,
                                                  ProgramIcon(::GetSystemMetrics(SM_CXSMICON)));
    (void)tray_->Show("Quillmere");
    Mirror();
    return true;
}

void MainFrame::Show(bool minimized) {
    if (minimized) {
        // Started with Windows and asked to stay out of sight: minimized,
        // and only the tray icon shows.
        form_.StartMinimized = false;
        ::ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
        ::ShowWindow(hwnd_, SW_HIDE);
        // Never activated until the user opens it, yet the start-up wash
        // and the profile check are due now.
        PostFirstActivation();
        return;
    }
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
}

void MainFrame::PostFirstActivation() {
    if (!activated_) {
        activated_ = true;
        ::PostMessageW(hwnd_, kFirstActivation, 0, 0);
    }
}

void MainFrame::RestoreFromTray() {
    ::ShowWindow(hwnd_, SW_RESTORE);
    // An open dialog comes to the front with the window: it has the input.
    ::SetForegroundWindow(modal_.Top());
}

void MainFrame::OnTray(LPARAM event) {
    if (event == WM_LBUTTONUP) {
        RestoreFromTray();
    } else if (event == WM_RBUTTONUP) {
        ShowTrayMenu();
    }
}

void MainFrame::ShowTrayMenu() {
    HMENU wash = ::CreatePopupMenu();
    for (std::size_t i = 0; i < form_.MenuWash.size(); ++i) {
        const MenuEntry& entry = form_.MenuWash[i];
        if (entry.Caption == "-") {
            ::AppendMenuW(wash, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const bool enabled = entry.Enabled && !modal_.Locked();
        const UINT flags = MF_STRING | (entry.Checked ? MF_CHECKED : 0) | (enabled ? 0 : MF_GRAYED);
        ::AppendMenuW(wash, flags, kMenuWashFirst + i, Wide(entry.Caption).c_str());
    }
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, kMenuOpen, L"Open &Main Window");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(wash), L"&Wash");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    // While a dialog is open the window is only brought back to it.
    const UINT locked = modal_.Locked() ? MF_GRAYED : 0;
    ::AppendMenuW(menu, MF_STRING | locked, kMenuHelp, L"&Help          F1");
    ::AppendMenuW(menu, MF_STRING | locked, kMenuExit, L"E&xit");
    POINT at{};
    ::GetCursorPos(&at);
    ::SetForegroundWindow(hwnd_);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr));
    ::PostMessageW(hwnd_, WM_NULL, 0, 0);
    ::DestroyMenu(menu); // with its submenu
    if (chosen == kMenuOpen) {
        RestoreFromTray();
    } else if (chosen == kMenuHelp) {
        Run([this] { form_.SpeedButton2Click(); });
    } else if (chosen == kMenuExit) {
        ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    } else if (modal_.Locked()) {
        return;
    } else if (chosen >= kMenuWashFirst && chosen - kMenuWashFirst < form_.MenuWash.size()) {
        const std::int32_t tag = form_.MenuWash[chosen - kMenuWashFirst].Tag;
        Run([this, tag] { form_.MenuWashClick(tag); });
    }
}

HWND MainFrame::AddCommand(const Command& command, int x, int y, int w, int h) {
    // Drawn by the window: a glyph, or a caption in its own colour. A glyph
    // button's text is its hint, for screen readers.
    HWND b = ::CreateWindowExW(0, L"BUTTON", command.caption ? command.caption : command.hint,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, y, w, h, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(command.id)), instance_,
                               nullptr);
    ::SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    AddHint(b, command.hint);
    buttons_.push_back({b, &command});
    return b;
}

void MainFrame::AddHint(HWND control, const wchar_t* hint) {
    if (!tooltip_ || !hint) {
        return;
    }
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<wchar_t*>(hint);
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

HWND MainFrame::AddList(int id, int x, int y, int w, int h) {
    HWND list = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
            LVS_SHOWSELALWAYS,
        x, y, w, h, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = w - ::GetSystemMetrics(SM_CXVSCROLL) - 6;
    ListView_InsertColumn(list, 0, &column);
    SetRowHeight(list, kRowHeight);
    return list;
}

void MainFrame::SetRowHeight(HWND list, int height) {
    // A report list's rows are as high as its small images (and a little
    // more, by version): blank images, their height found by measuring a row.
    const bool wasMirroring = mirroring_;
    mirroring_ = true;
    LVITEMW probe{};
    probe.mask = LVIF_TEXT;
    probe.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertItem(list, &probe);
    int imageHeight = height;
    for (int attempt = 0; attempt < 3 && imageHeight > 0; ++attempt) {
        HIMAGELIST images = ::ImageList_Create(1, imageHeight, ILC_COLOR, 0, 1);
        if (HIMAGELIST old = ListView_SetImageList(list, images, LVSIL_SMALL)) {
            ::ImageList_Destroy(old);
        }
        RECT row{};
        ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
        const int measured = row.bottom - row.top;
        if (measured == height) {
            break;
        }
        imageHeight -= measured - height;
    }
    ListView_DeleteAllItems(list);
    mirroring_ = wasMirroring;
}

void MainFrame::DrawCommand(const DRAWITEMSTRUCT& d) {
    const MainCommand* command = CommandOf(static_cast<int>(d.CtlID));
    if (!command || d.CtlType != ODT_BUTTON) {
        return;
    }
    RECT r = d.rcItem;
    const bool pushed = (d.itemState & ODS_SELECTED) != 0;
    const bool disabled = (d.itemState & ODS_DISABLED) != 0;
    if (HTHEME theme = ::OpenThemeData(d.hwndItem, L"BUTTON")) {
        const int state = disabled ? PBS_DISABLED : pushed ? PBS_PRESSED : PBS_NORMAL;
        ::DrawThemeBackground(theme, d.hDC, BP_PUSHBUTTON, state, &r, nullptr);
        ::CloseThemeData(theme);
    } else {
        ::DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    }
    if (pushed) {
        ::OffsetRect(&r, 1, 1);
    }
    const bool cancel = d.hwndItem == spMainCancel_ || d.hwndItem == spCancelPreview_;
    ::SetBkMode(d.hDC, TRANSPARENT);
    ::SetTextColor(d.hDC, disabled ? ::GetSysColor(COLOR_GRAYTEXT)
                          : cancel ? kRed
                                   : ::GetSysColor(COLOR_BTNTEXT));
    if (command->glyph != kGlyphNone) {
        ::ImageList_Draw(disabled ? glyphsOff_ : glyphs_, command->glyph, d.hDC,
                         r.left + (r.right - r.left - kGlyphSize) / 2,
                         r.top + (r.bottom - r.top - kGlyphSize) / 2, ILD_TRANSPARENT);
    } else {
        HGDIOBJ oldFont = ::SelectObject(d.hDC, font_);
        ::DrawTextW(d.hDC, command->caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(d.hDC, oldFont);
    }
    if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT)) {
        RECT f = d.rcItem;
        ::InflateRect(&f, -3, -3);
        ::DrawFocusRect(d.hDC, &f);
    }
}

HIMAGELIST MainFrame::LoadGlyphs(int firstIcon) const {
    HIMAGELIST list =
        ::ImageList_Create(kGlyphSize, kGlyphSize, ILC_COLOR32 | ILC_MASK, kGlyphCount, 0);
    for (int i = 0; list && i < kGlyphCount; ++i) {
        auto icon = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(firstIcon + i),
                                                    IMAGE_ICON, kGlyphSize, kGlyphSize, 0));
        // A missing glyph keeps its place, blank.
        if (!icon || ::ImageList_AddIcon(list, icon) < 0) {
            HICON blank = ::CreateIcon(instance_, kGlyphSize, kGlyphSize, 1, 1, nullptr, nullptr);
            (void)::ImageList_AddIcon(list, blank);
            ::DestroyIcon(blank);
        }
        if (icon) {
            ::DestroyIcon(icon);
        }
    }
    return list;
}

void MainFrame::CreateControls() {
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    glyphs_ = LoadGlyphs(IDI_GLYPH_FIRST);
    glyphsOff_ = LoadGlyphs(IDI_GLYPH_OFF_FIRST);
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, instance_, nullptr);

    // Top toolbar, left to right; Exit at the right end.
    int x = 4;
    for (const Command& c : ToolbarCommands()) {
        // A little space between the groups: settings, log, plug-ins, about
        // and help, runs.
        if (c.id == IDB_VIEW_LOG || c.id == IDB_IMPORT || c.id == IDB_ABOUT ||
            c.id == IDB_MAIN_PREVIEW) {
            x += 8;
        }
        AddCommand(c, x, 4, kButtonSize, kButtonSize);
        x += kButtonSize + 2;
    }
    // The two Cancel buttons share one place right of Wash Now, hidden.
    spMainCancel_ = AddCommand(MainCancelCommand(), x, 4, 65, kButtonSize);
    spCancelPreview_ = AddCommand(PreviewCancelCommand(), x, 4, 65, kButtonSize);
    ::ShowWindow(spMainCancel_, SW_HIDE);
    ::ShowWindow(spCancelPreview_, SW_HIDE);
    AddCommand(ExitCommand(), kClientWidth - 4 - kButtonSize, 4, kButtonSize, kButtonSize);

    // Left half: the wash item list and its commands.
    HWND label = ::CreateWindowExW(0, L"STATIC", L"Wash Item", WS_CHILD | WS_VISIBLE, 4, 38, 200,
                                   14, hwnd_, nullptr, instance_, nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    items_.hwnd = AddList(IDL_ITEMS, 4, 54, 314, 418);
    int y = 54;
    for (const Command& c : ItemCommands()) {
        AddCommand(c, 322, y, kButtonSize, kButtonSize);
        y += kButtonSize + 4;
    }

    // Right half: the folder/file box and the registry box.
    const struct {
        const wchar_t* title;
        int top;
        int listId;
        ListMirror* mirror;
        std::span<const Command> commands;
    } boxes[] = {
        {L"Clean Folder/File of Current Wash Item", 34, IDL_FOLDERS, &folders_, FolderCommands()},
        {L"Clean Registry Entry of Current Wash Item", 256, IDL_REGISTERS, &registers_,
         RegisterCommands()},
    };
    for (const auto& box : boxes) {
        HWND group = ::CreateWindowExW(0, L"BUTTON", box.title, WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                       356, box.top, 347, 216, hwnd_, nullptr, instance_, nullptr);
        ::SendMessageW(group, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        box.mirror->hwnd = AddList(box.listId, 364, box.top + 18, 300, 190);
        int by = box.top + 18;
        for (const Command& c : box.commands) {
            AddCommand(c, 670, by, kButtonSize, kButtonSize);
            by += kButtonSize + 1;
        }
    }

    status_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDS_STATUS)),
                                instance_, nullptr);
    ::SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // The progress bar fills the status strip when shown.
    RECT strip{};
    ::GetClientRect(status_, &strip);
    progress_ = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 0, strip.right,
                                  strip.bottom, status_, nullptr, instance_, nullptr);
}

LRESULT CALLBACK MainFrame::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainFrame*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainFrame*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return ErrorBarrier(
        [&] { return self->Handle(message, wParam, lParam); }, LRESULT{0},
        [self](std::exception_ptr error) { self->form_.ApplicationEventsError(error); });
}

LRESULT MainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // An owner-drawn button reports a quick second click as a double
        // click: it is a click all the same.
        if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED) {
            int id = LOWORD(wParam);
            if (id == IDOK && lParam == 0) {
                // Enter: the window has no default button, and an
                // owner-drawn one does not take Enter itself. The command
                // button that has the focus is meant, as for Space.
                HWND focus = ::GetFocus();
                id = focus && ::GetParent(focus) == hwnd_ ? ::GetDlgCtrlID(focus) : 0;
            }
            OnCommand(id);
            return 0;
        }
        break;
    case WM_DRAWITEM:
        DrawCommand(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
        Run([this] { form_.ShowHelpTopic(TFormMainQLMR::kHelpContext); });
        return TRUE;
    case WM_HOTKEY:
        // A wash would change the items a dialog works on: not while one is
        // open. Hiding the browser windows touches nothing of ours.
        if (modal_.Locked() && static_cast<int>(wParam) != TFormMainQLMR::kHideHotKeyId) {
            ::MessageBeep(MB_ICONWARNING);
            return 0;
        }
        Run([this, wParam] { form_.WMHotKey(static_cast<int>(wParam)); });
        return 0;
    case WM_TIMER:
        // While a dialog is open the tick is left out; the timed wash stays
        // due and comes at the first tick after the dialog.
        if (wParam == kTimer1 && !modal_.Locked()) {
            Run([this] { form_.Timer1Timer(); });
        }
        return 0;
    case WM_QUERYENDSESSION:
        if (!modal_.Locked()) {
            Run([this] { form_.WMQueryEndSession(); });
        }
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            // The control that has the focus gets it back when the window
            // is active again.
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(hwnd_, focus)) {
                focusBefore_ = focus;
            }
            break;
        }
        // The first activation's work (a start-up wash) runs once the
        // activation itself is over.
        PostFirstActivation();
        if (!::IsIconic(hwnd_) && RestoreFocus(focusBefore_)) {
            return 0;
        }
        break;
    case kFirstActivation:
        Run([this] { form_.FormActivate(); });
        return 0;
    case kTrayMessage:
        OnTray(lParam);
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            // Minimized, the program lives in the notification area.
            ::ShowWindow(hwnd_, SW_HIDE);
        }
        break;
    case WM_CLOSE:
        // Not under an open dialog, which works on the window's state.
        if (!modal_.Locked() && form_.FormCloseQuery()) {
            ::DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        if (timerOn_) {
            ::KillTimer(hwnd_, kTimer1);
            timerOn_ = false;
        }
        tray_.reset();
        Run([this] { form_.FormClose(); });
        Run([this] { form_.FormDestroy(); });
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0 && tray_) {
            // The shell restarted and lost the icon, the program's only door
            // while it is hidden.
            (void)tray_->ShowAgain("Quillmere");
            return 0;
        }
        break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

const Command* MainFrame::CommandOf(int id) const {
    for (const auto& [button, command] : buttons_) {
        if (command->id == id) {
            return command;
        }
    }
    return nullptr;
}

void MainFrame::OnCommand(int id) {
    const Command* command = CommandOf(id);
    if (!command) {
        return;
    }
    if (!command->click) {
        ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        return;
    }
    Run([this, command] { (form_.*(command->click))(); });
}

LRESULT MainFrame::OnNotify(NMHDR* header) {
    const int id = static_cast<int>(header->idFrom);
    if (id != IDL_ITEMS && id != IDL_FOLDERS && id != IDL_REGISTERS) {
        return 0;
    }
    if (header->code == LVN_ITEMCHANGED) {
        return OnListChanged(id, *reinterpret_cast<NMLISTVIEW*>(header));
    }
    if (header->code == NM_CUSTOMDRAW && id == IDL_ITEMS) {
        return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    }
    return 0;
}

LRESULT MainFrame::OnListChanged(int id, const NMLISTVIEW& change) {
    if (mirroring_ || !(change.uChanged & LVIF_STATE) || change.iItem < 0) {
        return 0;
    }
    ListMirror& list = id == IDL_ITEMS ? items_ : id == IDL_FOLDERS ? folders_ : registers_;
    const std::int32_t row = change.iItem;
    if (!list.model->Valid(row)) {
        return 0;
    }
    if (form_.RunInProgress()) {
        // Nothing changes under a run: the list shows the model again later.
        list.shown.clear();
        return 0;
    }
    const UINT changed = change.uNewState ^ change.uOldState;
    if ((changed & LVIS_STATEIMAGEMASK) && ((change.uNewState & LVIS_STATEIMAGEMASK) != 0)) {
        list.model->SetChecked(row, IsChecked(change.uNewState));
        if (id == IDL_ITEMS) {
            Run([this] { form_.ChListBoxItemClickCheck(); });
        } else if (id == IDL_FOLDERS) {
            Run([this, row] { form_.ChListBoxFolderClickCheck(row); });
        } else {
            Run([this, row] { form_.ChListBoxRegisterClickCheck(row); });
        }
    }
    if ((changed & LVIS_SELECTED) && (change.uNewState & LVIS_SELECTED)) {
        list.model->ItemIndex = row;
        if (id == IDL_ITEMS) {
            Run([this] { form_.ChListBoxItemClick(); });
        }
    }
    return 0;
}

LRESULT MainFrame::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const auto row = static_cast<std::int32_t>(draw.nmcd.dwItemSpec);
        if (!form_.RowIsSpecial(row)) {
            return CDRF_DODEFAULT;
        }
        // Red also when selected: on a pale tint of the selection colour
        // rather than in the selection's own colours.
        draw.clrText = kRed;
        if (ListView_GetItemState(items_.hwnd, row, LVIS_SELECTED) & LVIS_SELECTED) {
            draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
            draw.clrTextBk = SpecialSelectionColour();
        }
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void MainFrame::Run(const std::function<void()>& handler) {
    // A run or a dialog takes the focus away (its commands are disabled, the
    // dialog has it); once the outermost handler is over it goes back.
    HWND focus = ::GetFocus();
    const bool outermost = runDepth_ == 0;
    ++runDepth_;
    try {
        handler();
    } catch (...) {
        form_.ApplicationEventsError(std::current_exception());
    }
    try {
        if (hwnd_) {
            Mirror();
        }
    } catch (...) {
        form_.ApplicationEventsError(std::current_exception());
    }
    --runDepth_;
    if (outermost && hwnd_) {
        RestoreFocus(focus);
    }
}

bool MainFrame::TakesFocus(HWND control) const {
    return control && ::IsChild(hwnd_, control) && ::IsWindowVisible(control) &&
           ::IsWindowEnabled(control);
}

bool MainFrame::RestoreFocus(HWND wanted) {
    if (modal_.Locked() || ::GetActiveWindow() != hwnd_) {
        return false;
    }
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus) && TakesFocus(focus)) {
        return true; // a control has it
    }
    HWND target = TakesFocus(wanted) ? wanted : items_.hwnd;
    if (!TakesFocus(target)) {
        return false;
    }
    ::SetFocus(target);
    return true;
}

void MainFrame::MirrorList(ListMirror& list) {
    const CheckListBox& model = *list.model;
    bool same = static_cast<std::int32_t>(list.shown.size()) == model.Count();
    for (std::int32_t i = 0; same && i < model.Count(); ++i) {
        same = list.shown[static_cast<std::size_t>(i)].Text == model.At(i).Text;
    }
    if (!same) {
        // Filled in one go: no repaint per row, the rows allocated at once,
        // each inserted with its check mark.
        ::SendMessageW(list.hwnd, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list.hwnd);
        ListView_SetItemCountEx(list.hwnd, model.Count(), LVSICF_NOINVALIDATEALL);
        list.shown.clear();
        list.shown.reserve(static_cast<std::size_t>(model.Count()));
        for (std::int32_t i = 0; i < model.Count(); ++i) {
            std::wstring text = Wide(model.At(i).Text);
            const bool checked = model.Checked(i);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_STATE;
            item.iItem = i;
            item.pszText = text.data();
            item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
            item.stateMask = LVIS_STATEIMAGEMASK;
            ListView_InsertItem(list.hwnd, &item);
            list.shown.push_back({model.At(i).Text, checked});
        }
        list.shownIndex = -2;
    }
    for (std::int32_t i = 0; i < model.Count(); ++i) {
        auto& shown = list.shown[static_cast<std::size_t>(i)];
        const bool checked = model.Checked(i);
        const UINT current = ListView_GetItemState(list.hwnd, i, LVIS_STATEIMAGEMASK);
        if (shown.Checked != checked || IsChecked(current) != checked) {
            ListView_SetCheckState(list.hwnd, i, checked ? TRUE : FALSE);
            shown.Checked = checked;
        }
    }
    if (!same) {
        ::SendMessageW(list.hwnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list.hwnd, nullptr, TRUE);
    }
    if (list.shownIndex != model.ItemIndex) {
        ListView_SetItemState(list.hwnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (model.Valid(model.ItemIndex)) {
            ListView_SetItemState(list.hwnd, model.ItemIndex, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(list.hwnd, model.ItemIndex, FALSE);
        }
        list.shownIndex = model.ItemIndex;
    }
}

void MainFrame::Mirror() {
    mirroring_ = true;
    // While a dialog is open, nothing but the Cancel buttons takes input:
    // the dialog works on what the window shows.
    const bool locked = modal_.Locked();
    if (!form_.ListsSuspended) {
        MirrorList(items_);
        MirrorList(folders_);
        MirrorList(registers_);
    }
    for (ListMirror* list : {&items_, &folders_, &registers_}) {
        const bool enabled = list->model->Enabled && !locked;
        if ((::IsWindowEnabled(list->hwnd) != FALSE) != enabled) {
            ::EnableWindow(list->hwnd, enabled ? TRUE : FALSE);
        }
    }
    for (const auto& [button, command] : buttons_) {
        // The Cancel buttons take their clicks also under a dialog.
        const bool cancel = button == spMainCancel_ || button == spCancelPreview_;
        const bool enabled =
            (!locked || cancel) && (!command->state || (form_.*(command->state)).Enabled);
        if ((::IsWindowEnabled(button) != FALSE) != enabled) {
            ::EnableWindow(button, enabled ? TRUE : FALSE);
        }
    }
    // One Cancel button at a time in their shared place: the main one while
    // files are removed, also under a preview.
    const bool mainCancel = form_.spMainCancel.Visible;
    const bool previewCancel = form_.SpCancelPreview.Visible && !mainCancel;
    if ((::IsWindowVisible(spMainCancel_) != FALSE) != mainCancel) {
        ::ShowWindow(spMainCancel_, mainCancel ? SW_SHOWNA : SW_HIDE);
    }
    if ((::IsWindowVisible(spCancelPreview_) != FALSE) != previewCancel) {
        ::ShowWindow(spCancelPreview_, previewCancel ? SW_SHOWNA : SW_HIDE);
    }
    MirrorStatus();
    if (form_.Timer1Enabled != timerOn_) {
        timerOn_ = form_.Timer1Enabled;
        if (timerOn_) {
            ::SetTimer(hwnd_, kTimer1, TFormMainQLMR::kTimerInterval, nullptr);
        } else {
            ::KillTimer(hwnd_, kTimer1);
        }
    }
    mirroring_ = false;
}

void MainFrame::MirrorStatus() {
    std::string text;
    switch (form_.Status) {
    case StatusMode::Idle:
        text = form_.LabelStatus;
        break;
    case StatusMode::Searching:
        text = form_.l1 + form_.l2 + form_.l3 + form_.l4;
        break;
    case StatusMode::Counters:
        text = "Files Cleaned   Success: " + form_.LabFolderSuccess +
               "   Fails: " + form_.LabFolderFails +
               "        Registries Cleaned   Success: " + form_.LabelSuccess +
               "   Fails: " + form_.LabelFails;
        break;
    case StatusMode::Progress:
        break;
    }
    statusShownMode_ = form_.Status;
    cancelShown_ = form_.spMainCancel.Visible;
    const bool progress = form_.Status == StatusMode::Progress;
    if ((::IsWindowVisible(progress_) != FALSE) != progress) {
        ::ShowWindow(progress_, progress ? SW_SHOWNA : SW_HIDE);
    }
    if (progress) {
        if (progressShownMax_ != form_.ProgressBar1Max) {
            ::SendMessageW(progress_, PBM_SETRANGE32, 0, form_.ProgressBar1Max);
            progressShownMax_ = form_.ProgressBar1Max;
            progressShownPosition_ = -1;
        }
        if (progressShownPosition_ != form_.ProgressBar1Position) {
            ::SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(form_.ProgressBar1Position),
                           0);
            progressShownPosition_ = form_.ProgressBar1Position;
        }
    }
    std::wstring wide = Wide(text);
    if (wide != statusShown_) {
        ::SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        statusShown_ = std::move(wide);
    }
}

void MainFrame::Refresh() {
    if (!hwnd_) {
        return;
    }
    // A new mode of the status bar, and a run beginning or ending (its
    // Cancel button), show at once; counters and progress within a mode as
    // often as the eye can follow.
    if (form_.Status == statusShownMode_ && form_.spMainCancel.Visible == cancelShown_ &&
        !refresh_.Due(::GetTickCount())) {
        return;
    }
    refresh_.Reset();
    (void)refresh_.Due(::GetTickCount());
    Mirror();
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainFrame::ProcessMessages() {
    Refresh();
    // Pending messages are looked at every few milliseconds: Cancel takes
    // effect at once, and a run does not spend its time asking.
    if (!pump_.Due(::GetTickCount())) {
        return;
    }
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (hwnd_ && ::IsDialogMessageW(hwnd_, &msg)) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void MainFrame::Repaint() {
    Refresh();
}

void MainFrame::WaitForMessages(std::uint32_t maxMs) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, maxMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    // What woke the wait is handled by the next pump.
    pump_.Reset();
}

std::uint32_t MainFrame::TickCount() {
    return ::GetTickCount();
}

} // namespace quill::win32app
