// Path macros replaced by the folders they stand for, read afresh each time.

#include "locations/path_macros.h"
#include "platform/ini_file.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "platform/registry_error.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using platform::RootKey;

const char* const kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class PathMacrosTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};

    void SetUp() override {
        fs.AddFolder("C:\\app");
        registry.PutValue(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                          "ProgramFilesDir", platform::StringValue("C:\\Program Files"));
        registry.PutValue(RootKey::CurrentUser, kShellFolders, "Personal",
                          platform::StringValue("C:\\Users\\User\\Documents"));
        registry.PutValue(RootKey::CurrentUser, kShellFolders, "AppData",
                          platform::ExpandStringValue("%USERPROFILE%\\AppData"));
    }
};

TEST_F(PathMacrosTest, EveryMacroFromItsSource) {
    EXPECT_EQ(macros.ExpandPathMacros("{windows}\\Temp\\*.tmp"), "C:\\WINDOWS\\Temp\\*.tmp");
    EXPECT_EQ(macros.ExpandPathMacros("{WINDOWS}\\Temp"), "C:\\WINDOWS\\Temp");
    EXPECT_EQ(macros.ExpandPathMacros("{Windows}\\TeMp"), "C:\\WINDOWS\\TeMp");
    EXPECT_EQ(macros.ExpandPathMacros("{system}\\x"), "C:\\WINDOWS\\system32\\x");
    EXPECT_EQ(macros.ExpandPathMacros("{program files}\\A"), "C:\\Program Files\\A");
    EXPECT_EQ(macros.ExpandPathMacros("{personal}\\a.doc"), "C:\\Users\\User\\Documents\\a.doc");
    // An expandable string is used as stored.
    EXPECT_EQ(macros.ExpandPathMacros("{appdata}\\x"), "%USERPROFILE%\\AppData\\x");
    EXPECT_EQ(macros.ExpandPathMacros("C:\\{username}\\y"), "C:\\User\\y");
}

TEST_F(PathMacrosTest, OnlyTheFirstOccurrenceAndUnknownMacrosStay) {
    EXPECT_EQ(macros.ExpandPathMacros("{windows}\\{windows}"), "C:\\WINDOWS\\{windows}");
    EXPECT_EQ(macros.ExpandPathMacros("{AnyDrive}:\\temp\\*.tmp"), "{AnyDrive}:\\temp\\*.tmp");
    EXPECT_EQ(macros.ExpandPathMacros("{other}\\x"), "{other}\\x");
    EXPECT_EQ(macros.ExpandPathMacros("plain"), "plain");
    // A value inserted by one macro is searched by the later ones.
    system.SetUserName("{appdata}");
    EXPECT_EQ(macros.ExpandPathMacros("{username}"), "%USERPROFILE%\\AppData");
}

TEST_F(PathMacrosTest, MissingSourcesLeaveTheMacroButNoUserEmptiesAll) {
    registry.PutValue(RootKey::CurrentUser, kShellFolders, "AppData", platform::StringValue(""));
    EXPECT_EQ(macros.ExpandPathMacros("{appdata}\\x"), "{appdata}\\x");
    EXPECT_EQ(macros.ExpandPathMacros("{netscape}\\x"), "{netscape}\\x");
    system.SetUserName("");
    EXPECT_EQ(macros.ExpandPathMacros("{username}"), "");
    EXPECT_EQ(macros.ExpandPathMacros("{windows}\\{username}"), "");
}

TEST_F(PathMacrosTest, NetscapeFolderOfTheCurrentUserReadAfresh) {
    IniFile ini(fs, "C:\\app\\wildcard.ini");
    ini.WriteString("Other", "Netscape Path", "C:\\Other");
    EXPECT_EQ(macros.ExpandPathMacros("{netscape}\\x"), "{netscape}\\x");
    ini.WriteString("user", "Netscape Path", "C:\\Profiles\\abc.default");
    EXPECT_EQ(macros.ExpandPathMacros("{netscape}\\prefs.js"),
              "C:\\Profiles\\abc.default\\prefs.js");
    system.SetUserName("Other");
    EXPECT_EQ(macros.ExpandPathMacros("{netscape}"), "C:\\Other");
}

TEST_F(PathMacrosTest, NonStringRegistryValueRaises) {
    registry.PutValue(RootKey::CurrentUser, kShellFolders, "Personal", platform::DwordValue(7));
    try {
        (void)macros.ExpandPathMacros("{personal}\\x");
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Personal'");
    }
    EXPECT_EQ(macros.ExpandPathMacros("{windows}"), "C:\\WINDOWS"); // nothing else read
}

TEST_F(PathMacrosTest, LongFoldersAndNamesInAnyScriptComeBackWhole) {
    const std::string deep = "C:\\" + std::string(150, 'w');
    system.SetWindowsFolder(deep);
    EXPECT_EQ(macros.ExpandPathMacros("{windows}\\x"), deep + "\\x");
    system.SetUserName("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");
    EXPECT_EQ(macros.ExpandPathMacros("C:\\{USERNAME}"), "C:\\\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");
}

} // namespace
} // namespace quill
