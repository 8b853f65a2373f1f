// The setup program of this build under Wine (on a virtual X display): a
// silent install for the current user into the local programs folder, with a
// Start-menu entry and an entry in the user's list of installed programs; the
// program started from there; an upgrade and an uninstall that keep the
// user's own files, and an uninstall that removes them when asked.

#include "support/window_driver.h"

#include "platform/win32/wide.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace quill {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;
using namespace test::window;
using Files = std::set<std::wstring>;

constexpr DWORD kSetupTimeoutMs = 120000;
const wchar_t* const kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmere";

std::wstring WindowsPathOf(std::string unix) {
    for (char& c : unix) {
        c = c == '/' ? '\\' : c;
    }
    return Wide("Z:" + unix);
}

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return std::wstring(path) + L"\\";
}

std::wstring DefaultFolder() {
    return KnownFolder(CSIDL_LOCAL_APPDATA) + L"Programs\\Quillmere\\";
}

std::wstring Shortcut() {
    return KnownFolder(CSIDL_PROGRAMS) + L"Quillmere.lnk";
}

std::wstring SetupProgram() {
    return WindowsPathOf(QUILL_INSTALLER);
}

std::wstring Built() {
    return ProgramBuilt();
}

std::wstring ProgramName() {
    const std::wstring built = Built();
    return built.substr(built.find_last_of(L'\\') + 1);
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Read(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::wstring& path, const std::string& bytes) {
    const std::wstring folder = FolderOf(path);
    ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    std::ofstream out(path.c_str(), std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << Narrow(path);
}

// Every file below folder, relative to it.
void Collect(const std::wstring& folder, const std::wstring& relative, Files& files) {
    WIN32_FIND_DATAW found{};
    HANDLE h = ::FindFirstFileW((folder + relative + L"*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Collect(folder, relative + name + L"\\", files);
        } else {
            files.insert(relative + name);
        }
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
}

Files FilesIn(const std::wstring& folder) {
    Files files;
    Collect(folder, L"", files);
    return files;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE h = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + L"\\");
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(h, &found));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// A value of the user's uninstall entry, or "<missing>".
std::wstring EntryValue(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return value;
}

bool KeyExists(HKEY root) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

// Where a shortcut leads, or empty.
std::wstring ShortcutTarget(const std::wstring& link) {
    std::wstring target;
    IShellLinkW* shell = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&shell)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
            SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = path;
        }
        file->Release();
    }
    shell->Release();
    return target;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The exit code of a program run to its end, or -1.
long RunToEnd(const std::wstring& exe, const std::wstring& arguments) {
    Program program(exe, arguments);
    EXPECT_TRUE(program.Started()) << Narrow(exe);
    return program.EndsWithin(kSetupTimeoutMs);
}

// The uninstaller hands its work to a copy of itself and ends at once: done
// when its entry, which it removes last, is gone.
bool Uninstall(const std::wstring& folder, const std::wstring& arguments = L"/S") {
    const std::wstring uninstaller = folder + L"uninstall.exe";
    if (RunToEnd(uninstaller, arguments) != 0) {
        return false;
    }
    return WaitFor([&] { return !KeyExists(HKEY_CURRENT_USER) && !Exists(uninstaller); },
                   kSetupTimeoutMs);
}

// What the setup program puts into the folder.
Files Installed() {
    Files files{ProgramName(), L"const\\system.txt", L"log.htm",
                L"help.chm",   L"readme.txt",        L"uninstall.exe"};
    // The console front end, when the build has one beside the program.
    const wchar_t* clis[] = {sizeof(void*) == 8 ? L"quillmere-cli64.exe" : L"quillmere-cli.exe",
                             L"quillmere-cli.exe"};
    for (const wchar_t* cli : clis) {
        if (Exists(FolderOf(Built()) + cli)) {
            files.insert(cli);
            break;
        }
    }
    return files;
}

Files Joined(Files a, const Files& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        // It installs into, and cleans, the user's own folders: only in a
        // Wine prefix, never on a real user's Windows.
        if (!::GetProcAddress(::GetModuleHandleW(L"ntdll"), "wine_get_version")) {
            GTEST_SKIP() << "runs under Wine only";
        }
        ASSERT_TRUE(Exists(SetupProgram())) << "make the package first (make-package.sh)";
        ASSERT_EQ(CountWindows(), 0) << "the program is running";
        ::CoInitialize(nullptr);
        Clean();
    }
    void TearDown() override {
        if (!IsSkipped()) {
            Clean();
            ::CoUninitialize();
        }
    }
    // Nothing left from an earlier run.
    void Clean() {
        RemoveTree(DefaultFolder());
        RemoveTree(other_);
        ::RemoveDirectoryW(FolderOf(other_.substr(0, other_.size() - 1)).c_str());
        ::DeleteFileW(Shortcut().c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
    }

    const std::wstring folder_ = DefaultFolder();
    const std::wstring other_ = KnownFolder(CSIDL_LOCAL_APPDATA) + L"Elsewhere\\Quillmere\\";
};

TEST_F(Package, InstallsForTheUserAndStartsFromTheInstalledFolder) {
    ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0);

    EXPECT_EQ(FilesIn(folder_), Installed());
    EXPECT_EQ(Read(folder_ + ProgramName()), Read(Built()));
    EXPECT_EQ(Read(folder_ + L"const\\system.txt"), Read(FolderOf(Built()) + L"const\\system.txt"));
    EXPECT_EQ(Read(folder_ + L"help.chm"), Read(FolderOf(Built()) + L"help.chm"));

    // Listed among the user's programs, not the machine's.
    EXPECT_EQ(EntryValue(L"DisplayName"), L"Quillmere");
    EXPECT_EQ(EntryValue(L"DisplayVersion"), Wide(QUILL_VERSION));
    EXPECT_EQ(EntryValue(L"InstallLocation") + L"\\", folder_);
    EXPECT_EQ(EntryValue(L"UninstallString"), L"\"" + folder_ + L"uninstall.exe\"");
    EXPECT_EQ(EntryValue(L"QuietUninstallString"), L"\"" + folder_ + L"uninstall.exe\" /S");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(SameText(ShortcutTarget(Shortcut()), folder_ + ProgramName()))
        << Narrow(ShortcutTarget(Shortcut()));

    {
        Program program(folder_ + ProgramName());
        ASSERT_TRUE(program.Started());
        HWND window = nullptr;
        HWND items = nullptr;
        ASSERT_TRUE(WaitForMainWindow(window, items, 1));

        // Its files cannot be replaced while it runs: setup says so and fails.
        EXPECT_EQ(RunToEnd(SetupProgram(), L"/S"), 3);
        // Nor does the uninstaller (run in place, to wait for it).
        EXPECT_EQ(
            RunToEnd(folder_ + L"uninstall.exe", L"/S _?=" + folder_.substr(0, folder_.size() - 1)),
            3);
        EXPECT_EQ(FilesIn(folder_), Installed());
        EXPECT_EQ(Read(folder_ + ProgramName()), Read(Built()));
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER));

        // Closed, it writes its order file beside itself.
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.EndsWithin(15000), 0);
    }
    EXPECT_NE(Read(folder_ + L"order.ini").find("Total="), std::string::npos);

    // The uninstaller removes what setup put there; the order file stays.
    ASSERT_TRUE(Uninstall(folder_));
    EXPECT_EQ(FilesIn(folder_), Files{L"order.ini"});
    EXPECT_FALSE(Exists(Shortcut()));
}

TEST_F(Package, UpgradesAndUninstallsKeepingTheUsersFiles) {
    ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0);
    const Files users{L"order.ini", L"wildcard.ini", L"const\\user.txt", L"plugin\\mine.txt",
                      L"left.htm",  L"right.htm",    L"notes.txt"};
    for (const std::wstring& name : users) {
        Write(folder_ + name, "the user's " + Narrow(name));
    }
    Write(folder_ + L"const\\system.txt", "changed");

    // An upgrade replaces the shipped files and nothing of the user's.
    ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0);
    EXPECT_EQ(FilesIn(folder_), Joined(Installed(), users));
    EXPECT_EQ(Read(folder_ + L"const\\system.txt"), Read(FolderOf(Built()) + L"const\\system.txt"));
    for (const std::wstring& name : users) {
        EXPECT_EQ(Read(folder_ + name), "the user's " + Narrow(name));
    }
    EXPECT_TRUE(SameText(ShortcutTarget(Shortcut()), folder_ + ProgramName()));

    // Uninstalled, the user's files are all that is left.
    ASSERT_TRUE(Uninstall(folder_));
    EXPECT_EQ(FilesIn(folder_), users);
    for (const std::wstring& name : users) {
        EXPECT_EQ(Read(folder_ + name), "the user's " + Narrow(name));
    }
    EXPECT_FALSE(Exists(Shortcut()));

    // Asked to, the uninstaller also removes the program's own data files;
    // a file of the user's own stays, and with it the folder.
    ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0);
    ASSERT_TRUE(Uninstall(folder_, L"/S /REMOVEDATA"));
    EXPECT_EQ(FilesIn(folder_), Files{L"notes.txt"});
    EXPECT_FALSE(Exists(folder_ + L"plugin"));
    EXPECT_FALSE(Exists(folder_ + L"const"));
}

TEST_F(Package, UpgradesWhereTheUserInstalled) {
    ASSERT_EQ(RunToEnd(SetupProgram(), L"/S /D=" + other_.substr(0, other_.size() - 1)), 0);
    EXPECT_EQ(FilesIn(other_), Installed());
    EXPECT_EQ(EntryValue(L"InstallLocation") + L"\\", other_);
    Write(other_ + L"wildcard.ini", "mine");

    ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0);
    EXPECT_EQ(FilesIn(other_), Joined(Installed(), {L"wildcard.ini"}));
    EXPECT_FALSE(Exists(folder_));

    ASSERT_TRUE(Uninstall(other_, L"/S /REMOVEDATA"));
    EXPECT_FALSE(Exists(other_));
}

} // namespace
} // namespace quill
