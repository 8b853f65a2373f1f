// The program on screen (Wine under Xvfb): one window of the main window's
// class with its caption and size, the shipped wash items listed, a second
// start activating the first and ending, selection and check marks from the
// keyboard, and the order file written when the window closes.

#include "support/test_env.h"

#include "platform/win32/wide.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

using platform::win32::Wide;

constexpr int kChListBoxItem = 200;
constexpr int kChListBoxFolder = 201;

std::wstring ProgramBuilt() {
    std::string unix = QUILL_PROGRAM;
    for (char& c : unix) {
        c = c == '/' ? '\\' : c;
    }
    return Wide("Z:" + unix);
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// Waits up to timeoutMs for pred to hold, pumping nothing of its own.
template <class Pred> bool WaitFor(Pred pred, DWORD timeoutMs = 15000) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        ::Sleep(50);
    }
    return true;
}

class Program {
public:
    explicit Program(const std::wstring& exe) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring command = L"\"" + exe + L"\"";
        started_ = ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, FolderOf(exe).c_str(), &si, &pi_) != FALSE;
    }
    ~Program() {
        if (started_) {
            if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
                ::TerminateProcess(pi_.hProcess, 1);
            }
            ::CloseHandle(pi_.hThread);
            ::CloseHandle(pi_.hProcess);
        }
    }
    bool Started() const { return started_; }
    // The exit code once the process has ended within timeoutMs, else -1.
    long EndsWithin(DWORD timeoutMs) const {
        if (::WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        ::GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

int CountWindows() {
    int n = 0;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"TFormMainQLMR", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"TFormMainQLMR", nullptr)) {
        ++n;
    }
    return n;
}

std::wstring TextOf(HWND w) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(w, buffer, 512);
    return buffer;
}

bool RowChecked(HWND list, int row) {
    const auto state =
        static_cast<UINT>(::SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void Press(HWND control, WPARAM key) {
    ::PostMessageW(control, WM_KEYDOWN, key, 1);
    ::PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

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
        items = ::GetDlgItem(window, kChListBoxItem);
        folders = ::GetDlgItem(window, kChListBoxFolder);
        return items && folders && ::IsWindowVisible(window);
    }));
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(items, LVM_GETITEMCOUNT, 0, 0) == 7; }));
    EXPECT_TRUE(RowChecked(items, 0));
    EXPECT_FALSE(RowChecked(items, 6));
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
    EXPECT_NE(order.find("Total=7\r\n"), std::string::npos) << order;
    const auto at = order.find("[Windows temporary files<|>");
    ASSERT_NE(at, std::string::npos) << order;
    const std::string section = order.substr(at, order.find("\r\n[", at) - at);
    EXPECT_NE(section.find("IsActive=0"), std::string::npos) << section;
}

} // namespace
} // namespace quill
