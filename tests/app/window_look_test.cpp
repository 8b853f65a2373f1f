// How the main window and the item preview look and behave on screen (Wine
// under Xvfb), read back from the display: rows 17 pixels high, a special row
// red also when selected, red Cancel captions, the focus back on the control
// that had it after a dialog, glyph buttons, the preview's controls following
// its size. The pictures of both windows are kept for the help and the README.

#include "app/win32/main_frame_ids.h"
#include "app/win32/preview_window_ids.h"
#include "support/screen_picture.h"
#include "support/test_env.h"
#include "support/window_driver.h"

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

// A row's rectangle in its list's client area, asked of the list in the
// program's own memory.
RECT RowRect(HWND list, int row) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) {
        return {};
    }
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    if (remote && ::WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr)) {
        DWORD_PTR ok = 0;
        ::SendMessageTimeoutW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                              reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &ok);
        if (!ok || !::ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr)) {
            rect = {};
        }
    }
    if (remote) {
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return rect;
}

// The control that has the keyboard focus in the window's thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The picture of a window's client area: what the program draws, without the
// frame a window manager may or may not add.
ScreenPicture ClientPicture(HWND w) {
    RECT client{};
    ::GetClientRect(w, &client);
    return ScreenPicture(w, client);
}

bool StartsWith(const std::wstring& text, std::wstring_view prefix) {
    return text.size() >= prefix.size() &&
           std::wstring_view(text).substr(0, prefix.size()) == prefix;
}

RECT ScreenRect(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
}

TEST(LookOnScreen, MainWindowAndItemPreview) {
    auto env = test::MakeTestEnv();
    const std::wstring app = Wide(env->Root());
    ASSERT_TRUE(::CopyFileW(ProgramBuilt().c_str(), (app + L"quillmere.exe").c_str(), FALSE));
    env->Put("const\\system.txt",
             "[Common]\r\nTotal=2\r\nItem0=Recycle Bin\r\nItem1=Junk\r\n"
             "[Recycle Bin]\r\nIsActive=1\r\nIsSpecial=1\r\n[Junk]\r\nIsActive=1\r\n"
             "tFolder.Total=2\r\ntFolder0.ChildItemName=Temp files\r\n"
             "tFolder0.isactive=1\r\ntFolder0.bycategory=1\r\ntFolder0.deletepath=" +
                 env->Root() +
                 "junk\\*.tmp\r\ntFolder1.ChildItemName=Old logs\r\n"
                 "tFolder1.isactive=0\r\ntFolder1.bycategory=1\r\n"
                 "tFolder1.deletepath=" +
                 env->Root() +
                 "junk\\*.log\r\ntRegister.Total=1\r\ntRegister0.ChildItemName=Look key\r\n"
                 "tRegister0.RegisterKeyName=HKEY_CURRENT_USER\\Software\\QuillmereLookTest\r\n"
                 "tRegister0.isactive=1\r\ntRegister0.CleanRegisterType=0\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\QuillmereLookTest", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    for (int i = 0; i < 12; ++i) {
        std::string name = "junk\\file";
        name += std::to_string(i);
        name += ".tmp";
        env->Put(name, "x");
    }
    ASSERT_EQ(CountWindows(), 0) << "another instance is running";

    Program program(app + L"quillmere.exe");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    HWND items = nullptr;
    ASSERT_TRUE(WaitForMainWindow(window, items, 2, 2));
    HWND folders = ::GetDlgItem(window, IDL_FOLDERS);

    // Rows 17 pixels high in the lists.
    const RECT row0 = RowRect(items, 0);
    EXPECT_EQ(row0.bottom - row0.top, 17);

    // The special row, selected at start, is red and not in the selection's
    // colours.
    ASSERT_EQ(::SendMessageW(items, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 0);
    ::Sleep(300);
    {
        const ScreenPicture row(items, row0);
        const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_GT(row.Count(IsRed), 10);
        EXPECT_EQ(row.Count([&](COLORREF c) { return c == highlight; }), 0);
    }

    // Down to "Junk": its children show, in rows of the same height.
    Press(items, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(folders, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    const RECT child = RowRect(folders, 0);
    EXPECT_EQ(child.bottom - child.top, 17);
    {
        // Unselected, the special row stays red.
        const ScreenPicture row(items, RowRect(items, 0));
        EXPECT_GT(row.Count(IsRed), 10);
    }
    ::Sleep(300);
    EXPECT_TRUE(ClientPicture(window).SavePng(PictureFolder() + L"main-window.png"));

    // The commands are glyph buttons; each one's text is its hint.
    HWND washAll = ::GetDlgItem(window, IDB_WASH_ALL);
    EXPECT_EQ(TextOf(washAll), L"Clean All Wash Items Checked");
    EXPECT_EQ(TextOf(::GetDlgItem(window, IDB_NEW_ITEM)), L"Add Wash Item");
    auto blue = [](COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 110; };
    EXPECT_GT(ScreenPicture(washAll).Count(blue), 5);
    EXPECT_GT(ScreenPicture(::GetDlgItem(window, IDB_DELETE_ITEM)).Count(IsRed), 5);

    // Preview All, clicked: its Cancel has a red caption while the dialog is
    // open; closed, the focus is on Preview again.
    HWND preview = ::GetDlgItem(window, IDB_MAIN_PREVIEW);
    HWND cancel = ::GetDlgItem(window, IDB_CANCEL_PREVIEW);
    ::SetForegroundWindow(window);
    Click(preview);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewAll", nullptr)); }));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(cancel) != FALSE; }));
    ::Sleep(300);
    EXPECT_GT(ScreenPicture(cancel).Count(IsRed), 10);
    EXPECT_TRUE(ClientPicture(dialog).SavePng(PictureFolder() + L"preview-all.png"));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(previewids::IDB_CLOSE, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !::FindWindowW(L"TFormPreviewAll", nullptr); }));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == preview; }));
    // Enter presses the focused glyph button, as Space does.
    Press(preview, VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewAll", nullptr)); }));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(previewids::IDB_CLOSE, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !::FindWindowW(L"TFormPreviewAll", nullptr); }));

    // The item preview follows its border: the list grows, Wash and Close
    // stay at the bottom.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDB_PREVIEW_ITEM, BN_CLICKED), 0);
    ASSERT_TRUE(
        WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewFolderRegister", nullptr)); }));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }));
    ::Sleep(300);
    EXPECT_TRUE(ClientPicture(dialog).SavePng(PictureFolder() + L"preview-item.png"));
    HWND files = ::GetDlgItem(dialog, previewids::IDL_FIRST_LIST);
    HWND wash = ::GetDlgItem(dialog, previewids::IDB_WASH);
    ASSERT_TRUE(files && wash);
    EXPECT_EQ(::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 12);
    const RECT frame = ScreenRect(dialog);
    const RECT list = ScreenRect(files);
    const RECT button = ScreenRect(wash);
    ::SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + 120,
                   frame.bottom - frame.top + 80, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitFor([&] {
        const RECT grown = ScreenRect(files);
        return grown.right - grown.left == list.right - list.left + 120 &&
               grown.bottom - grown.top == list.bottom - list.top + 80;
    }));
    EXPECT_EQ(ScreenRect(wash).top, button.top + 80);
    // Never smaller than designed.
    ::SetWindowPos(dialog, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitFor([&] {
        const RECT now = ScreenRect(dialog);
        return now.right - now.left == frame.right - frame.left &&
               now.bottom - now.top == frame.bottom - frame.top;
    }));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(previewids::IDB_CLOSE, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !::FindWindowW(L"TFormPreviewFolderRegister", nullptr); }));

    // The registry entry's preview: a key entry in navy.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDB_PREVIEW_REGISTER, BN_CLICKED), 0);
    ASSERT_TRUE(
        WaitFor([&] { return (dialog = ::FindWindowW(L"TFormPreviewregister", nullptr)); }));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }));
    HWND entries = ::GetDlgItem(dialog, previewids::IDL_FIRST_LIST);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(entries, LVM_GETITEMCOUNT, 0, 0) == 1; }));
    ::Sleep(300);
    auto navy = [](COLORREF c) {
        // Anti-aliased on white: blue well above red and green, dark.
        return GetBValue(c) > GetRValue(c) + 40 && GetBValue(c) > GetGValue(c) + 40 &&
               GetRValue(c) < 150;
    };
    // The row as far as the list shows it (its column runs on).
    RECT client{};
    ::GetClientRect(entries, &client);
    const RECT row = RowRect(entries, 0);
    RECT shown{};
    ::IntersectRect(&shown, &row, &client);
    EXPECT_GT(ScreenPicture(entries, shown).Count(navy), 10);
    EXPECT_TRUE(ClientPicture(dialog).SavePng(PictureFolder() + L"preview-entries.png"));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(previewids::IDB_CLOSE, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !::FindWindowW(L"TFormPreviewregister", nullptr); }));

    // Wash Now, clicked: its run disables it; once over, the focus is on it
    // again.
    HWND status = ::GetDlgItem(window, IDS_STATUS);
    ::SetForegroundWindow(window);
    Click(washAll);
    EXPECT_TRUE(WaitFor([&] { return env->Get("junk\\file0.tmp") == "<missing>"; }));
    EXPECT_TRUE(WaitFor([&] { return StartsWith(TextOf(status), L"Washer Items Selected: 2 "); }));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == washAll; }));

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.EndsWithin(15000), 0);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuillmereLookTest");
}

} // namespace
} // namespace quill
