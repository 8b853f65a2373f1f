// quillmere-cli.exe as a script runs it (under Wine): copied into a program
// folder of the test's own, started with its output redirected to files, its
// exit codes and output read back. It lists, previews and washes the shipped
// items, washes prepared items (all removed, some failed, refused) and
// refuses a wash while the window runs one or another holds the wash lock.

#include "support/cli_program.h"

#include "platform/win32/wide.h"
#include "platform/win32/win32_wash_lock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quill {
namespace {

using platform::win32::Wide;
using test::CliProgramTest;
using test::Outcome;

TEST_F(CliProgramTest, VersionHelpAndUsageErrors) {
    Outcome o = Run(L"--version");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "Quillmere V1.09 (Build 4)\n");
    o = Run(L"--help");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out.rfind("Usage: quillmere-cli COMMAND", 0), 0u);
    o = Run(L"wash --secure --quick");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("--secure and --quick exclude each other"), std::string::npos);
    EXPECT_TRUE(o.out.empty());
    EXPECT_EQ(Run(L"").code, 2);
}

TEST_F(CliProgramTest, ListsPreviewsAndWashesTheShippedItems) {
    CopyShippedItems();
    Outcome o = Run(L"list");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out.rfind("Order\tName\tChecked\tSpecial\tFile\n1\tRecycle Bin\tyes\tyes\t"
                          "const\\system.txt\n",
                          0),
              0u)
        << o.out;
    std::size_t rows = 0;
    for (char c : o.out) {
        rows += c == '\n';
    }
    EXPECT_EQ(rows, 19u); // the heading and the 18 shipped items

    // The user's temporary files are the test's: one is there to wash.
    env->Put("tmp\\left-over.tmp", "x");
    o = Run(L"preview --json");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out.rfind("{\n  \"caption\": \"Preview - Total Special: ", 0), 0u) << o.out;
    EXPECT_NE(o.out.find("left-over.tmp\", \"size\": 1}"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.substr(o.out.size() - 2), "}\n");
    EXPECT_TRUE(Exists("tmp\\left-over.tmp"));

    // The wash empties the Windows temporary folder too: not when this test's
    // own folder lies there.
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string windowsTemp = platform::win32::Narrow(windows) + "\\Temp\\";
    if (_strnicmp(app.c_str(), windowsTemp.c_str(), windowsTemp.size()) == 0) {
        GTEST_SKIP() << "the test's folder is in " << windowsTemp;
    }
    o = Run(L"wash --no-log");
    EXPECT_LE(o.code, 1) << o.err; // a system file may be in use
    EXPECT_NE(o.out.find("Files Cleaned  Success: "), std::string::npos) << o.out;
    EXPECT_FALSE(Exists("tmp\\left-over.tmp"));
    EXPECT_FALSE(Exists("left.htm"));
}

TEST_F(CliProgramTest, WashesAPreparedFolderWithItsExitCodes) {
    PrepareItems();
    // Redirected, the output is UTF-8 whatever the console's code page.
    Outcome o = Run(L"preview --item \"JUNK \u00e9t\u00e9\"");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find(app + "junk\\Caf\xC3\xA9 \xE6\x97\xA5.tmp\n"), std::string::npos) << o.out;

    // A file held open without sharing cannot be removed: some failed.
    HANDLE held = ::CreateFileW(Wide(app + "junk\\b.tmp").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    o = Run(L"wash --quick");
    ::CloseHandle(held);
    EXPECT_EQ(o.code, 1) << o.err;
    EXPECT_EQ(o.out, "Files Cleaned  Success: 2  Fails: 1\n"
                     "Registries Cleaned  Success: 0  Fails: 0\n");
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(Exists("junk\\b.tmp"));
    EXPECT_TRUE(Exists("junk\\keep.txt"));
    EXPECT_TRUE(Exists("right.htm")); // the log

    // The settings ask before every wash: refused without --yes.
    env->Put("wildcard.ini", "[Delete Option]\r\nprompt Before=1\r\n");
    o = Run(L"wash");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("add --yes"), std::string::npos);
    EXPECT_TRUE(Exists("junk\\b.tmp"));
    o = Run(L"wash --yes --secure");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_FALSE(Exists("junk\\b.tmp"));

    o = Run(L"wash --item Nothing --yes");
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.err, "quillmere-cli: no wash item is named 'Nothing'\n");
}

TEST_F(CliProgramTest, ImportsAndExportsPluginFiles) {
    PrepareItems();
    Outcome o = Run(L"export \"Junk \u00e9t\u00e9\" io\\mine.txt");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "1 washer items are exported!\n");
    const std::string exported = env->Get("io\\mine.txt");
    EXPECT_NE(exported.find("Item0=Junk \xC3\xA9t\xC3\xA9"), std::string::npos) << exported;

    o = Run(L"import-plugin io\\mine.txt");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(env->Get("plugin\\mine.txt"), exported);
    EXPECT_EQ(Run(L"import-plugin io\\mine.txt").code, 2); // there already
    EXPECT_EQ(Run(L"import-plugin --yes io\\mine.txt").code, 0);
    o = Run(L"list");
    EXPECT_NE(o.out.find("2\tJunk \xC3\xA9t\xC3\xA9\tyes\tno\tplugin\\mine.txt\n"),
              std::string::npos)
        << o.out;
}

// A stand-in for the program's window, as the console finds it: a window of
// its class with an Exit button, disabled while a run goes on.
LRESULT CALLBACK StandInProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return ::DefWindowProcW(w, m, wp, lp);
}

TEST_F(CliProgramTest, AWashWaitsForTheWindowsRunToEnd) {
    PrepareItems();
    WNDCLASSW wc{};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TFormMainQLMR";
    ASSERT_NE(::RegisterClassW(&wc), 0);
    HWND window = ::CreateWindowW(L"TFormMainQLMR", L"Quillmere V1.09 Build 4", WS_OVERLAPPED, 0, 0,
                                  200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    HWND exitButton = ::CreateWindowW(L"BUTTON", L"Exit", WS_CHILD, 0, 0, 50, 26, window, nullptr,
                                      wc.hInstance, nullptr);
    ASSERT_NE(exitButton, nullptr);

    ::EnableWindow(exitButton, FALSE);
    Outcome o = Run(L"wash");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("the Quillmere window is running a wash or preview"), std::string::npos)
        << o.err;
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_EQ(Run(L"preview").code, 0); // a preview changes nothing

    ::EnableWindow(exitButton, TRUE);
    o = Run(L"wash");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    ::DestroyWindow(window);
    ::UnregisterClassW(L"TFormMainQLMR", wc.hInstance);
}

// Another wash holds the computer's wash lock (here this test, as a second
// console wash or the window's timed wash would).
TEST_F(CliProgramTest, AWashWaitsForAnotherHolderOfTheWashLock) {
    PrepareItems();
    platform::Win32WashLock other;
    ASSERT_TRUE(other.TryHold());
    Outcome o = Run(L"wash");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("another wash from the console is running: try again when it has ended"),
              std::string::npos)
        << o.err;
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_EQ(Run(L"preview").code, 0); // a preview changes nothing

    other.Release();
    o = Run(L"wash");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    // The wash let the lock go as it ended.
    EXPECT_TRUE(other.TryHold());
}

} // namespace
} // namespace quill
