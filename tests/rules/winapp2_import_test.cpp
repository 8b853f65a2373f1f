// A rule file imported into plug-in files: what applies here is written as
// wash items that load like any other, the rest is reported, and nothing on
// disk or in the registry is removed by importing.

#include "locations/path_macros.h"
#include "model/wash_items.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "rules/winapp2_import.h"

#include <gtest/gtest.h>

namespace quill::rules {
namespace {

using platform::RootKey;

const char* const kRules = "[Present App *]\n"
                           "LangSecRef=3021\n"
                           "Detect=HKCU\\Software\\Present\n"
                           "Warning=Signs you out.\n"
                           "FileKey1=%LocalAppData%\\Present\\Cache|*.*|REMOVESELF\n"
                           "FileKey2=%LocalAppData%\\Present\\Logs|*.log;*.txt\n"
                           "RegKey1=HKCU\\Software\\Present\\MRU\n"
                           "RegKey2=HKCU\\Software\\Present|LastFile\n"
                           "ExcludeKey1=FILE|%LocalAppData%\\Present\\Logs\\|keep.log\n"
                           "ExcludeKey2=REG|HKCU\\Software\\Present\\MRU\\Pinned\n"
                           "\n"
                           "[Absent App *]\n"
                           "LangSecRef=3021\n"
                           "DetectFile=%ProgramFiles%\\Absent\\absent.exe\n"
                           "FileKey1=%LocalAppData%\\Absent|*.tmp\n"
                           "\n"
                           "[Browser Thing *]\n"
                           "LangSecRef=3029\n"
                           "DetectFile=%LocalAppData%\\Present\n"
                           "Default=True\n"
                           "FileKey1=%LocalAppData%\\Present\\Browser|*.dat\n"
                           "\n"
                           "[Pictures Thing *]\n"
                           "Section=Media\n"
                           "FileKey1=%Pictures%\\Thumbs|*.db\n"
                           "\n"
                           "[Broken *]\n"
                           "FileKey1=no masks here\n"
                           "\n"
                           "[Windows temporary files *]\n"
                           "FileKey1=%WinDir%\\Temp|*.*\n";

class Winapp2ImportTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};
    EntryDetector detector{registry, fs, macros};

    void SetUp() override {
        fs.AddFolder("C:\\app");
        registry.PutValue(RootKey::CurrentUser,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                          "Local AppData",
                          platform::StringValue("C:\\Users\\User\\AppData\\Local"));
        registry.AddKey(RootKey::CurrentUser, "Software\\Present");
        fs.AddFile("C:\\Users\\User\\AppData\\Local\\Present\\Cache\\a.bin", "cached");
    }

    ImportReport Import(const ImportOptions& options = {}) {
        return ImportWinapp2(fs, "C:\\app\\", kRules, detector, options,
                             {"Windows temporary files"});
    }
};

TEST_F(Winapp2ImportTest, WhatAppliesHereBecomesWashItemsOfPluginFiles) {
    const ImportReport report = Import();
    EXPECT_EQ(report.read, 6);
    EXPECT_EQ(report.imported, 2);
    EXPECT_EQ(report.notDetected, 1);
    ASSERT_EQ(report.unsupported.size(), 2u); // %Pictures%, a name taken
    ASSERT_EQ(report.malformed.size(), 1u);
    EXPECT_NE(report.malformed[0].find("Broken (line 27)"), std::string::npos);
    EXPECT_EQ(report.files,
              (std::vector<std::string>{"C:\\app\\plugin\\winapp2 Applications.txt",
                                        "C:\\app\\plugin\\winapp2 Google Chrome.txt"}));
    const std::string text = report.Text();
    EXPECT_NE(text.find("Entries read: 6\r\nImported: 2\r\n"), std::string::npos);
    EXPECT_NE(text.find("Pictures Thing (line 23): needs %Pictures%"), std::string::npos);

    titem_list catalogue(fs);
    LoadCatalogue(fs, "C:\\app\\", catalogue);
    ASSERT_EQ(catalogue.Count(), 2);
    EXPECT_EQ(catalogue.Items[0].ItemName, "Present App");
    EXPECT_FALSE(catalogue.Items[0].IsActive);
    EXPECT_EQ(catalogue.Items[1].ItemName, "Browser Thing");
    EXPECT_TRUE(catalogue.Items[1].IsActive);

    tItemContent item(fs, catalogue.Items[0].txtfilename, "Present App");
    ASSERT_EQ(item.Folders.Count(), 3);
    EXPECT_EQ(item.Folders.Items[0].deletepath, "{localappdata}\\Present\\Cache\\*.*");
    EXPECT_TRUE(item.Folders.Items[0].IsIncludeSubfolder);
    EXPECT_TRUE(item.Folders.Items[0].isactive);
    EXPECT_TRUE(item.Folders.Items[0].RemoveEmptyFolders);
    EXPECT_FALSE(item.Folders.Items[1].RemoveEmptyFolders);
    EXPECT_EQ(item.Warning, "Signs you out.");
    EXPECT_EQ(item.Exclusions,
              (std::vector<std::string>{"FILE|{localappdata}\\Present\\Logs\\|keep.log",
                                        "REG|HKEY_CURRENT_USER\\Software\\Present\\MRU\\Pinned"}));
    EXPECT_EQ(item.Folders.Items[2].deletepath, "{localappdata}\\Present\\Logs\\*.txt");
    ASSERT_EQ(item.Registers.Count(), 2);
    EXPECT_EQ(item.Registers.Items[0].RegisterKeyName,
              "HKEY_CURRENT_USER\\Software\\Present\\MRU\\");
    EXPECT_EQ(item.Registers.Items[0].CleanRegisterType, deleteKey);
    EXPECT_EQ(item.Registers.Items[1].RegisterSingleValue, "LastFile");
    EXPECT_EQ(item.Registers.Items[1].CleanRegisterType, deleteSingleValue);

    // Importing removed nothing.
    EXPECT_TRUE(fs.Exists("C:\\Users\\User\\AppData\\Local\\Present\\Cache\\a.bin"));
    std::unique_ptr<platform::RegistryKey> key;
    EXPECT_TRUE(
        Succeeded(registry.OpenKeyForReading(RootKey::CurrentUser, "Software\\Present", key)));
}

TEST_F(Winapp2ImportTest, AllEntriesOnRequestAndAReimportReplacesItsOwnFile) {
    (void)Import();
    const ImportReport all = Import(ImportOptions{true});
    EXPECT_EQ(all.imported, 3);
    EXPECT_EQ(all.notDetected, 0);

    titem_list catalogue(fs);
    LoadCatalogue(fs, "C:\\app\\", catalogue);
    ASSERT_EQ(catalogue.Count(), 3); // no item twice
    tItemContent absent(fs, "C:\\app\\plugin\\winapp2 Applications.txt", "Absent App");
    ASSERT_EQ(absent.Folders.Count(), 1);
    tItemContent present(fs, "C:\\app\\plugin\\winapp2 Applications.txt", "Present App");
    EXPECT_EQ(present.Folders.Count(), 3);
}

TEST_F(Winapp2ImportTest, AFileThatCannotBeWrittenRaisesAndLeavesItAsItWas) {
    fs.AddFolder("C:\\app\\plugin");
    fs.AddFile("C:\\app\\plugin\\winapp2 Applications.txt", "[Common]\r\nTotal=0\r\n",
               platform::attr::ReadOnly);
    EXPECT_THROW((void)Import(), EIniFileException);
    std::string bytes;
    ASSERT_TRUE(Succeeded(fs.ReadWholeFile("C:\\app\\plugin\\winapp2 Applications.txt", bytes)));
    EXPECT_EQ(bytes, "[Common]\r\nTotal=0\r\n");
}

TEST(Winapp2CategoryFile, NamesAFileForAnyCategory) {
    EXPECT_EQ(CategoryFile("C:\\app\\", "Edge (Chromium)"),
              "C:\\app\\plugin\\winapp2 Edge (Chromium).txt");
    EXPECT_EQ(CategoryFile("C:\\app\\", "A/B:C*?"), "C:\\app\\plugin\\winapp2 A_B_C__.txt");
}

} // namespace
} // namespace quill::rules
