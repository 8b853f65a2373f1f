#include "app/win32/main_frame.h"

#include "app/error_barrier.h"
#include "app/resources/resource_ids.h"
#include "platform/win32/wide.h"

#include <commctrl.h>

#include <exception>

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

enum ControlId : int {
    // Top toolbar.
    kBtnSetting = 100,
    kBtnExclude,
    kBtnViewLog,
    kBtnDeleteLog,
    kSpeedButton7,
    kBtnSavePlugin,
    kSpeedButton3,
    kSpeedButton2,
    kBtnMainPreview,
    kBtnWashAll,
    kSpMainCancel,
    kSpCancelPreview,
    kSpeedButton17,
    // The three lists.
    kChListBoxItem = 200,
    kChListBoxFolder,
    kChListBoxRegister,
    // Beside the wash item list.
    kBtnPreviewCurrentItem = 300,
    kBtnWashSingle,
    kSpNew,
    kSpEdit,
    kSpDelete,
    kBtnUp,
    kBtnDown,
    kBtnSelectall,
    kBtnUnselectAll,
    kBtnImportWinapp2,
    // Folder/file box.
    kBtnPreviewCurrentFolder = 400,
    kBtnWashFolder,
    kBtnaddfolder,
    kBtnEditFolder,
    kBtndeletefolder,
    kSpeedButton1,
    kSpeedButton4,
    // Registry box.
    kBtnPreviewCurrentRegister = 500,
    kBtnWashRegister,
    kBtnAddRegsiterChild,
    kBtnEditRegsiterChild,
    kBtndeleteregister,
    kSpeedButton6,
    kSpeedButton5,
};

// The commands whose handlers exist so far; the others stay disabled until
// the steps that build them connect them.
bool Connected(int id) {
    switch (id) {
    case kBtnViewLog:
    case kBtnDeleteLog:
    case kSpeedButton2:
    case kSpeedButton17:
    case kBtnSelectall:
    case kBtnUnselectAll:
    case kBtnMainPreview:
    case kBtnWashAll:
    case kSpMainCancel:
    case kSpCancelPreview:
    case kBtnPreviewCurrentItem:
    case kBtnWashSingle:
    case kBtnPreviewCurrentFolder:
    case kBtnWashFolder:
    case kBtnPreviewCurrentRegister:
    case kBtnWashRegister:
    case kSpNew:
    case kSpEdit:
    case kSpDelete:
    case kBtnUp:
    case kBtnDown:
    case kBtnaddfolder:
    case kBtnEditFolder:
    case kBtndeletefolder:
    case kSpeedButton1:
    case kSpeedButton4:
    case kBtnAddRegsiterChild:
    case kBtnEditRegsiterChild:
    case kBtndeleteregister:
    case kSpeedButton6:
    case kSpeedButton5:
    case kBtnSavePlugin:
    case kSpeedButton7:
    case kBtnImportWinapp2:
    case kBtnSetting:
    case kBtnExclude:
    case kSpeedButton3:
        return true;
    default:
        return false;
    }
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

HWND MainFrame::AddButton(int id, const wchar_t* caption, const wchar_t* hint, int x, int y, int w,
                          int h) {
    HWND b = ::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, w,
                               h, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance_, nullptr);
    ::SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    AddHint(b, hint);
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
    return list;
}

void MainFrame::CreateControls() {
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, instance_, nullptr);

    struct ToolbarButton {
        int id;
        const wchar_t* caption;
        const wchar_t* hint;
        int width;
    };
    // Top toolbar, left to right; Exit at the right end.
    const ToolbarButton toolbar[] = {
        {kBtnSetting, L"Preferences", L"Preferences", 72},
        {kBtnExclude, L"Exclude", L"Select Files to Exclude", 56},
        {kBtnViewLog, L"View Log", L"View Log", 56},
        {kBtnDeleteLog, L"Delete Log", L"Delete Log", 64},
        {kSpeedButton7, L"Import", L"Import Wash Items from PlugIn File", 50},
        {kBtnSavePlugin, L"Export", L"Export Wash Items Selected to PlugIn File", 50},
        {kSpeedButton3, L"About", L"About...", 46},
        {kSpeedButton2, L"Help", L"Help", 40},
        {kBtnMainPreview, L"Preview", L"Preview All Wash Items Checked", 54},
        {kBtnWashAll, L"Wash Now", L"Clean All Wash Items Checked", 62},
    };
    int x = 4;
    for (const ToolbarButton& s : toolbar) {
        ControlState* state = s.id == kBtnWashAll       ? &form_.btnWashAll
                              : s.id == kBtnMainPreview ? &form_.btnMainPreview
                              : s.id == kBtnSetting     ? &form_.btnsetting
                              : s.id == kBtnExclude     ? &form_.btnExclude
                              : s.id == kSpeedButton7   ? &form_.SpeedButton7
                              : s.id == kBtnSavePlugin  ? &form_.btnSavePlugin
                              : s.id == kBtnDeleteLog   ? &form_.btnDeleteLog
                                                        : nullptr;
        buttons_.push_back({AddButton(s.id, s.caption, s.hint, x, 4, s.width, 26), state});
        x += s.width + 2;
    }
    // The two Cancel buttons share one place right of Wash Now, hidden.
    spMainCancel_ = AddButton(kSpMainCancel, L"Cancel", L"Cancel Operation", x, 4, 65, 26);
    spCancelPreview_ = AddButton(kSpCancelPreview, L"Cancel", L"Cancel Operation", x, 4, 65, 26);
    ::ShowWindow(spMainCancel_, SW_HIDE);
    ::ShowWindow(spCancelPreview_, SW_HIDE);
    buttons_.push_back({AddButton(kSpeedButton17, L"Exit", L"Exit", kClientWidth - 54, 4, 50, 26),
                        &form_.SpeedButton17});

    // Left half: the wash item list and its commands.
    HWND label = ::CreateWindowExW(0, L"STATIC", L"Wash Item", WS_CHILD | WS_VISIBLE, 4, 38, 200,
                                   14, hwnd_, nullptr, instance_, nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    items_.hwnd = AddList(kChListBoxItem, 4, 54, 262, 418);
    const struct {
        int id;
        const wchar_t* caption;
        const wchar_t* hint;
        ControlState* state;
    } itemCommands[] = {
        {kBtnPreviewCurrentItem, L"Preview", L"Preview Current Wash Item",
         &form_.btnPreviewCurrentItem},
        {kBtnWashSingle, L"Clean", L"Clean Current Wash Item", &form_.btnWashSingle},
        {kSpNew, L"Add", L"Add Wash Item", &form_.SpNew},
        {kSpEdit, L"Edit", L"Edit Current Wash Item", &form_.SpEdit},
        {kSpDelete, L"Delete", L"Delete Current Wash Item", &form_.SpDelete},
        {kBtnUp, L"Up", L"Up Current Wash Item", &form_.btnUp},
        {kBtnDown, L"Down", L"Down Current Wash Item", &form_.btnDown},
        {kBtnSelectall, L"Check All", L"Check All Wash Items", &form_.btnSelectall},
        {kBtnUnselectAll, L"Uncheck All", L"UnCheck All Wash Items", &form_.btnUnselectAll},
        {kBtnImportWinapp2, L"winapp2.ini", L"Import winapp2.ini", &form_.btnImportWinapp2},
    };
    int y = 54;
    for (const auto& c : itemCommands) {
        buttons_.push_back({AddButton(c.id, c.caption, c.hint, 270, y, 80, 24), c.state});
        y += 28;
    }

    // Right half: the folder/file box and the registry box.
    const struct {
        const wchar_t* title;
        int top;
        int listId;
        ListMirror* mirror;
        int firstId;
        const wchar_t* hints[7];
        ControlState* states[7];
    } boxes[] = {
        {L"Clean Folder/File of Current Wash Item",
         34,
         kChListBoxFolder,
         &folders_,
         kBtnPreviewCurrentFolder,
         {L"Preview Files of Current Item", L"Clean Files of Current Item", L"Add Folder/File Item",
          L"Edit Current Folder/File Item", L"Delete Current Folder/File Item",
          L"Check All Wash Items", L"UnCheck All Wash Items"},
         {&form_.btnPreviewCurrentFolder, &form_.btnWashFolder, &form_.btnaddfolder,
          &form_.btnEditFolder, &form_.btndeletefolder, &form_.SpeedButton1, &form_.SpeedButton4}},
        {L"Clean Registry Entry of Current Wash Item",
         256,
         kChListBoxRegister,
         &registers_,
         kBtnPreviewCurrentRegister,
         {L"Preview Registry Entry of Current Item", L"Wash Registry Entry of Current Item",
          L"Add Registry Entry Item", L"Edit Current Registry Entry Item",
          L"Delete Registry Entry Item", L"Check All Wash Items", L"UnCheck All Wash Items"},
         {&form_.btnPreviewCurrentRegister, &form_.btnWashRegister, &form_.btnAddRegsiterChild,
          &form_.btnEditRegsiterChild, &form_.btndeleteregister, &form_.SpeedButton6,
          &form_.SpeedButton5}},
    };
    const wchar_t* const captions[7] = {L"Preview", L"Clean",     L"Add",        L"Edit",
                                        L"Delete",  L"Check All", L"Uncheck All"};
    for (const auto& box : boxes) {
        HWND group = ::CreateWindowExW(0, L"BUTTON", box.title, WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                       356, box.top, 347, 216, hwnd_, nullptr, instance_, nullptr);
        ::SendMessageW(group, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        box.mirror->hwnd = AddList(box.listId, 364, box.top + 18, 230, 190);
        int by = box.top + 18;
        for (int i = 0; i < 7; ++i) {
            buttons_.push_back(
                {AddButton(box.firstId + i, captions[i], box.hints[i], 600, by, 96, 24),
                 box.states[i]});
            by += 27;
        }
    }

    status_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                                nullptr, instance_, nullptr);
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
        if (HIWORD(wParam) == BN_CLICKED) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
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
        if (LOWORD(wParam) != WA_INACTIVE) {
            // The first activation's work (a start-up wash) runs once the
            // activation itself is over.
            PostFirstActivation();
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

void MainFrame::OnCommand(int id) {
    switch (id) {
    case kBtnViewLog:
        Run([this] { form_.btnViewLogClick(); });
        break;
    case kBtnDeleteLog:
        Run([this] { form_.btnDeleteLogClick(); });
        break;
    case kSpeedButton2:
        Run([this] { form_.SpeedButton2Click(); });
        break;
    case kSpeedButton17:
        ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        break;
    case kBtnSelectall:
        Run([this] { form_.btnSelectallClick(); });
        break;
    case kBtnWashAll:
        Run([this] { form_.btnWashAllClick(); });
        break;
    case kBtnMainPreview:
        Run([this] { form_.btnMainPreviewClick(); });
        break;
    case kBtnWashSingle:
        Run([this] { form_.btnWashSingleClick(); });
        break;
    case kBtnPreviewCurrentItem:
        Run([this] { form_.btnPreviewCurrentItemClick(); });
        break;
    case kBtnWashFolder:
        Run([this] { form_.btnWashFolderClick(); });
        break;
    case kBtnPreviewCurrentFolder:
        Run([this] { form_.btnPreviewCurrentFolderClick(); });
        break;
    case kBtnWashRegister:
        Run([this] { form_.btnWashRegisterClick(); });
        break;
    case kBtnPreviewCurrentRegister:
        Run([this] { form_.btnPreviewCurrentRegisterClick(); });
        break;
    case kSpMainCancel:
        Run([this] { form_.spMainCancelClick(); });
        break;
    case kSpNew:
        Run([this] { form_.SpNewClick(); });
        break;
    case kSpEdit:
        Run([this] { form_.SpEditClick(); });
        break;
    case kSpDelete:
        Run([this] { form_.SpDeleteClick(); });
        break;
    case kBtnUp:
        Run([this] { form_.btnUpClick(); });
        break;
    case kBtnDown:
        Run([this] { form_.btnDownClick(); });
        break;
    case kBtnaddfolder:
        Run([this] { form_.btnaddfolderClick(); });
        break;
    case kBtnEditFolder:
        Run([this] { form_.btnEditFolderClick(); });
        break;
    case kBtndeletefolder:
        Run([this] { form_.btndeletefolderClick(); });
        break;
    case kSpeedButton1:
        Run([this] { form_.SpeedButton1Click(); });
        break;
    case kSpeedButton4:
        Run([this] { form_.SpeedButton4Click(); });
        break;
    case kBtnAddRegsiterChild:
        Run([this] { form_.btnAddRegsiterChildClick(); });
        break;
    case kBtnEditRegsiterChild:
        Run([this] { form_.btnEditRegsiterChildClick(); });
        break;
    case kBtndeleteregister:
        Run([this] { form_.btndeleteregisterClick(); });
        break;
    case kSpeedButton6:
        Run([this] { form_.SpeedButton6Click(); });
        break;
    case kSpeedButton5:
        Run([this] { form_.SpeedButton5Click(); });
        break;
    case kBtnSavePlugin:
        Run([this] { form_.btnSavePluginClick(); });
        break;
    case kSpeedButton7:
        Run([this] { form_.SpeedButton7Click(); });
        break;
    case kBtnImportWinapp2:
        Run([this] { form_.btnImportWinapp2Click(); });
        break;
    case kBtnSetting:
        Run([this] { form_.btnsettingClick(); });
        break;
    case kBtnExclude:
        Run([this] { form_.btnExcludeClick(); });
        break;
    case kSpeedButton3:
        Run([this] { form_.SpeedButton3Click(); });
        break;
    case kSpCancelPreview:
        Run([this] { form_.SpCancelPreviewClick(); });
        break;
    case kBtnUnselectAll:
        Run([this] { form_.btnUnselectAllClick(); });
        break;
    default:
        break;
    }
}

LRESULT MainFrame::OnNotify(NMHDR* header) {
    const int id = static_cast<int>(header->idFrom);
    if (id != kChListBoxItem && id != kChListBoxFolder && id != kChListBoxRegister) {
        return 0;
    }
    if (header->code == LVN_ITEMCHANGED) {
        return OnListChanged(id, *reinterpret_cast<NMLISTVIEW*>(header));
    }
    if (header->code == NM_CUSTOMDRAW && id == kChListBoxItem) {
        return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    }
    return 0;
}

LRESULT MainFrame::OnListChanged(int id, const NMLISTVIEW& change) {
    if (mirroring_ || !(change.uChanged & LVIF_STATE) || change.iItem < 0) {
        return 0;
    }
    ListMirror& list = id == kChListBoxItem     ? items_
                       : id == kChListBoxFolder ? folders_
                                                : registers_;
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
        if (id == kChListBoxItem) {
            Run([this] { form_.ChListBoxItemClickCheck(); });
        } else if (id == kChListBoxFolder) {
            Run([this, row] { form_.ChListBoxFolderClickCheck(row); });
        } else {
            Run([this, row] { form_.ChListBoxRegisterClickCheck(row); });
        }
    }
    if ((changed & LVIS_SELECTED) && (change.uNewState & LVIS_SELECTED)) {
        list.model->ItemIndex = row;
        if (id == kChListBoxItem) {
            Run([this] { form_.ChListBoxItemClick(); });
        }
    }
    return 0;
}

LRESULT MainFrame::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        if (form_.RowIsSpecial(static_cast<std::int32_t>(draw.nmcd.dwItemSpec))) {
            draw.clrText = RGB(255, 0, 0);
        }
        return CDRF_NEWFONT;
    default:
        return CDRF_DODEFAULT;
    }
}

void MainFrame::Run(const std::function<void()>& handler) {
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
    for (const auto& [button, state] : buttons_) {
        const int id = ::GetDlgCtrlID(button);
        const bool enabled = !locked && Connected(id) && (state == nullptr || state->Enabled);
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
