// The settings file: keys, defaults, lists and the schedule and hot-key forms.

#include "platform/ini_file.h"
#include "platform/memory/memory_registry.h"
#include "platform/registry_error.h"
#include "settings/settings_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    SettingsFile file{env->Fs(), env->Root()};
};

TEST_F(SettingsFileTest, WithoutAFileEveryDefaultHolds) {
    EXPECT_EQ(file.Path(), env->Root() + "wildcard.ini");
    const RunSettings r = file.ReadRunSettings();
    EXPECT_FALSE(r.AutoRun);
    EXPECT_FALSE(r.IsMinimized);
    EXPECT_TRUE(r.UseQuick);
    EXPECT_FALSE(r.PromptBefore);
    EXPECT_EQ(r.ScheduleFlags, 0);
    EXPECT_EQ(r.ScheduleMinutes, 2);
    EXPECT_TRUE(r.WriteToLog);
    EXPECT_FALSE(r.DeleteLogOnExit);
    EXPECT_TRUE(file.Read(settings::DetectAtLoad));
    const HotKeyCombination close = HotKeyForRegistration(file.CloseHotKey());
    EXPECT_TRUE(close.valid);
    EXPECT_EQ(close.modifiers, 3u); // CTRL+ALT
    EXPECT_EQ(close.virtualKey, static_cast<std::uint32_t>('F'));
    const HotKeyCombination wash = HotKeyForRegistration(file.WashHotKey());
    EXPECT_EQ(wash.modifiers, 2u); // CTRL
    EXPECT_EQ(wash.virtualKey, static_cast<std::uint32_t>('D'));
    EXPECT_TRUE(file.ReadWildcards().empty());
    EXPECT_TRUE(file.ReadExclusions().empty());
    EXPECT_FALSE(env->Fs().Exists(file.Path()));
}

TEST_F(SettingsFileTest, KeysAreWrittenWithTheirStoredSpelling) {
    file.Write(settings::AutoRun, true);
    file.Write(settings::PromptBefore, true);
    file.Write(settings::Minutes, 15);
    file.Write(settings::ScheduleOption, FormatScheduleOption(schedule::AtStart | schedule::Timed));
    EXPECT_EQ(env->Get("wildcard.ini"), "[Run]\r\nAuto Run=1\r\n[Delete Option]\r\n"
                                        "prompt Before=1\r\n[Schedule]\r\nMinuts=15\r\n"
                                        "Schedule Option=byStart byEveryHour \r\n");
    const RunSettings r = file.ReadRunSettings();
    EXPECT_TRUE(r.AutoRun);
    EXPECT_EQ(r.ScheduleMinutes, 15);
    EXPECT_EQ(r.ScheduleFlags, schedule::AtStart | schedule::Timed);
}

TEST_F(SettingsFileTest, ScheduleOptionWordsAreCaseSensitiveAnywhere) {
    EXPECT_EQ(FormatScheduleOption(0), "");
    EXPECT_EQ(FormatScheduleOption(7), "byStart byShutdown byEveryHour ");
    EXPECT_EQ(ParseScheduleOption("byEveryHour byStart"), schedule::AtStart | schedule::Timed);
    EXPECT_EQ(ParseScheduleOption("ByStart"), 0);
    EXPECT_EQ(ParseScheduleOption("xbyShutdownx"), schedule::AtShutdown);
}

TEST_F(SettingsFileTest, MalformedNumbersGiveDefaultsAndHexIsRead) {
    env->Put("wildcard.ini", "[Schedule]\r\nMinuts=often\r\n[Common]\r\nWildcard Total=0x3\r\n"
                             "Wildcard0=*.tmp\r\nWildcard1=\r\nWildcard2= *.log \r\n");
    EXPECT_EQ(file.ReadRunSettings().ScheduleMinutes, 2);
    // Wildcards are kept as read (the INI reader trims the value itself).
    EXPECT_EQ(file.ReadWildcards(), (std::vector<std::string>{"*.tmp", "*.log"}));
}

TEST_F(SettingsFileTest, ShorterListLeavesHigherKeysButReadersStopAtTheCount) {
    file.WriteWildcards({"a", "b", "c", "d", "e"});
    file.WriteWildcards({"x", "y"});
    IniFile ini(env->Fs(), file.Path());
    EXPECT_EQ(ini.ReadInteger("Common", "Wildcard Total", 0), 2);
    EXPECT_EQ(ini.ReadString("Common", "Wildcard0", ""), "x");
    EXPECT_EQ(ini.ReadString("Common", "Wildcard4", ""), "e");
    EXPECT_EQ(file.ReadWildcards(), (std::vector<std::string>{"x", "y"}));
}

TEST_F(SettingsFileTest, ExclusionsAreTrimmedAndBlankOnesDropped) {
    env->Put("wildcard.ini", "[Exclude Files]\r\nCount=3\r\nRecord0=\" index.dat \"\r\n"
                             "Record1=\"   \"\r\nRecord2=C:\\Temp\\*.log\r\nRecord3=beyond\r\n");
    EXPECT_EQ(file.ReadExclusions(), (std::vector<std::string>{"index.dat", "C:\\Temp\\*.log"}));
    file.WriteExclusions({"*.dll"});
    EXPECT_EQ(file.ReadExclusions(), (std::vector<std::string>{"*.dll"}));
}

TEST_F(SettingsFileTest, HotKeyIndicesAboveTheRangeReadDifferentlyPerReader) {
    env->Put("wildcard.ini", "[Hot Key]\r\nControl=7\r\nChar=30\r\nControl washer=-1\r\n"
                             "Char washer=2\r\n");
    const HotKeySetting shown = file.CloseHotKeyForDialog();
    EXPECT_EQ(shown.modifier, 3);
    EXPECT_EQ(shown.letter, 5);
    EXPECT_STREQ(HotKeyModifierText(shown.modifier), "CTRL+ALT");
    const HotKeyCombination registered = HotKeyForRegistration(file.CloseHotKey());
    EXPECT_TRUE(registered.valid);
    EXPECT_EQ(registered.modifiers, 6u); // CTRL+SHIFT
    EXPECT_EQ(registered.virtualKey, static_cast<std::uint32_t>('Z'));
    EXPECT_FALSE(HotKeyForRegistration(file.WashHotKey()).valid);
    EXPECT_FALSE(HotKeyForRegistration({0, -1}).valid);
}

TEST_F(SettingsFileTest, ProfileFolderBelongsToOneUser) {
    file.WriteNetscapePath("alice", "C:\\Profiles\\alice");
    EXPECT_EQ(file.ReadNetscapePath("ALICE"), "C:\\Profiles\\alice");
    EXPECT_EQ(file.ReadNetscapePath("bob"), "");
}

TEST_F(SettingsFileTest, ReadOnlySettingsFileRaises) {
    env->Put("wildcard.ini", "[Run]\r\n");
    ASSERT_TRUE(Succeeded(env->Fs().SetAttributes(file.Path(), platform::attr::ReadOnly)));
    EXPECT_THROW(file.Write(settings::AutoRun, true), EIniFileException);
    ASSERT_TRUE(Succeeded(env->Fs().SetAttributes(file.Path(), platform::attr::Archive)));
}

TEST(RunValue, DataIsTheProgramPathAndAutorun) {
    EXPECT_EQ(RunValueData("C:\\Tools\\wash.exe"), "C:\\Tools\\wash.exe autorun");
    EXPECT_EQ(RunValueData("C:\\Program Files\\Q\\q.exe"),
              "\"C:\\Program Files\\Q\\q.exe\" autorun");
}

TEST(RunValue, WrittenForTheUserWhenEnabledDeletedOtherwise) {
    platform::MemoryRegistry registry;
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    registry.AddKey(platform::RootKey::CurrentUser, run);
    SetRunAtStartup(registry, true, "C:\\Tools\\wash.exe");
    EXPECT_EQ(registry.Value(platform::RootKey::CurrentUser, run, "Quillmere"),
              platform::StringValue("C:\\Tools\\wash.exe autorun"));
    SetRunAtStartup(registry, false, "C:\\Tools\\wash.exe");
    EXPECT_FALSE(registry.Value(platform::RootKey::CurrentUser, run, "Quillmere").has_value());
    SetRunAtStartup(registry, false, "C:\\Tools\\wash.exe"); // already gone: no error
}

TEST(RunValue, TheEntryOfOlderVersionsForEveryUserGoesWhereItCan) {
    platform::MemoryRegistry registry;
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    registry.AddKey(platform::RootKey::CurrentUser, run);
    registry.PutValue(platform::RootKey::LocalMachine, run, "Quillmere",
                      platform::StringValue("C:\\Old\\q.exe autorun"));
    registry.PutValue(platform::RootKey::LocalMachine, run, "Other", platform::StringValue("x"));
    SetRunAtStartup(registry, true, "C:\\Tools\\wash.exe");
    EXPECT_FALSE(registry.Value(platform::RootKey::LocalMachine, run, "Quillmere").has_value());
    EXPECT_TRUE(registry.Value(platform::RootKey::LocalMachine, run, "Other").has_value());

    // A standard user cannot change it: the user's entry is written all the same.
    registry.PutValue(platform::RootKey::LocalMachine, run, "Quillmere",
                      platform::StringValue("C:\\Old\\q.exe autorun"));
    registry.SetAccessDenied(platform::RootKey::LocalMachine, run, true);
    SetRunAtStartup(registry, false, "C:\\Tools\\wash.exe");
    SetRunAtStartup(registry, true, "C:\\Tools\\wash.exe");
    EXPECT_EQ(registry.Value(platform::RootKey::CurrentUser, run, "Quillmere"),
              platform::StringValue("C:\\Tools\\wash.exe autorun"));
}

TEST(RunValue, UnopenableKeyRaises) {
    platform::MemoryRegistry registry;
    try {
        SetRunAtStartup(registry, true, "C:\\q.exe");
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Quillmere'");
    }
    registry.SetAccessDenied(platform::RootKey::CurrentUser,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true);
    EXPECT_THROW(SetRunAtStartup(registry, true, "C:\\q.exe"), ERegistryException);
}

} // namespace
} // namespace quill
