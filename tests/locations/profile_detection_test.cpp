// Finding the browser profile folder: when the dialog is due at start-up,
// the search of the fixed drives for plain *.slt folders, the manual pick,
// and what OK and every close store. On the substitutes, since the search
// walks whole drives.

#include "locations/profile_detection.h"

#include "engine/find_file.h"
#include "platform/ini_file.h"
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_dialogs.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using platform::RootKey;

class ProfileDetectionTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    platform::MemoryDialogs dialogs;
    platform::MemoryShell shell;
    platform::MemoryFileDialogs fileDialogs;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};
    int searches = 0;

    DetectServices Services() {
        return DetectServices{fs,
                              registry,
                              system,
                              dialogs,
                              shell,
                              fileDialogs,
                              macros,
                              "C:\\app\\",
                              [this](const auto& includes, const auto& found) {
                                  ++searches;
                                  TFindFile search(fs);
                                  search.IncludeFiles = includes;
                                  search.Attributes = ff::Directory;
                                  search.ExactAttribute = true;
                                  search.OnFound = [&](const std::string& folder,
                                                       const platform::FileEntry& e) {
                                      found(folder, e.name);
                                  };
                                  search.Execute();
                              }};
    }

    void SetUp() override {
        system.SetUserName("ann");
        fs.AddFolder("C:\\app");
        fs.AddFolder("C:\\Data\\Browser\\Profiles\\default\\ab12cd34.slt");
        fs.AddFolder("C:\\Data\\x.slt");
        ASSERT_TRUE(Succeeded(fs.SetAttributes("C:\\Data\\x.slt", platform::attr::Directory |
                                                                      platform::attr::Hidden)));
        fs.AddFile("C:\\Data\\y.slt", "a file");
        system.SetDrive("D:\\", platform::DriveType::CdRom);
        fs.AddFolder("D:\\z.slt");
    }

    std::string Stored(const std::string& section, const std::string& key) {
        return IniFile(fs, "C:\\app\\wildcard.ini").ReadString(section, key, "<none>");
    }
};

TEST_F(ProfileDetectionTest, DueOnlyForVersionSevenAndLaterWithoutAProfileFolder) {
    EXPECT_FALSE(BrowserProfileCheckDue(Services())); // no browser
    registry.PutValue(RootKey::CurrentUser, "Software\\Netscape\\Netscape", "CurrentVersion",
                      platform::StringValue("4.7"));
    EXPECT_FALSE(BrowserProfileCheckDue(Services()));
    registry.PutValue(RootKey::CurrentUser, "Software\\Netscape\\Netscape", "CurrentVersion",
                      platform::StringValue("10.0"));
    EXPECT_FALSE(BrowserProfileCheckDue(Services()));
    registry.PutValue(RootKey::CurrentUser, "Software\\Netscape\\Netscape", "CurrentVersion",
                      platform::StringValue("7.02"));
    EXPECT_TRUE(BrowserProfileCheckDue(Services()));

    fs.AddFile("C:\\app\\wildcard.ini", "[ann]\r\nNetscape Path=C:\\Data\\x.slt\r\n");
    EXPECT_FALSE(BrowserProfileCheckDue(Services())); // the stored folder exists
    fs.AddFile("C:\\app\\wildcard.ini",
               "[ann]\r\nNetscape Path=C:\\Gone\r\n[Detect]\r\nDetect directory at load=0\r\n");
    EXPECT_FALSE(BrowserProfileCheckDue(Services()));
}

TEST_F(ProfileDetectionTest, AutoDetectListsPlainProfileFoldersOnFixedDrives) {
    EXPECT_EQ(DriveSearchPattern(system, 'C'), "C:\\*.slt");
    EXPECT_EQ(DriveSearchPattern(system, 'D'), "");

    TFormDetect d(Services());
    d.RxCheckListBox1 = {"C:\\old"};
    dialogs.answers = {false};
    d.SpeedButton3Click();
    EXPECT_EQ(dialogs.shown.back().text, "This may take a few minutes,continue?");
    EXPECT_EQ(d.RxCheckListBox1, (std::vector<std::string>{"C:\\old"}));
    EXPECT_EQ(searches, 0);

    dialogs.answers = {true};
    d.SpeedButton3Click();
    EXPECT_EQ(d.RxCheckListBox1,
              (std::vector<std::string>{"C:\\Data\\Browser\\Profiles\\default\\ab12cd34.slt"}));
    EXPECT_EQ(d.Ticked, 0);
    EXPECT_EQ(shell.cursorChanges, (std::vector<bool>{true, false}));

    d.SpeedButton1Click();
    EXPECT_TRUE(d.Closed);
    EXPECT_EQ(Stored("ann", "Netscape Path"), "C:\\Data\\Browser\\Profiles\\default\\ab12cd34.slt");
    d.FormClose();
    EXPECT_EQ(Stored("Detect", "Detect directory at load"), "1");
}

TEST_F(ProfileDetectionTest, ManualPickReplacesTheListAndAnEmptyListIsRefused) {
    TFormDetect d(Services());
    d.SpeedButton1Click();
    EXPECT_FALSE(d.Closed);
    EXPECT_EQ(dialogs.shown.back().text, "Please click Auto or Manually Detect Folder button\rto "
                                         "detect Netscape profile directory and select one");
    EXPECT_EQ(Stored("ann", "Netscape Path"), "<none>");

    d.RxCheckListBox1 = {"a", "b"};
    fileDialogs.answers = {"E:\\Profiles\\me.slt"};
    d.SpeedButton4Click();
    EXPECT_EQ(fileDialogs.asked.back().title, "Please select Netscape directory");
    EXPECT_EQ(d.RxCheckListBox1, (std::vector<std::string>{"E:\\Profiles\\me.slt"}));
    fileDialogs.answers = {""}; // cancelled: the list stays
    d.SpeedButton4Click();
    EXPECT_EQ(d.RxCheckListBox1.size(), 1u);

    d.CheckBox1 = true; // "Don't display the dialog box next time"
    d.SpeedButton2Click();
    d.FormClose();
    EXPECT_EQ(Stored("ann", "Netscape Path"), "<none>");
    EXPECT_EQ(Stored("Detect", "Detect directory at load"), "0");
}

} // namespace
} // namespace quill
