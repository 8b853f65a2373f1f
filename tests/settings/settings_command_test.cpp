// The preferences' Apply as one command on the settings file.

#include "settings/preferences.h"
#include "settings/settings_file.h"

#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_registry.h"
#include "support/test_env.h"
#include "support/watched_file_system.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class ApplyCommandTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    test::WatchedFileSystem fs{env->Fs()};
    platform::MemoryRegistry registry;
    platform::MemoryDialogs dialogs;
    int applies = 0;                       // how often the window was handed its settings
    std::vector<HotKeySetting> registered; // what registration found in the file

    void SetUp() override {
        registry.AddKey(platform::RootKey::CurrentUser,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    }

    TFormPreferences Open() {
        return TFormPreferences(
            {fs, registry, dialogs, env->Root(), "C:\\Q\\q.exe"},
            {WindowRunSettings{}, [this](const WindowRunSettings&) { ++applies; },
             [this](bool on) {
                 if (on) {
                     registered.push_back(SettingsFile(fs, env->Root()).WashHotKey());
                 }
             },
             [] {}});
    }
};

TEST_F(ApplyCommandTest, ApplyReplacesTheFileOnceBeforeTheHotKeysAreRegistered) {
    env->Put("wildcard.ini", "[Common]\r\nWildcard Total=1\r\nWildcard0=*.tmp\r\n");
    TFormPreferences p = Open();
    p.cbControlNew = 2;
    p.cbCharNew = 7;
    fs.reads = fs.replaces = 0;
    p.SpeedButton1Click();
    EXPECT_TRUE(p.Closed);
    EXPECT_EQ(fs.replaces, 1);
    ASSERT_FALSE(registered.empty());
    for (const HotKeySetting& key : registered) {
        EXPECT_EQ(key.modifier, 2);
        EXPECT_EQ(key.letter, 7);
    }
    const SettingsFile file(env->Fs(), env->Root());
    EXPECT_EQ(file.ReadWildcards(), std::vector<std::string>{"*.tmp"});
    EXPECT_TRUE(file.Read(settings::DetectAtLoad));
}

TEST_F(ApplyCommandTest, AFailedApplyLeavesTheFileAsItWas) {
    const std::string before = "[Hot Key]\r\nControl=1\r\n";
    env->Put("wildcard.ini", before);
    TFormPreferences p = Open();
    p.ChEraseSafe = true;
    fs.refuseContentWith = "Char washer=";
    try {
        p.SpeedButton1Click();
        FAIL() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + env->Root() + "wildcard.ini");
    }
    EXPECT_EQ(env->Get("wildcard.ini"), before);
    EXPECT_TRUE(registered.empty());
    EXPECT_EQ(applies, 0); // the window keeps running with what the file still holds
}

} // namespace
} // namespace quill
