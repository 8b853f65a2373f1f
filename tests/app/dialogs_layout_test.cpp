// The dialogs on screen (Wine under Xvfb), each laid out by its own unit:
// every control inside the window and none over another, the small buttons
// top to bottom right of their list, the preferences' pages framed by the
// tab control and changed by Ctrl+Tab, the number box with its arrows, a
// radio group one Tab stop, Enter pressing the default button and Esc
// cancelling. A picture of every dialog is saved for the help topics.

#include "app/win32/dialogs/about_dialog_ids.h"
#include "app/win32/dialogs/exclusion_dialog_ids.h"
#include "app/win32/dialogs/filter_selection_dialog_ids.h"
#include "app/win32/dialogs/folder_child_editor_ids.h"
#include "app/win32/dialogs/preferences_dialog_ids.h"
#include "app/win32/dialogs/profile_detection_dialog_ids.h"
#include "app/win32/dialogs/registry_child_editor_ids.h"
#include "app/win32/dialogs/wash_item_editor_ids.h"
#include "app/win32/dialogs/wildcard_dialog_ids.h"
#include "app/win32/main_frame_ids.h"
#include "app/win32/preview_window_ids.h"
#include "support/screenshot.h"
#include "support/test_env.h"
#include "support/window_driver.h"

#include "platform/win32/wide.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace quill {
namespace {

using platform::win32::Wide;
using namespace test::window;

// The item preview's controls.
constexpr int kPreviewWash = win32app::previewids::IDB_WASH;
constexpr int kPreviewClose = win32app::previewids::IDB_CLOSE;
constexpr int kPreviewTabs = win32app::previewids::IDC_PAGES;
constexpr int kPreviewFiles = win32app::previewids::IDL_FIRST_LIST;
constexpr int kPreviewEntries = win32app::previewids::IDL_FIRST_LIST + 1;
constexpr int kPreviewSelectAll = win32app::previewids::IDB_FIRST_SELECT_ALL;

// The main window's commands.
constexpr int kBtnSetting = win32app::mainids::IDB_SETTING;
constexpr int kBtnExclude = win32app::mainids::IDB_EXCLUDE;
constexpr int kSpeedButton3 = win32app::mainids::IDB_ABOUT;
constexpr int kBtnPreviewCurrentItem = win32app::mainids::IDB_PREVIEW_ITEM;
constexpr int kSpNew = win32app::mainids::IDB_NEW_ITEM;
constexpr int kBtnaddfolder = win32app::mainids::IDB_ADD_FOLDER;
constexpr int kBtnAddRegsiterChild = win32app::mainids::IDB_ADD_REGISTER;

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    ::GetClassNameW(w, name, 64);
    return name;
}

LONG_PTR StyleOf(HWND w) {
    return ::GetWindowLongPtrW(w, GWL_STYLE);
}

// The control's rectangle in its dialog's client area.
RECT RectIn(HWND dialog, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT RectOf(HWND dialog, int id) {
    return RectIn(dialog, ::GetDlgItem(dialog, id));
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::vector<HWND> VisibleChildren(HWND dialog) {
    std::vector<HWND> children;
    for (HWND w = ::GetWindow(dialog, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::IsWindowVisible(w)) {
            children.push_back(w);
        }
    }
    return children;
}

// Up-down arrows sit on their number box's right border.
bool ArrowsOf(HWND arrows, HWND box) {
    return ClassOf(arrows) == UPDOWN_CLASSW &&
           reinterpret_cast<HWND>(::SendMessageW(arrows, UDM_GETBUDDY, 0, 0)) == box;
}

// Every visible control lies inside the client area, and none covers
// another (the tab control frames its pages' controls).
void ExpectLaidOut(HWND dialog) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    const std::vector<HWND> children = VisibleChildren(dialog);
    EXPECT_GT(children.size(), 2u);
    for (HWND w : children) {
        const RECT r = RectIn(dialog, w);
        EXPECT_TRUE(Inside(r, client))
            << "control " << ::GetDlgCtrlID(w) << " (" << r.left << "," << r.top << ")-(" << r.right
            << "," << r.bottom << ") outside " << client.right << "x" << client.bottom;
        EXPECT_GT(r.right - r.left, 0);
        for (HWND other : children) {
            if (other == w || ClassOf(w) == WC_TABCONTROLW || ClassOf(other) == WC_TABCONTROLW ||
                ArrowsOf(w, other) || ArrowsOf(other, w)) {
                continue;
            }
            RECT both{};
            const RECT o = RectIn(dialog, other);
            EXPECT_FALSE(::IntersectRect(&both, &r, &o))
                << "controls " << ::GetDlgCtrlID(w) << " and " << ::GetDlgCtrlID(other)
                << " overlap";
        }
    }
}

// The small buttons stand top to bottom in one column right of the list.
void ExpectColumnRightOf(HWND dialog, int listId, const std::vector<int>& buttons) {
    const RECT list = RectOf(dialog, listId);
    RECT previous{0, 0, 0, list.top};
    for (int id : buttons) {
        HWND button = ::GetDlgItem(dialog, id);
        ASSERT_TRUE(button) << id;
        EXPECT_TRUE(::IsWindowVisible(button)) << id;
        const RECT r = RectIn(dialog, button);
        EXPECT_GE(r.left, list.right) << id;
        EXPECT_GE(r.top, previous.bottom) << id;
        if (previous.right) {
            EXPECT_EQ(r.left, previous.left) << id;
        }
        previous = r;
    }
}

// The dialog's class, once it is up and shown.
HWND WaitForDialog(const wchar_t* className) {
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = ::FindWindowW(className, nullptr);
        return dialog && ::IsWindowVisible(dialog);
    });
    return dialog;
}

bool Closes(const wchar_t* className) {
    return WaitFor([&] { return !::FindWindowW(className, nullptr); });
}

void Post(HWND window, int id) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void Shoot(HWND dialog, const wchar_t* name) {
    ::Sleep(700); // painted
    EXPECT_TRUE(SaveScreenshot(dialog, ScreenshotFolder(), name)) << platform::win32::Narrow(name);
}

// Keys pressed together as real input, released in reverse order.
void Chord(const std::vector<WORD>& keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// A radio group is one Tab stop: its chosen button, reached from the
// control before the group and left to the control after it.
void ExpectOneTabStop(HWND dialog, int before, const std::vector<int>& group, int after) {
    int stops = 0;
    int checked = 0;
    HWND chosen = nullptr;
    for (int id : group) {
        HWND radio = ::GetDlgItem(dialog, id);
        stops += (StyleOf(radio) & WS_TABSTOP) ? 1 : 0;
        if (::SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            ++checked;
            chosen = radio;
        }
    }
    EXPECT_EQ(stops, 1);
    ASSERT_EQ(checked, 1);
    EXPECT_TRUE(StyleOf(chosen) & WS_TABSTOP);
    EXPECT_TRUE(StyleOf(::GetDlgItem(dialog, group.front())) & WS_GROUP);
    EXPECT_EQ(::GetNextDlgTabItem(dialog, ::GetDlgItem(dialog, before), FALSE), chosen);
    EXPECT_EQ(::GetNextDlgTabItem(dialog, chosen, FALSE), ::GetDlgItem(dialog, after));
}

class OnScreen {
public:
    OnScreen() {
        app_ = Wide(env->Root());
        ok_ = ::CopyFileW(ProgramBuilt().c_str(), (app_ + L"quillmere.exe").c_str(), FALSE);
        env->Put("const\\system.txt",
                 "[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\n"
                 "tFolder.Total=1\r\ntFolder0.ChildItemName=Temp files\r\n"
                 "tFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                 "tFolder0.deletepath=" +
                     env->Root() + "junk\\*.tmp\r\n");
        env->Put("junk\\a.tmp", "a");
        env->Put("junk\\b.tmp", "b");
        env->Put("wildcard.ini", "[Common]\r\nWildcard Total=2\r\nWildcard0=*.tmp\r\n"
                                 "Wildcard1=*.log\r\n[Exclude Files]\r\nCount=2\r\n"
                                 "Record0=C:\\Temp\\keep.tmp\r\nRecord1=C:\\Windows\\*.log\r\n");
        if (!ok_ || CountWindows() != 0) {
            ok_ = false;
            return;
        }
        program_ = std::make_unique<Program>(app_ + L"quillmere.exe");
        HWND items = nullptr;
        ok_ = program_->Started() && WaitForMainWindow(window, items, 1, 1);
    }
    ~OnScreen() {
        if (window && ::IsWindow(window)) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            program_->EndsWithin(15000);
        }
    }
    OnScreen(const OnScreen&) = delete;
    OnScreen& operator=(const OnScreen&) = delete;

    bool Ok() const { return ok_; }

    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    HWND window = nullptr;

private:
    std::wstring app_;
    std::unique_ptr<Program> program_;
    bool ok_ = false;
};

TEST(DialogLayout, PreferencesHasFramedPagesChangedByCtrlTab) {
    namespace ids = dialog::preferences;
    OnScreen s;
    ASSERT_TRUE(s.Ok());
    Post(s.window, kBtnSetting);
    HWND prefs = WaitForDialog(L"TFormPreferences");
    ASSERT_TRUE(prefs);
    ExpectLaidOut(prefs);

    // The tab control frames the page shown, "Schedule" at first.
    HWND tabs = ::GetDlgItem(prefs, ids::kTabPages);
    ASSERT_TRUE(tabs);
    EXPECT_EQ(ClassOf(tabs), WC_TABCONTROLW);
    EXPECT_EQ(TabCtrl_GetItemCount(tabs), 4);
    EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);
    const RECT frame = RectIn(prefs, tabs);
    for (int id : {ids::kTextSchedule, ids::kCheckWhenStarted, ids::kCheckWhenShutdown,
                   ids::kCheckEvery, ids::kEditMinutes, ids::kSpinMinutes, ids::kTextMinutes}) {
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(prefs, id))) << id;
        EXPECT_TRUE(Inside(RectOf(prefs, id), frame)) << id;
    }
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(prefs, ids::kCheckRun)));
    for (int id : {ids::kButtonHelp, ids::kButtonApply, ids::kButtonClose}) {
        EXPECT_GE(RectOf(prefs, id).top, frame.bottom) << id;
    }

    // "Every", the number box with its arrows at its right, then "minutes".
    HWND spin = ::GetDlgItem(prefs, ids::kSpinMinutes);
    EXPECT_EQ(ClassOf(spin), UPDOWN_CLASSW);
    const LRESULT range = ::SendMessageW(spin, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), 1000);
    EXPECT_EQ(HIWORD(range), 2);
    const RECT every = RectOf(prefs, ids::kCheckEvery);
    const RECT number = RectOf(prefs, ids::kEditMinutes);
    const RECT arrows = RectIn(prefs, spin);
    const RECT unit = RectOf(prefs, ids::kTextMinutes);
    EXPECT_LE(every.right, number.left);
    EXPECT_LE(number.right, arrows.left + 2);
    EXPECT_LE(arrows.right, unit.left);
    EXPECT_LT(unit.top, number.bottom);
    EXPECT_GT(unit.bottom, number.top);
    EXPECT_EQ(TextOf(::GetDlgItem(prefs, ids::kTextMinutes)), L"minutes");
    Shoot(prefs, L"preferences");

    // Ctrl+Tab: the next page, "HotKey", each hot key two lists with "+" between.
    ::SetForegroundWindow(prefs);
    Chord({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(WaitFor([&] { return TabCtrl_GetCurSel(tabs) == 2; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(::GetDlgItem(prefs, ids::kComboChar)); }));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(prefs, ids::kEditMinutes)));
    for (const auto& [modifier, plus, letter] :
         {std::tuple{ids::kComboControl, ids::kTextPlus, ids::kComboChar},
          std::tuple{ids::kComboControlNew, ids::kTextPlusNew, ids::kComboCharNew}}) {
        EXPECT_EQ(TextOf(::GetDlgItem(prefs, plus)), L"+");
        EXPECT_LE(RectOf(prefs, modifier).right, RectOf(prefs, plus).left);
        EXPECT_LE(RectOf(prefs, plus).right, RectOf(prefs, letter).left);
    }
    ExpectLaidOut(prefs);

    // Ctrl+Shift+Tab twice: back to "Run", with its Re-detect Netscape button.
    Chord({VK_CONTROL, VK_SHIFT, VK_TAB});
    Chord({VK_CONTROL, VK_SHIFT, VK_TAB});
    ASSERT_TRUE(WaitFor([&] { return TabCtrl_GetCurSel(tabs) == 0; }, 5000));
    HWND redetect = ::GetDlgItem(prefs, ids::kButtonRedetect);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(redetect) != FALSE; }));
    EXPECT_EQ(TextOf(redetect), L"Re-detect Netscape");
    ExpectLaidOut(prefs);

    // The profile detection dialog: a radio-marked list with Auto and
    // Manual top to bottom at its right; Esc cancels it.
    {
        namespace detect = dialog::profile_detection;
        Post(prefs, ids::kButtonRedetect);
        HWND dialog = WaitForDialog(L"TFormDetect");
        ASSERT_TRUE(dialog);
        ExpectLaidOut(dialog);
        EXPECT_TRUE(StyleOf(::GetDlgItem(dialog, detect::kListFolders)) & LBS_OWNERDRAWFIXED);
        ExpectColumnRightOf(dialog, detect::kListFolders,
                            {detect::kButtonAuto, detect::kButtonManual});
        EXPECT_EQ(StyleOf(::GetDlgItem(dialog, detect::kButtonOk)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        Shoot(dialog, L"profile-detection");
        Press(::GetDlgItem(dialog, detect::kCheckDontShow), VK_ESCAPE);
        EXPECT_TRUE(Closes(L"TFormDetect"));
    }

    // Enter presses Apply, the default button, which saves and closes.
    EXPECT_EQ(StyleOf(::GetDlgItem(prefs, ids::kButtonApply)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    Press(::GetDlgItem(prefs, ids::kCheckDetect), VK_RETURN);
    EXPECT_TRUE(Closes(L"TFormPreferences"));
    EXPECT_NE(s.env->Get("wildcard.ini").find("Minuts="), std::string::npos);
}

TEST(DialogLayout, ExclusionFilterAndWildcardDialogsKeepTheirButtonsBesideTheList) {
    OnScreen s;
    ASSERT_TRUE(s.Ok());

    namespace excl = dialog::exclusion;
    Post(s.window, kBtnExclude);
    HWND exclusion = WaitForDialog(L"TFormExcludeFile");
    ASSERT_TRUE(exclusion);
    ExpectLaidOut(exclusion);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(exclusion, excl::kListEntries), LB_GETCOUNT, 0, 0), 2);
    ExpectColumnRightOf(exclusion, excl::kListEntries,
                        {excl::kButtonWildcard, excl::kButtonFiles, excl::kButtonUp,
                         excl::kButtonDown, excl::kButtonClear, excl::kButtonDelete});
    const RECT list = RectOf(exclusion, excl::kListEntries);
    for (int id : {excl::kButtonHelp, excl::kButtonApply, excl::kButtonCancel}) {
        EXPECT_GE(RectOf(exclusion, id).top, list.bottom) << id;
    }
    Shoot(exclusion, L"exclusion-list");

    // Add by wildcard: the filter selection dialog, OK its default button.
    namespace filter = dialog::filter_selection;
    Post(exclusion, excl::kButtonWildcard);
    HWND selection = WaitForDialog(L"TFormselectbyfilter");
    ASSERT_TRUE(selection);
    ExpectLaidOut(selection);
    EXPECT_EQ(StyleOf(::GetDlgItem(selection, filter::kButtonOk)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const RECT tree = RectOf(selection, filter::kTreeFolders);
    EXPECT_GE(RectOf(selection, filter::kComboWildcard).top, tree.bottom);
    EXPECT_GE(RectOf(selection, filter::kButtonEditWildcard).left,
              RectOf(selection, filter::kComboWildcard).right);
    Shoot(selection, L"filter-selection");

    // Edit Wildcard: the list with its small buttons at its right, the hint
    // in the empty edit box, Enter there adds the wildcard typed.
    namespace wild = dialog::wildcard;
    Post(selection, filter::kButtonEditWildcard);
    HWND wildcards = WaitForDialog(L"TFormWildcard");
    ASSERT_TRUE(wildcards);
    ExpectLaidOut(wildcards);
    ExpectColumnRightOf(
        wildcards, wild::kListWildcards,
        {wild::kButtonDelete, wild::kButtonClear, wild::kButtonUp, wild::kButtonDown});
    HWND entry = ::GetDlgItem(wildcards, wild::kEditNew);
    HWND lines = ::GetDlgItem(wildcards, wild::kListWildcards);
    EXPECT_GE(RectOf(wildcards, wild::kButtonAdd).left, RectIn(wildcards, entry).right);
    for (int id : {wild::kButtonHelp, wild::kButtonOk, wild::kButtonCancel}) {
        EXPECT_GE(RectOf(wildcards, id).top, RectIn(wildcards, entry).bottom) << id;
    }
    Shoot(wildcards, L"wildcard-dialog");
    {
        // The hint shows in the empty box: more than its background colour.
        RECT inside{};
        ::GetClientRect(entry, &inside);
        ::InflateRect(&inside, -1, -1);
        const ScreenPicture picture(entry, inside);
        ASSERT_GT(picture.Width() * picture.Height(), 1);
        const COLORREF background = picture.At(0, 0);
        const int differing = picture.Count([&](COLORREF c) { return c != background; });
        EXPECT_GT(differing, 10) << "no hint in the empty edit box";
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.bak"),
                          SMTO_ABORTIFHUNG, 5000, &ignored);
    Press(entry, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(lines, LB_GETCOUNT, 0, 0) == 3; }));
    EXPECT_TRUE(WaitFor([&] { return TextOf(entry).empty(); }));
    EXPECT_TRUE(::IsWindow(wildcards));

    // Esc cancels each: nothing of the wildcard list saved.
    Press(lines, VK_ESCAPE);
    EXPECT_TRUE(Closes(L"TFormWildcard"));
    Press(::GetDlgItem(selection, filter::kButtonCancel), VK_ESCAPE);
    EXPECT_TRUE(Closes(L"TFormselectbyfilter"));
    Press(::GetDlgItem(exclusion, excl::kListEntries), VK_ESCAPE);
    EXPECT_TRUE(Closes(L"TFormExcludeFile"));
    EXPECT_EQ(s.env->Get("wildcard.ini").find("*.bak"), std::string::npos);
}

TEST(DialogLayout, EditorsTakeEnterAndKeepRadioGroupsOneTabStop) {
    OnScreen s;
    ASSERT_TRUE(s.Ok());
    HWND items = ::GetDlgItem(s.window, win32app::mainids::IDL_ITEMS);

    // The wash item editor: Enter in the name saves.
    namespace item = dialog::wash_item_editor;
    Post(s.window, kSpNew);
    HWND editor = WaitForDialog(L"TFormAddEditItem");
    ASSERT_TRUE(editor);
    ExpectLaidOut(editor);
    Shoot(editor, L"wash-item-editor");
    HWND name = ::GetDlgItem(editor, item::kEditName);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Fresh"), SMTO_ABORTIFHUNG,
                          5000, &ignored);
    Press(name, VK_RETURN);
    EXPECT_TRUE(Closes(L"TFormAddEditItem"));
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0) == 2; }));

    // The folder/file entry editor: the three ways one Tab stop; Esc cancels.
    {
        namespace folder = dialog::folder_child_editor;
        Post(s.window, kBtnaddfolder);
        HWND dialog = WaitForDialog(L"TFormFolder");
        ASSERT_TRUE(dialog);
        ExpectLaidOut(dialog);
        ExpectOneTabStop(dialog, folder::kCheckActive,
                         {folder::kRadioSingle, folder::kRadioFolder, folder::kRadioRegister},
                         folder::kEditSingle);
        // Each field under its radio button, its button at its right.
        EXPECT_GE(RectOf(dialog, folder::kEditSingle).top,
                  RectOf(dialog, folder::kRadioSingle).bottom);
        EXPECT_LE(RectOf(dialog, folder::kEditSingle).bottom,
                  RectOf(dialog, folder::kRadioFolder).top);
        EXPECT_GE(RectOf(dialog, folder::kButtonAddWildcard).left,
                  RectOf(dialog, folder::kEditFolder).right);
        Shoot(dialog, L"folder-child-editor");
        Press(::GetDlgItem(dialog, folder::kEditName), VK_ESCAPE);
        EXPECT_TRUE(Closes(L"TFormFolder"));
    }

    // The registry entry editor: the same.
    {
        namespace reg = dialog::registry_child_editor;
        Post(s.window, kBtnAddRegsiterChild);
        HWND dialog = WaitForDialog(L"TFormRegister");
        ASSERT_TRUE(dialog);
        ExpectLaidOut(dialog);
        ExpectOneTabStop(dialog, reg::kButtonOpenRegistry,
                         {reg::kRadioSingleValue, reg::kRadioAllValues, reg::kRadioWholeKey},
                         reg::kEditValueName);
        Shoot(dialog, L"registry-child-editor");
        Press(::GetDlgItem(dialog, reg::kEditName), VK_ESCAPE);
        EXPECT_TRUE(Closes(L"TFormRegister"));
    }

    // About: the two addresses are links, Close the only button; Enter closes.
    {
        namespace about = dialog::about;
        Post(s.window, kSpeedButton3);
        HWND dialog = WaitForDialog(L"Taboutform");
        ASSERT_TRUE(dialog);
        ExpectLaidOut(dialog);
        EXPECT_EQ(ClassOf(::GetDlgItem(dialog, about::kLinkSupport)), WC_LINK);
        EXPECT_EQ(ClassOf(::GetDlgItem(dialog, about::kLinkWebSite)), WC_LINK);
        int buttons = 0;
        for (HWND w : VisibleChildren(dialog)) {
            buttons += ClassOf(w) == L"Button" ? 1 : 0;
        }
        EXPECT_EQ(buttons, 1);
        Shoot(dialog, L"about");
        Press(::GetDlgItem(dialog, about::kTextProduct), VK_RETURN);
        EXPECT_TRUE(Closes(L"Taboutform"));
    }
}

TEST(DialogLayout, ItemPreviewFollowsItsBorderAndChangesPagesByCtrlTab) {
    OnScreen s;
    ASSERT_TRUE(s.Ok());
    Post(s.window, kBtnPreviewCurrentItem);
    HWND preview = WaitForDialog(L"TFormPreviewFolderRegister");
    ASSERT_TRUE(preview);
    ExpectLaidOut(preview);
    HWND files = ::GetDlgItem(preview, kPreviewFiles);
    HWND tabs = ::GetDlgItem(preview, kPreviewTabs);
    EXPECT_EQ(::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_TRUE(Inside(RectIn(preview, files), RectIn(preview, tabs)));
    EXPECT_TRUE(Inside(RectOf(preview, kPreviewSelectAll), RectIn(preview, tabs)));
    Shoot(preview, L"preview-item");

    // Dragged larger, the list grows with it and the buttons stay below.
    const RECT list = RectIn(preview, files);
    RECT outer{};
    ::GetWindowRect(preview, &outer);
    ::SetWindowPos(preview, nullptr, 0, 0, outer.right - outer.left + 100,
                   outer.bottom - outer.top + 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor(
        [&] {
            const RECT now = RectIn(preview, files);
            return now.right - now.left == list.right - list.left + 100 &&
                   now.bottom - now.top == list.bottom - list.top + 80;
        },
        5000));
    ExpectLaidOut(preview);
    EXPECT_GE(RectOf(preview, kPreviewWash).top, RectIn(preview, tabs).bottom);

    // Ctrl+Tab: the registry page.
    ::SetForegroundWindow(preview);
    Chord({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return TabCtrl_GetCurSel(tabs) == 1; }, 5000));
    EXPECT_TRUE(
        WaitFor([&] { return ::IsWindowVisible(::GetDlgItem(preview, kPreviewEntries)) != 0; }));
    EXPECT_FALSE(::IsWindowVisible(files));

    Press(::GetDlgItem(preview, kPreviewClose), VK_ESCAPE);
    EXPECT_TRUE(Closes(L"TFormPreviewFolderRegister"));
    EXPECT_EQ(s.env->Get("junk\\a.tmp"), "a");
}

} // namespace
} // namespace quill
