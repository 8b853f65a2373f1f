// The program on screen (Wine under Xvfb) while runs and dialogs go on: the
// main Cancel button stops a wash, also one started from a preview dialog;
// the commands that cannot act during a run show disabled; message boxes
// and pickers belong to the dialog open, and the main window takes no input
// but its Cancel buttons until the dialog closes; a start by Windows hidden
// in the tray still washes; the tray icon comes back when the shell
// restarts; a hot key another program holds is reported.

#include "app/win32/dialogs/folder_child_editor_ids.h"
#include "app/win32/main_frame_ids.h"
#include "app/win32/preview_window_ids.h"
#include "support/test_env.h"
#include "support/window_driver.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <memory>
#include <string>

namespace quill {
namespace {

using platform::win32::Wide;
using namespace test::window;
using namespace win32app::mainids;
namespace previewids = win32app::previewids;

// The folder/file child editor's.
constexpr int kFolderName = dialog::folder_child_editor::kEditName;
constexpr int kFolderPickFile = dialog::folder_child_editor::kButtonSelectFile;
constexpr int kFolderSave = dialog::folder_child_editor::kButtonSave;

// The program in the test's folder with one wash item "Junk" whose child
// takes every .tmp file of junk\, and the main window once it is up.
class OnScreen {
public:
    explicit OnScreen(const std::string& settings = "", const std::wstring& arguments = L"",
                      bool waitVisible = true) {
        app_ = Wide(env->Root());
        ok_ = ::CopyFileW(ProgramBuilt().c_str(), (app_ + L"quillmere.exe").c_str(), FALSE);
        env->Put("const\\system.txt",
                 "[Common]\r\nTotal=2\r\nItem0=Junk\r\nItem1=Other\r\n[Junk]\r\nIsActive=1\r\n"
                 "tFolder.Total=1\r\ntFolder0.ChildItemName=Temp files\r\n"
                 "tFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                 "tFolder0.deletepath=" +
                     env->Root() + "junk\\*.tmp\r\n[Other]\r\nIsActive=0\r\n");
        if (!settings.empty()) {
            env->Put("wildcard.ini", settings);
        }
        if (!ok_ || CountWindows() != 0) {
            ok_ = false;
            return;
        }
        program_ = std::make_unique<Program>(app_ + L"quillmere.exe", arguments);
        ok_ = program_->Started() && WaitFor([&] {
                  window = ::FindWindowW(L"TFormMainQLMR", nullptr);
                  status = window ? ::FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr)
                                  : nullptr;
                  return status != nullptr;
              });
        if (ok_ && waitVisible) {
            ok_ = WaitFor([&] { return ::IsWindowVisible(window) && ShowsSummary(status); });
        }
    }
    ~OnScreen() {
        if (window && ::IsWindow(window)) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            program_->EndsWithin(15000);
        }
    }
    bool Ok() const { return ok_; }
    HWND Control(int id) const { return ::GetDlgItem(window, id); }
    // Ends the program through its window; its exit code.
    long Close() {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        const long code = program_->EndsWithin(15000);
        window = nullptr;
        return code;
    }
    int FilesLeft() const {
        int n = 0;
        WIN32_FIND_DATAW data;
        HANDLE h = ::FindFirstFileW((app_ + L"junk\\*.tmp").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                ++n;
            } while (::FindNextFileW(h, &data));
            ::FindClose(h);
        }
        return n;
    }

    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    HWND window = nullptr;
    HWND status = nullptr;

private:
    std::wstring app_;
    std::unique_ptr<Program> program_;
    bool ok_ = false;
};

void PutJunk(test::TestEnv& env, int count) {
    for (int i = 0; i < count; ++i) {
        env.Put("junk\\f" + std::to_string(i) + ".tmp", "x");
    }
}

void Post(HWND window, int id) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

TEST(RunsOnScreen, TheMainCancelStopsWashesAlsoFromAPreviewDialog) {
    OnScreen s;
    PutJunk(*s.env, 4000);
    ASSERT_TRUE(s.Ok());
    HWND cancel = s.Control(IDB_MAIN_CANCEL);
    HWND items = s.Control(IDL_ITEMS);

    // A wash without a dialog: while it removes, what would change the
    // items shows disabled; Cancel, clicked, stops it.
    Post(s.window, IDB_WASH_FOLDER);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(cancel) != FALSE; }));
    EXPECT_FALSE(Enabled(s.Control(IDB_DELETE_ITEM)));
    EXPECT_FALSE(Enabled(s.Control(IDB_NEW_ITEM)));
    EXPECT_FALSE(Enabled(items));
    Click(cancel);
    ASSERT_TRUE(WaitFor([&] { return ShowsSummary(s.status); }));
    const int left = s.FilesLeft();
    EXPECT_GT(left, 2000);
    EXPECT_TRUE(Enabled(s.Control(IDB_DELETE_ITEM)));
    EXPECT_TRUE(Enabled(items));

    // The preview dialog's Wash: the main window takes no input but its
    // Cancel button, and that one stops the removal.
    Post(s.window, IDB_PREVIEW_FOLDER);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewFolder", nullptr)); }));
    EXPECT_TRUE(WaitFor([&] { return !Enabled(items) && !Enabled(s.Control(IDB_NEW_ITEM)); }));
    EXPECT_TRUE(Enabled(s.window));
    Post(dialog, previewids::IDB_WASH);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(cancel) != FALSE; }));
    EXPECT_TRUE(Enabled(cancel));
    Click(cancel);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    EXPECT_GT(s.FilesLeft(), left / 2) << "the removal went on after Cancel";
    ASSERT_TRUE(WaitFor([&] { return ShowsSummary(s.status); }));
    EXPECT_TRUE(Enabled(items));
    EXPECT_EQ(s.Close(), 0);
}

TEST(DialogsOnScreen, MessageBoxesAndPickersBelongToTheDialogThatIsOpen) {
    OnScreen s;
    ASSERT_TRUE(s.Ok());
    HWND items = s.Control(IDL_ITEMS);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0) == 2; }));

    Post(s.window, IDB_ADD_FOLDER);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (editor = ::FindWindowW(L"TFormFolder", nullptr)); }));
    // Locked as soon as the dialog runs.
    EXPECT_TRUE(WaitFor([&] { return !Enabled(items) && !Enabled(s.Control(IDB_DELETE_ITEM)); }));
    EXPECT_TRUE(Enabled(s.window));

    // Save without a name: the message belongs to the editor; answered, it
    // gives the input back to the editor alone.
    Post(editor, kFolderSave);
    HWND box = nullptr;
    HWND owner = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = AnyBox(&owner)); }));
    EXPECT_EQ(owner, editor);
    EXPECT_EQ(BoxText(box), L"Please input item name!");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(Enabled(editor));
    EXPECT_FALSE(Enabled(items));
    EXPECT_FALSE(Enabled(s.Control(IDB_DELETE_ITEM)));
    // A click on another wash item changes nothing.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(items, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    ClickAt(items, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
    ::Sleep(300);
    EXPECT_EQ(::SendMessageW(items, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 0);

    // A file picker, cancelled: the same.
    Post(editor, kFolderPickFile);
    ASSERT_TRUE(WaitFor([&] { return (box = AnyBox(&owner)); }));
    EXPECT_EQ(owner, editor);
    ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_FALSE(Enabled(items));

    // Saved with a name, the child goes to the item it was added to, and
    // the main window takes input again.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(::GetDlgItem(editor, kFolderName), WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(L"Cache"), SMTO_ABORTIFHUNG, 5000, &ignored);
    Post(editor, kFolderSave);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));
    EXPECT_TRUE(WaitFor([&] { return Enabled(items); }));
    EXPECT_TRUE(WaitFor(
        [&] { return s.env->Get("const\\system.txt").find("Cache") != std::string::npos; }));
    const std::string system = s.env->Get("const\\system.txt");
    const auto junk = system.find("[Junk]");
    const auto other = system.find("[Other]");
    ASSERT_NE(junk, std::string::npos);
    ASSERT_NE(other, std::string::npos);
    const std::string junkSection =
        junk < other ? system.substr(junk, other - junk) : system.substr(junk);
    EXPECT_NE(junkSection.find("tFolder.Total=2"), std::string::npos) << system;
    EXPECT_NE(junkSection.find("tFolder1.ChildItemName=Cache"), std::string::npos) << system;
    EXPECT_EQ(s.Close(), 0);
}

TEST(BackgroundOnScreen, AStartByWindowsHiddenInTheTrayWashesAtOnce) {
    OnScreen s("[Run]\r\nAuto Run=1\r\nIs Minimized=1\r\n"
               "[Schedule]\r\nSchedule Option=byStart \r\n",
               L"autorun", false);
    PutJunk(*s.env, 3);
    ASSERT_TRUE(s.Ok());
    EXPECT_TRUE(WaitFor([&] { return s.FilesLeft() == 0; }));
    EXPECT_FALSE(::IsWindowVisible(s.window));
    HWND box = AnyBox();
    EXPECT_EQ(box, nullptr) << platform::win32::Narrow(BoxText(box));
    // The run ends (Exit usable again) and the window stayed out of sight.
    EXPECT_TRUE(WaitFor([&] { return Enabled(s.Control(IDB_EXIT)); }));
    EXPECT_FALSE(::IsWindowVisible(s.window));
    EXPECT_EQ(s.Close(), 0);
}

TEST(BackgroundOnScreen, TheTrayIconComesBackWhenTheShellRestarts) {
    OnScreen s;
    ASSERT_TRUE(s.Ok());
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = s.window;
    icon.uID = 1;
    icon.uFlags = NIF_TIP;
    wcscpy(icon.szTip, L"Quillmere");
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &icon)) << "no tray icon at start";
    // The shell forgets every icon when it restarts, then says so.
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
    ASSERT_FALSE(::Shell_NotifyIconW(NIM_MODIFY, &icon));
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(s.window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                          SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &icon));
    EXPECT_EQ(s.Close(), 0);
}

TEST(BackgroundOnScreen, AHotKeyAnotherProgramHoldsIsReported) {
    // Ctrl+D, the wash hot key by default, held by this process.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL, 'D'));
    OnScreen s("", L"", false);
    ASSERT_TRUE(s.Ok());
    HWND box = nullptr;
    HWND owner = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (box = AnyBox(&owner)); }));
    if (box) {
        EXPECT_EQ(owner, s.window);
        EXPECT_NE(BoxText(box).find(L"Ctrl+D (Clean all the checked wash items)"),
                  std::wstring::npos)
            << platform::win32::Narrow(BoxText(box));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    }
    // The program goes on.
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(s.window) && ShowsSummary(s.status); }));
    ::UnregisterHotKey(nullptr, 1);
    EXPECT_EQ(s.Close(), 0);
}

} // namespace
} // namespace quill
