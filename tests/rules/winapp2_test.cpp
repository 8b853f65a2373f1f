// winapp2.ini entries read, turned into wash items and detected; rule files
// written here for the purpose, one case per key and per kind of bad line.

#include "engine/folder_glob.h"
#include "locations/path_macros.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "rules/winapp2_convert.h"
#include "rules/winapp2_detect.h"
#include "rules/winapp2_parser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quill::rules {
namespace {

using platform::RootKey;

const char* const kExample =
    "\xEF\xBB\xBF; a comment before the first entry\r\n"
    "[Example Application *]\r\n"
    "LangSecRef=3021\r\n"
    "Detect=HKCU\\Software\\Example\\ExampleApp\r\n"
    "DetectFile=%LocalAppData%\\Example\\ExampleApp\r\n"
    "Warning=This also removes the list of recent projects.\r\n"
    "FileKey1=%LocalAppData%\\Example\\ExampleApp\\Cache|*|REMOVESELF\r\n"
    "FileKey2=%LocalAppData%\\Example\\ExampleApp\\Logs|*.log;*.txt\r\n"
    "RegKey1=HKCU\\Software\\Example\\ExampleApp\\RecentFiles\r\n"
    "RegKey2=HKCU\\Software\\Example\\ExampleApp\\Settings|LastOpenedPath\r\n"
    "\r\n"
    "[Games Thing *]\n"
    "Section=Games\n"
    "Default=True\n"
    "FileKey1=%ProgramFiles%\\Thing|*.tmp|RECURSE\n";

TEST(Winapp2Parser, EveryKeyOfAnEntryIsRead) {
    const Winapp2File file = ParseWinapp2(kExample);
    ASSERT_EQ(file.entries.size(), 2u);
    EXPECT_TRUE(file.strayLines.empty());
    const Winapp2Entry& e = file.entries[0];
    EXPECT_EQ(e.name, "Example Application");
    EXPECT_EQ(e.line, 2);
    EXPECT_EQ(e.langSecRef, 3021);
    EXPECT_EQ(CategoryOf(e), "Applications");
    ASSERT_EQ(e.detect.size(), 1u);
    ASSERT_EQ(e.detectFile.size(), 1u);
    EXPECT_EQ(e.warning, "This also removes the list of recent projects.");
    ASSERT_EQ(e.fileKeys.size(), 2u);
    EXPECT_TRUE(e.fileKeys[0].recurse);
    EXPECT_TRUE(e.fileKeys[0].removeSelf);
    EXPECT_EQ(e.fileKeys[1].patterns, (std::vector<std::string>{"*.log", "*.txt"}));
    EXPECT_FALSE(e.fileKeys[1].recurse);
    ASSERT_EQ(e.regKeys.size(), 2u);
    EXPECT_FALSE(e.regKeys[0].value);
    EXPECT_EQ(e.regKeys[1].value, "LastOpenedPath");
    EXPECT_TRUE(e.problems.empty());

    const Winapp2Entry& g = file.entries[1];
    EXPECT_EQ(CategoryOf(g), "Games");
    EXPECT_EQ(g.defaultOn, true);
    EXPECT_TRUE(g.fileKeys[0].recurse);
    EXPECT_FALSE(g.fileKeys[0].removeSelf);
}

TEST(Winapp2Parser, BadLinesAreNamedPerEntryAndTheRestIsRead) {
    const Winapp2File file = ParseWinapp2("stray=1\n"
                                          "[Bad *]\n"
                                          "LangSecRef=abc\n"
                                          "no equals sign here\n"
                                          "FileKey1=C:\\x\n"
                                          "FileKey2=C:\\x|*.tmp|SOMETIMES\n"
                                          "RegKey1=HKCU\\a|\n"
                                          "ExcludeKey1=DISK|C:\\\n"
                                          "Default=maybe\n"
                                          "Colour=blue\n"
                                          "[Good *]\n"
                                          "FileKey1=%WinDir%\\Temp|*.tmp\n");
    ASSERT_EQ(file.entries.size(), 2u);
    ASSERT_EQ(file.strayLines.size(), 1u);
    const Winapp2Entry& bad = file.entries[0];
    EXPECT_EQ(bad.problems.size(), 7u);
    EXPECT_EQ(bad.unknown, (std::vector<std::string>{"Colour=blue"}));
    EXPECT_TRUE(file.entries[1].problems.empty());

    const Conversion badItem = ConvertEntry(bad, true);
    EXPECT_FALSE(badItem.item);
    EXPECT_TRUE(badItem.malformed);
    EXPECT_NE(badItem.skipped.find("unknown flag \"SOMETIMES\""), std::string::npos);
    const Conversion good = ConvertEntry(file.entries[1], true);
    ASSERT_TRUE(good.item);
    EXPECT_EQ(good.item->folders[0].deletepath, "{windows}\\Temp\\*.tmp");
}

TEST(Winapp2Convert, PathsBecomeMacrosAndKeysWholeRoots) {
    const Winapp2File file = ParseWinapp2(kExample);
    const Conversion c = ConvertEntry(file.entries[0], true);
    ASSERT_TRUE(c.item) << c.skipped;
    const ImportedItem& item = *c.item;
    EXPECT_EQ(item.category, "Applications");
    EXPECT_FALSE(item.active);
    ASSERT_EQ(item.folders.size(), 3u); // one child per mask
    EXPECT_EQ(item.folders[0].deletepath, "{localappdata}\\Example\\ExampleApp\\Cache\\*");
    EXPECT_TRUE(item.folders[0].includeSubfolders);
    EXPECT_EQ(item.folders[1].deletepath, "{localappdata}\\Example\\ExampleApp\\Logs\\*.log");
    EXPECT_EQ(item.folders[2].deletepath, "{localappdata}\\Example\\ExampleApp\\Logs\\*.txt");
    EXPECT_FALSE(item.folders[2].includeSubfolders);
    ASSERT_EQ(item.registers.size(), 2u);
    EXPECT_EQ(item.registers[0].key,
              "HKEY_CURRENT_USER\\Software\\Example\\ExampleApp\\RecentFiles\\");
    EXPECT_EQ(item.registers[0].type, deleteKey);
    EXPECT_EQ(item.registers[1].key,
              "HKEY_CURRENT_USER\\Software\\Example\\ExampleApp\\Settings\\");
    EXPECT_EQ(item.registers[1].value, "LastOpenedPath");
    EXPECT_EQ(item.registers[1].type, deleteSingleValue);
    EXPECT_EQ(item.detectKeys,
              (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Example\\ExampleApp"}));

    // %ProgramFiles% stands for both program files folders.
    const Conversion g = ConvertEntry(file.entries[1], true);
    ASSERT_TRUE(g.item);
    EXPECT_TRUE(g.item->active);
    ASSERT_EQ(g.item->folders.size(), 2u);
    EXPECT_EQ(g.item->folders[0].deletepath, "{program files}\\Thing\\*.tmp");
    EXPECT_EQ(g.item->folders[1].deletepath, "{programfiles(x86)}\\Thing\\*.tmp");
}

TEST(Winapp2Convert, ExclusionsRemoveSelfAndWarningAreKept) {
    const Winapp2File file = ParseWinapp2("[Kept *]\nWarning=Signs you out.\n"
                                          "FileKey1=%LocalAppData%\\App\\Cache|*|REMOVESELF\n"
                                          "FileKey2=%LocalAppData%\\App\\Logs|*.log\n"
                                          "RegKey1=HKCU\\Software\\App\n"
                                          "ExcludeKey1=FILE|%LocalAppData%\\App\\Logs\\|keep.log\n"
                                          "ExcludeKey2=PATH|%ProgramFiles%\\App\\|*.cfg\n"
                                          "ExcludeKey3=REG|HKCU\\Software\\App\\Keep\n"
                                          "ExcludeKey4=REG|HKCU\\Software\\App|Pinned\n");
    ASSERT_EQ(file.entries.size(), 1u);
    const Conversion c = ConvertEntry(file.entries[0], true);
    ASSERT_TRUE(c.item) << c.skipped;
    EXPECT_EQ(c.item->warning, "Signs you out.");
    ASSERT_EQ(c.item->folders.size(), 2u);
    EXPECT_TRUE(c.item->folders[0].removeEmptyFolders);
    EXPECT_TRUE(c.item->folders[0].includeSubfolders);
    EXPECT_FALSE(c.item->folders[1].removeEmptyFolders);
    EXPECT_EQ(c.item->exclusions,
              (std::vector<std::string>{"FILE|{localappdata}\\App\\Logs\\|keep.log",
                                        "PATH|{program files}\\App\\|*.cfg",
                                        "PATH|{programfiles(x86)}\\App\\|*.cfg",
                                        "REG|HKEY_CURRENT_USER\\Software\\App\\Keep",
                                        "REG|HKEY_CURRENT_USER\\Software\\App|Pinned"}));
}

TEST(Winapp2Convert, WhatCannotBeImportedSaysWhy) {
    struct Case {
        const char* entry;
        const char* reason;
        bool malformed;
    };
    const Case cases[] = {
        {"[A *]\nFileKey1=%Pictures%\\x|*.*\n", "needs %Pictures%", false},
        {"[A *]\nFileKey1=%appdata%\\x|*.*\nDetectFile=%Music%\\y\n", "needs %Music%", false},
        {"[A *]\nFileKey1=%AppData%\\x|*.*\nExcludeKey1=PATH|%Public%\\x\\|*.*\n", "needs %Public%",
         false},
        {"[A *]\nRegKey1=HKCU\\x\nExcludeKey1=REG|HKXX\\x\n", "names no key", true},
        {"[A *]\nFileKey1=%LocalAppData%\\V\\User Data\\*\\Cache|*.*\n", "wildcards in folder",
         false},
        {"[A *]\nRegKey1=HKXX\\Software\\x\n", "names no key", true},
        {"[A *]\nRegKey1=HKCU\n", "names no key", true},
        {"[A *]\nDetect=Software\\x\nRegKey1=HKCU\\x\n", "names no registry key", true},
        {"[A *]\nLangSecRef=3021\n", "nothing to remove", true},
        {"[ *]\nRegKey1=HKCU\\x\n", "no name", true},
    };
    for (const Case& c : cases) {
        const Winapp2File file = ParseWinapp2(c.entry);
        ASSERT_EQ(file.entries.size(), 1u) << c.entry;
        const Conversion result = ConvertEntry(file.entries[0], false);
        EXPECT_FALSE(result.item) << c.entry;
        EXPECT_NE(result.skipped.find(c.reason), std::string::npos) << c.entry << result.skipped;
        EXPECT_EQ(result.malformed, c.malformed) << c.entry;
    }
}

class Winapp2DetectTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};
    EntryDetector detector{registry, fs, macros};

    void SetUp() override {
        registry.PutValue(RootKey::CurrentUser,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                          "Local AppData",
                          platform::StringValue("C:\\Users\\User\\AppData\\Local"));
        fs.AddFolder("C:\\Users\\User\\AppData\\Local\\Vendor\\App\\User Data\\Profile 1");
        fs.AddFile("C:\\Users\\User\\AppData\\Local\\Vendor\\App\\User Data\\Local State", "x");
        registry.AddKey(RootKey::CurrentUser, "Software\\Present");
    }

    ImportedItem Item(std::vector<std::string> keys, std::vector<std::string> files) {
        ImportedItem item;
        item.detectKeys = std::move(keys);
        item.detectFiles = std::move(files);
        return item;
    }
};

TEST_F(Winapp2DetectTest, AnyKeyOrPathThatExistsMakesTheEntryApply) {
    EXPECT_TRUE(detector.Applies(Item({}, {})));
    EXPECT_TRUE(detector.Applies(Item({"HKEY_CURRENT_USER\\Software\\Present"}, {})));
    EXPECT_FALSE(detector.Applies(Item({"HKEY_CURRENT_USER\\Software\\Absent"}, {})));
    EXPECT_TRUE(detector.Applies(
        Item({"HKEY_CURRENT_USER\\Software\\Absent"}, {"{localappdata}\\Vendor\\App"})));
    EXPECT_TRUE(
        detector.Applies(Item({}, {"{localappdata}\\Vendor\\App\\User Data\\Local State"})));
    EXPECT_TRUE(detector.Applies(Item({}, {"{localappdata}\\Vendor\\*\\User Data\\Profile ?"})));
    EXPECT_FALSE(detector.Applies(Item({}, {"{localappdata}\\Vendor\\*\\User Data\\Default"})));
    // A macro this system has no folder for detects nothing.
    EXPECT_FALSE(detector.Applies(Item({}, {"{nosuchmacro}\\Vendor"})));
}

TEST(PathPattern, WildcardFoldersMatchFoldersButNeverLinks) {
    platform::MemoryFileSystem fs;
    fs.AddFolder("C:\\U\\Data\\Default\\Cache");
    fs.AddFolder("C:\\U\\Data\\Profile 1\\Cache");
    fs.AddFolder("C:\\U\\Data\\Profile 2"); // no cache
    fs.AddFile("C:\\U\\Data\\Cache.txt", "x");
    fs.AddFolder("C:\\Elsewhere\\Cache");
    fs.AddSymlink("C:\\U\\Data\\Linked", "C:\\Elsewhere");

    std::vector<std::string> found = MatchPathPattern(fs, "C:\\U\\Data\\*\\Cache", false);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"C:\\U\\Data\\Default\\Cache",
                                               "C:\\U\\Data\\Profile 1\\Cache"}));
    EXPECT_TRUE(HasFolderWildcards("C:\\U\\*\\Cache\\*.*"));
    EXPECT_FALSE(HasFolderWildcards("C:\\U\\Data\\*.*"));
    EXPECT_EQ(MatchPathPattern(fs, "C:\\U\\Data\\Cache.*", false).size(), 0u);
    EXPECT_EQ(MatchPathPattern(fs, "C:\\U\\Data\\Cache.*", true).size(), 1u);
    EXPECT_EQ(MatchPathPattern(fs, "C:\\U\\Data", false).size(), 1u);
    EXPECT_EQ(MatchPathPattern(fs, "C:\\U\\Nothing\\*", true).size(), 0u);
}

} // namespace
} // namespace quill::rules
