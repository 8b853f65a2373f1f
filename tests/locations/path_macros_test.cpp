// Path macros replaced by the folders they stand for, read afresh each time.

#include "locations/path_macros.h"
#include "model/wash_items.h"
#include "platform/ini_file.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "platform/registry_error.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

TEST_F(PathMacrosTest, FoldersOfTodaysWindowsFromTheirSources) {
    registry.PutValue(RootKey::CurrentUser, kShellFolders, "Local AppData",
                      platform::StringValue("C:\\Users\\User\\AppData\\Local"));
    registry.PutValue(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                      "ProgramFilesDir (x86)", platform::StringValue("C:\\Program Files (x86)"));
    EXPECT_EQ(macros.ExpandPathMacros("{LocalAppData}\\Google\\Chrome"),
              "C:\\Users\\User\\AppData\\Local\\Google\\Chrome");
    EXPECT_EQ(macros.ExpandPathMacros("{temp}\\*.tmp"),
              "C:\\Users\\User\\AppData\\Local\\Temp\\*.tmp");
    EXPECT_EQ(macros.ExpandPathMacros("{userprofile}\\x"), "C:\\Users\\User\\x");
    EXPECT_EQ(macros.ExpandPathMacros("{commonappdata}\\x"), "C:\\ProgramData\\x");
    EXPECT_EQ(macros.ExpandPathMacros("{programfiles(x86)}\\x"), "C:\\Program Files (x86)\\x");
    EXPECT_EQ(macros.ExpandPathMacros("{systemdrive}\\x"), "C:\\x");
    EXPECT_EQ(macros.ExpandPathMacros("{localappdatalow}\\x"),
              "C:\\Users\\User\\AppData\\LocalLow\\x");
    // {appdata} is not found inside {localappdata}, nor {localappdata} in
    // {localappdatalow}.
    EXPECT_EQ(macros.ExpandPathMacros("{localappdatalow}|{localappdata}|{appdata}"),
              "C:\\Users\\User\\AppData\\LocalLow|C:\\Users\\User\\AppData\\Local|"
              "%USERPROFILE%\\AppData");
    // Each at its first occurrence, like the others.
    EXPECT_EQ(macros.ExpandPathMacros("{temp}\\{temp}"),
              "C:\\Users\\User\\AppData\\Local\\Temp\\{temp}");
}

TEST_F(PathMacrosTest, FoldersOfTodaysWindowsMissingStayInTheText) {
    // No "Local AppData" or "ProgramFilesDir (x86)" value, no such known
    // folders, no temp folder, a Windows folder on a network path.
    system.SetTempFolder("");
    system.SetKnownFolder(platform::KnownFolder::UserProfile, "");
    system.SetKnownFolder(platform::KnownFolder::CommonAppData, "");
    system.SetKnownFolder(platform::KnownFolder::LocalAppDataLow, "");
    system.SetWindowsFolder("\\\\server\\windows");
    for (const char* text :
         {"{localappdata}\\x", "{temp}\\x", "{userprofile}\\x", "{commonappdata}\\x",
          "{programfiles(x86)}\\x", "{systemdrive}\\x", "{localappdatalow}\\x"}) {
        EXPECT_EQ(macros.ExpandPathMacros(text), text);
    }
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

// On a real system (Windows, or Wine in a fresh prefix) every macro the
// shipped wash items use names a folder: nothing of them stays in braces.
TEST(PathMacrosOnThisSystem, EveryMacroOfTheShippedItemsResolves) {
    std::unique_ptr<platform::SystemInfo> system = test::MakeRealSystemInfo();
    if (!system) {
        GTEST_SKIP() << "needs the real system";
    }
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    std::unique_ptr<test::RegistryEnv> registry = test::MakeRegistryEnv();
    std::string shipped = "Z:" QUILL_SOURCE_DIR "/data/const/system.txt";
    for (char& c : shipped) {
        c = c == '/' ? '\\' : c;
    }
    std::ifstream in(shipped, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ASSERT_FALSE(bytes.str().empty()) << shipped;
    env->Put("const\\system.txt", bytes.str());
    PathMacros macros(*system, registry->Registry(), env->Fs(), env->Root() + "wildcard.ini");
    titem_list catalogue(env->Fs());
    LoadCatalogue(env->Fs(), env->Root(), catalogue);
    ASSERT_GT(catalogue.Count(), 10);
    for (const titem_property& entry : catalogue.Items) {
        const std::string& name = entry.ItemName;
        tItemContent item(env->Fs(), entry.txtfilename, name);
        for (const tChildFolder& child : item.Folders.Items) {
            const std::string path = macros.ExpandPathMacros(child.deletepath);
            EXPECT_EQ(path.find('{'), std::string::npos) << name << ": " << path;
            EXPECT_EQ(path.find(':'), 1u) << name << ": " << path;
        }
    }
}

} // namespace
} // namespace quill
