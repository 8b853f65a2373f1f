#include "app/win32/preview_window.h"

#include "app/error_barrier.h"
#include "app/win32/modal_window.h"
#include "app/win32/preview_window_ids.h"
#include "platform/win32/wide.h"

#include <algorithm>

namespace quill::win32app {

namespace {

using platform::win32::Wide;

using namespace previewids;

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kKeySelection = RGB(10, 95, 137);
constexpr COLORREF kRed = RGB(255, 0, 0);

const wchar_t* ClassNameOf(const TPreviewForm& dialog) {
    switch (dialog.Kind()) {
    case PreviewKind::Folder:
        return L"TFormPreviewFolder";
    case PreviewKind::Register:
        return L"TFormPreviewregister";
    case PreviewKind::FolderRegister:
        return L"TFormPreviewFolderRegister";
    case PreviewKind::All:
        break;
    }
    return L"TFormPreviewAll";
}

} // namespace

PreviewWindow::PreviewWindow(TPreviewForm& dialog, const PreviewWashContext& context,
                             ModalStack& stack, HINSTANCE instance)
    : dialog_(dialog), context_(context), stack_(stack), instance_(instance) {
    auto AddPage = [this](ListRole role, PreviewList* list) {
        Page page;
        page.role = role;
        page.list = list;
        pages_.push_back(std::move(page));
    };
    switch (dialog_.Kind()) {
    case PreviewKind::Folder:
        AddPage(ListRole::Files, &dialog_.CheckListBoxPreviewFolder);
        break;
    case PreviewKind::Register:
        AddPage(ListRole::Entries, &dialog_.CheckListBoxPreviewregister);
        break;
    case PreviewKind::FolderRegister:
        AddPage(ListRole::Files, &dialog_.CheckListBoxPreviewFolder);
        AddPage(ListRole::Entries, &dialog_.CheckListBoxPreviewregister);
        break;
    case PreviewKind::All:
        AddPage(ListRole::Special, &dialog_.CheckListBoxSpecial);
        AddPage(ListRole::Files, &dialog_.CheckListBoxPreviewFolder);
        AddPage(ListRole::Entries, &dialog_.CheckListBoxPreviewregister);
        break;
    }
    for (Page& page : pages_) {
        if (page.role == ListRole::Entries) {
            page.looks.resize(static_cast<std::size_t>(page.list->Count()));
        }
    }
}

PreviewWindow::~PreviewWindow() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (listFont_) {
        ::DeleteObject(listFont_);
    }
    if (buttonFont_) {
        ::DeleteObject(buttonFont_);
    }
}

void PreviewWindow::ShowModal() {
    const wchar_t* className = ClassNameOf(dialog_);
    // The item dialog's border can be dragged; the others keep their size.
    const bool sizable = dialog_.Kind() == PreviewKind::FolderRegister;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | (sizable ? WS_THICKFRAME : 0);
    hwnd_ = CreateCentredPopup(instance_, className, &PreviewWindow::WindowProc,
                               Wide(dialog_.Caption).c_str(), style,
                               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 572, 386, stack_, this);
    if (!hwnd_) {
        return;
    }
    CreateControls();
    ShowPage(dialog_.ActivePage);
    // Never smaller than designed.
    RECT frame{};
    ::GetWindowRect(hwnd_, &frame);
    minimumSize_ = {frame.right - frame.left, frame.bottom - frame.top};

    RunModal(
        hwnd_, stack_, [this] { return dialog_.Closed; },
        [this](const MSG& msg) { return PreTranslate(msg); });
    hwnd_ = nullptr;
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

void PreviewWindow::CreateControls() {
    listFont_ = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                              0, 0, L"Arial");
    buttonFont_ = ::CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                0, 0, L"Arial");
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, instance_, nullptr);
    auto hint = [&](HWND control, const wchar_t* text) {
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = hwnd_;
        ti.uId = reinterpret_cast<UINT_PTR>(control);
        ti.lpszText = const_cast<wchar_t*>(text);
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    };

    const std::vector<std::string> names = dialog_.PageNames();
    if (!names.empty()) {
        // Below the lists, which it frames: it clips them out of what it paints.
        tabs_ = ::CreateWindowExW(
            0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0,
            0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PAGES)), instance_, nullptr);
        ::SendMessageW(tabs_, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::wstring name = Wide(names[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = name.data();
            TabCtrl_InsertItem(tabs_, static_cast<int>(i), &item);
        }
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        Page& page = pages_[i];
        const int id = static_cast<int>(i);
        page.view = ::CreateWindowExW(
            WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
            WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                LVS_SHOWSELALWAYS | LVS_OWNERDATA,
            0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDL_FIRST_LIST + id)),
            instance_, nullptr);
        ::SendMessageW(page.view, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), FALSE);
        ListView_SetExtendedListViewStyle(page.view, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 2000;
        ListView_InsertColumn(page.view, 0, &column);
        ListView_SetItemCountEx(page.view, page.list->Count(), LVSICF_NOINVALIDATEALL);

        page.selectAll = ::CreateWindowExW(
            0, L"BUTTON", L"+", WS_CHILD | WS_TABSTOP | BS_FLAT, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDB_FIRST_SELECT_ALL + id)), instance_,
            nullptr);
        page.unselectAll = ::CreateWindowExW(
            0, L"BUTTON", L"-", WS_CHILD | WS_TABSTOP | BS_FLAT, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDB_FIRST_UNSELECT_ALL + id)), instance_,
            nullptr);
        hint(page.selectAll, L"Select All");
        hint(page.unselectAll, L"Unselect All");
    }
    wash_ = ::CreateWindowExW(0, L"BUTTON", L"&Wash", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                              0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDB_WASH)),
                              instance_, nullptr);
    close_ = ::CreateWindowExW(0, L"BUTTON", L"Cl&ose", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                               0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDB_CLOSE)),
                               instance_, nullptr);
    ::SendMessageW(wash_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    ::SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    if (tabs_) {
        // Last in the Tab order, as it is lowest on screen.
        ::SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    LayOut();
}

void PreviewWindow::LayOut() {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int cw = client.right;
    const int ch = client.bottom;
    constexpr int kMargin = 8;
    constexpr int kSmall = 28;     // the Select All and Unselect All buttons
    constexpr int kButtonRow = 46; // Wash and Close, with their margins
    // The lists' area: inside the tab control's frame when there are pages.
    RECT area{kMargin, kMargin, cw - kMargin, ch - kButtonRow};
    if (tabs_) {
        ::MoveWindow(tabs_, area.left, area.top - 2, area.right - area.left,
                     area.bottom - area.top + 2, TRUE);
        RECT inside{0, 0, area.right - area.left, area.bottom - area.top + 2};
        TabCtrl_AdjustRect(tabs_, FALSE, &inside);
        ::OffsetRect(&inside, area.left, area.top - 2);
        area = inside;
        ::InflateRect(&area, -2, -2);
    }
    const int listWidth = std::max(0, static_cast<int>(area.right - area.left) - kSmall - 4);
    const int listHeight = std::max(0, static_cast<int>(area.bottom - area.top));
    for (Page& page : pages_) {
        ::MoveWindow(page.view, area.left, area.top, listWidth, listHeight, TRUE);
        ::MoveWindow(page.selectAll, area.right - kSmall, area.top, kSmall, kSmall, TRUE);
        ::MoveWindow(page.unselectAll, area.right - kSmall, area.top + kSmall + 4, kSmall, kSmall,
                     TRUE);
    }
    ::MoveWindow(wash_, cw / 2 - 110, ch - 38, 100, 30, TRUE);
    ::MoveWindow(close_, cw / 2 + 10, ch - 38, 100, 30, TRUE);
}

bool PreviewWindow::PreTranslate(const MSG& msg) {
    // Ctrl+Tab and Ctrl+Shift+Tab change the page.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !tabs_ ||
        (::GetKeyState(VK_CONTROL) & 0x8000) == 0 ||
        (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    const int count = static_cast<int>(pages_.size());
    const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    ShowPage((TabCtrl_GetCurSel(tabs_) + (back ? count - 1 : 1)) % count);
    const HWND focus = ::GetFocus();
    if (!focus || !::IsWindowVisible(focus)) {
        ::SetFocus(tabs_);
    }
    return true;
}

void PreviewWindow::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) {
        index = 0;
    }
    if (tabs_) {
        TabCtrl_SetCurSel(tabs_, index);
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const int show = static_cast<int>(i) == index ? SW_SHOW : SW_HIDE;
        ::ShowWindow(pages_[i].view, show);
        ::ShowWindow(pages_[i].selectAll, show);
        ::ShowWindow(pages_[i].unselectAll, show);
    }
    dialog_.ActivePage = index;
}

PreviewWindow::Page* PreviewWindow::PageOf(HWND view) {
    for (Page& page : pages_) {
        if (page.view == view) {
            return &page;
        }
    }
    return nullptr;
}

void PreviewWindow::Toggle(Page& page, int row) {
    if (row < 0 || row >= page.list->Count()) {
        return;
    }
    auto& line = page.list->Lines[static_cast<std::size_t>(row)];
    line.Checked = !line.Checked;
    ListView_RedrawItems(page.view, row, row);
}

const RegistryLineLook& PreviewWindow::LookOf(Page& page, int row) {
    auto& look = page.looks[static_cast<std::size_t>(row)];
    if (!look) {
        look = LookOfRegistryLine(page.list->Lines[static_cast<std::size_t>(row)].Text,
                                  context_.registry);
    }
    return *look;
}

void PreviewWindow::Wash() {
    if (washing_) {
        return;
    }
    washing_ = true;
    ::EnableWindow(wash_, FALSE);
    ::EnableWindow(close_, FALSE);
    try {
        dialog_.Wash(context_);
    } catch (...) {
        failure_ = std::current_exception();
        dialog_.Close();
    }
    washing_ = false;
}

void PreviewWindow::OnCommand(int id) {
    if (id == IDB_WASH) {
        Wash();
        return;
    }
    if (id == IDB_CLOSE || id == IDCANCEL) {
        if (!washing_) {
            dialog_.Close();
        }
        return;
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        Page& page = pages_[i];
        if (id == IDB_FIRST_SELECT_ALL + static_cast<int>(i)) {
            page.list->SelectAll();
        } else if (id == IDB_FIRST_UNSELECT_ALL + static_cast<int>(i)) {
            page.list->UnselectAll();
        } else {
            continue;
        }
        ::InvalidateRect(page.view, nullptr, FALSE);
    }
}

LRESULT PreviewWindow::OnNotify(NMHDR* header) {
    if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
        ShowPage(TabCtrl_GetCurSel(tabs_));
        return 0;
    }
    Page* page = PageOf(header->hwndFrom);
    if (!page) {
        return 0;
    }
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        const int row = info->item.iItem;
        if (row < 0 || row >= page->list->Count()) {
            return 0;
        }
        const CheckedLine& line = page->list->Lines[static_cast<std::size_t>(row)];
        if (info->item.mask & LVIF_TEXT) {
            text_ = Wide(page->role == ListRole::Entries ? LookOf(*page, row).text : line.Text);
            info->item.pszText = text_.data();
        }
        if (info->item.mask & LVIF_STATE) {
            info->item.stateMask |= LVIS_STATEIMAGEMASK;
            info->item.state |= INDEXTOSTATEIMAGEMASK(line.Checked ? 2 : 1);
        }
        return 0;
    }
    case NM_CLICK: {
        auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
        LVHITTESTINFO hit{};
        hit.pt = click->ptAction;
        ListView_SubItemHitTest(page->view, &hit);
        if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
            Toggle(*page, hit.iItem);
        }
        return 0;
    }
    case LVN_KEYDOWN: {
        auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
        if (key->wVKey == VK_SPACE) {
            Toggle(*page, ListView_GetNextItem(page->view, -1, LVNI_FOCUSED));
        }
        return 0;
    }
    case NM_CUSTOMDRAW: {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            return CDRF_NOTIFYITEMDRAW;
        }
        if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) {
            return CDRF_DODEFAULT;
        }
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (page->role == ListRole::Special) {
            draw->clrText = kRed;
            return CDRF_NEWFONT;
        }
        if (page->role == ListRole::Entries && row >= 0 && row < page->list->Count() &&
            LookOf(*page, row).keyColours) {
            const bool selected =
                (ListView_GetItemState(page->view, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
            if (selected) {
                // Drawn as not selected, in the key's own selection colours.
                draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
                draw->clrText = RGB(255, 255, 255);
                draw->clrTextBk = kKeySelection;
            } else {
                draw->clrText = kNavy;
            }
            return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
    }
    default:
        return 0;
    }
}

LRESULT CALLBACK PreviewWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<PreviewWindow*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PreviewWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // An error ends the dialog and is raised again once its loop is over.
    return ErrorBarrier([&] { return self->Handle(message, wParam, lParam); }, LRESULT{0},
                        [&](std::exception_ptr error) {
                            if (!self->failure_) {
                                self->failure_ = error;
                            }
                            self->dialog_.Close();
                            ::PostMessageW(hwnd, WM_NULL, 0, 0);
                        });
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED || LOWORD(wParam) == IDCANCEL) {
                OnCommand(LOWORD(wParam));
            }
            break;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_SIZE:
            if (wash_) {
                LayOut(); // the item dialog's border can be dragged
            }
            break;
        case WM_GETMINMAXINFO: {
            // Never smaller than designed (nor than the buttons need, before that
            // is known).
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = std::max<LONG>(minimumSize_.x, 320);
            limits->ptMinTrackSize.y = std::max<LONG>(minimumSize_.y, 200);
            return 0;
        }
        case WM_CLOSE:
            if (!washing_) {
                dialog_.Close();
            }
            break;
        default:
            break;
        }
    } catch (...) {
        if (!failure_) {
            failure_ = std::current_exception();
        }
        dialog_.Close();
    }
    if (dialog_.Closed) {
        // Wakes the modal loop, which looks at the flag between messages.
        ::PostMessageW(hwnd_, WM_NULL, 0, 0);
    }
    if (message == WM_COMMAND || message == WM_CLOSE) {
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace quill::win32app
