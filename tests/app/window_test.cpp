// The program on screen (Wine under Xvfb): one window of the main window's
// class with its caption and size, the shipped wash items listed, a second
// start activating the first and ending, selection and check marks from the
// keyboard, and the order file written when the window closes.

#include "app/win32/dialogs/wash_item_editor_ids.h"
#include "support/screenshot.h"
#include "support/test_env.h"
#include "support/window_driver.h"

#include "app/win32/main_frame_ids.h"
#include "app/win32/preview_window_ids.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quill {
namespace {

using platform::win32::Wide;
using namespace test::window;
using namespace win32app::mainids;
namespace previewids = win32app::previewids;

constexpr int kEditorNameEdit = dialog::wash_item_editor::kEditName;
constexpr int kEditorSave = dialog::wash_item_editor::kButtonSave;
constexpr int kPreviewFileList = previewids::IDL_FIRST_LIST + 1; // the list of the second page

TEST(MainWindowOnScreen, ShowsTheShippedItemsAndKeepsOneInstance) {
    auto env = test::MakeTestEnv();
    const std::wstring built = ProgramBuilt();
    const std::wstring app = Wide(env->Root());
    ASSERT_TRUE(::CopyFileW(built.c_str(), (app + L"quillmere.exe").c_str(), FALSE));
    ::CreateDirectoryW((app + L"const").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((FolderOf(built) + L"const\\system.txt").c_str(),
                            (app + L"const\\system.txt").c_str(), FALSE));
    ASSERT_EQ(CountWindows(), 0) << "another instance is running";

    Program first(app + L"quillmere.exe");
    ASSERT_TRUE(first.Started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = ::FindWindowW(L"TFormMainQLMR", nullptr)); }));
    EXPECT_EQ(TextOf(window), L"Quillmere V1.09 Build 4");
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 707);
    EXPECT_EQ(client.bottom, 502);

    // The window exists before its controls do.
    HWND items = nullptr;
    HWND folders = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        items = ::GetDlgItem(window, IDL_ITEMS);
        folders = ::GetDlgItem(window, IDL_FOLDERS);
        return items && folders && ::IsWindowVisible(window);
    }));
    // As many rows as the shipped file lists, checked as it says.
    const std::string shipped = env->Get("const\\system.txt");
    const std::size_t total = std::stoul(shipped.substr(shipped.find("Total=") + 6));
    ASSERT_GT(total, 2u);
    ASSERT_TRUE(WaitFor([&] {
        return ::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(total);
    }));
    for (std::size_t row = 0; row < total; ++row) {
        const std::string key = "Item" + std::to_string(row) + "=";
        const std::size_t at = shipped.find(key) + key.size();
        const std::string name = shipped.substr(at, shipped.find("\r\n", at) - at);
        const bool active = shipped.find("[" + name + "]\r\nIsActive=1") != std::string::npos;
        EXPECT_EQ(RowChecked(items, static_cast<int>(row)), active) << name;
    }
    // Row 0, the Recycle Bin, is selected: a special item has no children.
    EXPECT_EQ(::SendMessageW(items, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 0);
    EXPECT_EQ(::SendMessageW(folders, LVM_GETITEMCOUNT, 0, 0), 0);

    // A second start brings the first to the front and ends.
    Program second(app + L"quillmere.exe");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.EndsWithin(15000), 0);
    EXPECT_EQ(CountWindows(), 1);

    // Down to "Windows temporary files", whose folder/file children show;
    // space unchecks it, which its wash-item file takes at once.
    Press(items, VK_DOWN);
    Press(items, VK_DOWN);
    EXPECT_TRUE(
        WaitFor([&] { return ::SendMessageW(items, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == 2; }));
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(folders, LVM_GETITEMCOUNT, 0, 0) > 0; }));
    Press(items, VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return !RowChecked(items, 2); }));
    EXPECT_TRUE(WaitFor([&] {
        return env->Get("const\\system.txt").find("[Windows temporary files]\r\nIsActive=0") !=
               std::string::npos;
    }));

    // Closing writes the order file with every row's check mark.
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.EndsWithin(15000), 0);
    const std::string order = env->Get("order.ini");
    EXPECT_NE(order.find("Total=" + std::to_string(total) + "\r\n"), std::string::npos) << order;
    const auto at = order.find("[Windows temporary files<|>");
    ASSERT_NE(at, std::string::npos) << order;
    const std::string section = order.substr(at, order.find("\r\n[", at) - at);
    EXPECT_NE(section.find("IsActive=0"), std::string::npos) << section;
}

// A wash item of the test's own, previewed and washed through the window.
TEST(MainWindowOnScreen, PreviewsAndWashesThroughTheWindow) {
    auto env = test::MakeTestEnv();
    const std::wstring built = ProgramBuilt();
    const std::wstring app = Wide(env->Root());
    ASSERT_TRUE(::CopyFileW(built.c_str(), (app + L"quillmere.exe").c_str(), FALSE));
    env->Put("const\\system.txt", "[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\n"
                                  "tFolder.Total=1\r\ntFolder0.ChildItemName=Temp files\r\n"
                                  "tFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                                  "tFolder0.deletepath=" +
                                      env->Root() + "junk\\*.tmp\r\n");
    env->Put("junk\\a.tmp", "a");
    env->Put("junk\\b.tmp", "b");
    env->Put("junk\\keep.txt", "k");
    ASSERT_EQ(CountWindows(), 0) << "another instance is running";

    Program program(app + L"quillmere.exe");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    HWND status = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        window = ::FindWindowW(L"TFormMainQLMR", nullptr);
        status = window ? ::FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
        return status && ::IsWindowVisible(window);
    }));
    ASSERT_TRUE(WaitFor([&] { return ShowsSummary(status); }));

    // Preview: the all-items dialog with both files, then closed.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDB_MAIN_PREVIEW, BN_CLICKED), 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewAll", nullptr)); }));
    EXPECT_EQ(TextOf(dialog), L"Preview - Total Special: 0  Files: 2  Entries: 0");
    HWND files = ::GetDlgItem(dialog, previewids::IDL_FIRST_LIST + 1);
    ASSERT_TRUE(files);
    EXPECT_EQ(::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_TRUE(::IsWindowVisible(files)); // the page "Clean Folder/File"
    ::Sleep(700);                          // painted, for its picture
    EXPECT_TRUE(SaveScreenshot(dialog, ScreenshotFolder(), L"preview-all"));
    // Under the dialog the main window takes no input but its Cancel button.
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDB_WASH_ALL)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDL_ITEMS)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, IDB_CANCEL_PREVIEW)));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(previewids::IDB_CLOSE, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !::FindWindowW(L"TFormPreviewAll", nullptr); }));
    EXPECT_NE(env->Get("junk\\a.tmp"), "<missing>");

    // Wash Now removes them; the counters show, then the summary again.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDB_WASH_ALL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] {
        return env->Get("junk\\a.tmp") == "<missing>" && env->Get("junk\\b.tmp") == "<missing>";
    }));
    EXPECT_EQ(env->Get("junk\\keep.txt"), "k");
    EXPECT_TRUE(WaitFor([&] {
        return TextOf(status).find(L"Files Cleaned   Success: 2   Fails: 0") != std::wstring::npos;
    }));
    EXPECT_TRUE(WaitFor([&] { return ShowsSummary(status); }));
    EXPECT_NE(env->Get("right.htm").find("junk\\a.tmp"), std::string::npos);

    // The wash hot key washes again, without a question.
    env->Put("junk\\c.tmp", "c");
    ::PostMessageW(window, WM_HOTKEY, 52701, 0);
    EXPECT_TRUE(WaitFor([&] { return env->Get("junk\\c.tmp") == "<missing>"; }));
    EXPECT_TRUE(WaitFor([&] { return ShowsSummary(status); }));

    // Minimized, the window leaves the screen; a second start brings it back.
    ::PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(window); }));
    {
        Program second(app + L"quillmere.exe");
        EXPECT_EQ(second.EndsWithin(15000), 0);
    }
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(window) && !::IsIconic(window); }));

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.EndsWithin(15000), 0);
}

// A wash item added through its editor, typed into as a user would.
TEST(MainWindowOnScreen, AddsAWashItemThroughItsEditor) {
    auto env = test::MakeTestEnv();
    const std::wstring app = Wide(env->Root());
    ASSERT_TRUE(::CopyFileW(ProgramBuilt().c_str(), (app + L"quillmere.exe").c_str(), FALSE));
    env->Put("const\\system.txt", "[Common]\r\nTotal=1\r\nItem0=Shipped\r\n");
    ASSERT_EQ(CountWindows(), 0) << "another instance is running";

    Program program(app + L"quillmere.exe");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    HWND items = nullptr;
    ASSERT_TRUE(WaitForMainWindow(window, items));
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0) == 1; }));

    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDB_NEW_ITEM, BN_CLICKED), 0);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (editor = ::FindWindowW(L"TFormAddEditItem", nullptr)); }));
    EXPECT_EQ(TextOf(editor), L"Add Wash Item");
    HWND name = ::GetDlgItem(editor, kEditorNameEdit);
    ASSERT_TRUE(name);
    EXPECT_EQ(TextOf(name), L"New Item");
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Fresh"), SMTO_ABORTIFHUNG,
                          5000, &ignored);
    ::PostMessageW(editor, WM_COMMAND, MAKEWPARAM(kEditorSave, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !::FindWindowW(L"TFormAddEditItem", nullptr); }));
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    EXPECT_NE(env->Get("const\\user.txt").find("Item0=Fresh\r\n"), std::string::npos);
    EXPECT_EQ(::SendMessageW(items, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 1);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.EndsWithin(15000), 0);
}

} // namespace
} // namespace quill
