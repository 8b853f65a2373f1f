// The settings dialogs without windows: preferences, the exclusion list, the
// wildcard list and the filter selection; what they load, what Apply or OK
// stores and changes, and what Cancel leaves alone.

#include "settings/exclusion_list.h"
#include "settings/item_editors.h"
#include "settings/preferences.h"
#include "settings/settings_file.h"
#include "settings/wildcard_dialogs.h"

#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_dialogs.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/registry_error.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class PreferencesTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::MemoryRegistry registry;
    platform::MemoryDialogs dialogs;
    // The main window's run settings.
    bool useQuick = true, prompt = false, log = true, deleteLog = false;
    int flags = 0;
    std::int32_t minutes = 2;
    int applies = 0; // how often the window was handed its settings
    std::vector<bool> hotKeyCalls;
    int redetects = 0;

    void SetUp() override { registry.AddKey(platform::RootKey::CurrentUser, kRunKey); }

    TFormPreferences Open() {
        return TFormPreferences(
            {env->Fs(), registry, dialogs, env->Root(), "C:\\Quill\\quillmere.exe"},
            {WindowRunSettings{useQuick, prompt, log, deleteLog, flags, minutes},
             [this](const WindowRunSettings& s) {
                 ++applies;
                 useQuick = s.UseQuick;
                 prompt = s.PromptBefore;
                 log = s.WriteToLog;
                 deleteLog = s.DeleteLogOnExit;
                 flags = s.ScheduleFlags;
                 minutes = s.ScheduleMinutes;
             },
             [this](bool on) { hotKeyCalls.push_back(on); }, [this] { ++redetects; }});
    }
    std::string Settings() { return env->Get("wildcard.ini"); }
};

TEST_F(PreferencesTest, LoadsFromTheFileAndTheMainWindow) {
    env->Put("wildcard.ini", "[Run]\r\nAuto Run=1\r\nIs Minimized=1\r\n[Hot Key]\r\nControl=9\r\n"
                             "Char=40\r\n[Detect]\r\nDetect directory at load=0\r\n");
    useQuick = false;
    flags = 5;
    minutes = 1;
    prompt = true;
    TFormPreferences p = Open();
    EXPECT_EQ(p.ActivePage, 1); // "Schedule"
    EXPECT_TRUE(p.cbRun);
    EXPECT_TRUE(p.cbMiniEnabled);
    EXPECT_TRUE(p.cbMini);
    EXPECT_TRUE(p.ChEraseSafe);
    EXPECT_TRUE(p.rbWhenStart);
    EXPECT_FALSE(p.rbWhenShutDown);
    EXPECT_TRUE(p.rbEveryHour);
    EXPECT_EQ(p.SpinEditMinuts, "2"); // brought to the nearer bound
    EXPECT_TRUE(p.chPromptBeforeDelete);
    EXPECT_EQ(p.cbControl, 3); // above the range: the key's default
    EXPECT_EQ(p.cbChar, 5);
    EXPECT_EQ(p.cbControlNew, 1);
    EXPECT_EQ(p.cbCharNew, 3);
    EXPECT_FALSE(p.cbDetect);
}

TEST_F(PreferencesTest, ApplyStoresEverythingAndTakesEffectAtOnce) {
    TFormPreferences p = Open();
    p.cbRun = true;
    p.cbRunClick();
    p.cbMini = true;
    p.ChEraseSafe = true;
    p.rbWhenShutDown = true;
    p.rbEveryHour = true;
    p.SpinEditMinuts = " 5000 ";
    p.chPromptBeforeDelete = true;
    p.ChWritetolog = false;
    p.ChDeleteonExit = true;
    p.cbControl = 1;
    p.cbChar = 3; // CTRL + D
    p.cbControlNew = 1;
    p.cbCharNew = 4; // CTRL + E: accepted
    p.SpeedButton1Click();
    EXPECT_TRUE(p.Closed);
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_FALSE(useQuick);
    EXPECT_TRUE(prompt);
    EXPECT_FALSE(log);
    EXPECT_TRUE(deleteLog);
    EXPECT_EQ(flags, 6);
    EXPECT_EQ(minutes, 1000);
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(hotKeyCalls, (std::vector<bool>{false, true, false, true}));

    const SettingsFile file(env->Fs(), env->Root());
    EXPECT_TRUE(file.Read(settings::AutoRun));
    EXPECT_TRUE(file.Read(settings::IsMinimized));
    EXPECT_FALSE(file.Read(settings::UseQuick));
    EXPECT_NE(Settings().find("Schedule Option=byShutdown byEveryHour \r\n"), std::string::npos);
    EXPECT_EQ(file.Read(settings::Minutes), 1000);
    EXPECT_EQ(file.Read(settings::WashChar), 4);
    EXPECT_EQ(registry.Value(platform::RootKey::CurrentUser, kRunKey, "Quillmere"),
              platform::StringValue("C:\\Quill\\quillmere.exe autorun"));

    // Unticking the start-up entry deletes it; the disabled tick is still
    // written; no schedule box leaves the timer off.
    TFormPreferences again = Open();
    again.cbRun = false;
    again.cbRunClick();
    EXPECT_FALSE(again.cbMiniEnabled);
    again.rbWhenShutDown = again.rbEveryHour = false;
    again.SpinEditMinuts = "soon";
    again.SpeedButton1Click();
    EXPECT_FALSE(registry.Value(platform::RootKey::CurrentUser, kRunKey, "Quillmere"));
    EXPECT_TRUE(file.Read(settings::IsMinimized));
    EXPECT_EQ(file.Read(settings::ScheduleOption), "");
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(minutes, 2);
}

TEST_F(PreferencesTest, ConflictingHotKeysSaveNothingAndCloseSavesNothing) {
    TFormPreferences p = Open();
    p.cbRun = true;
    p.cbControl = p.cbControlNew = 1;
    p.cbChar = p.cbCharNew = 3;
    p.SpeedButton1Click();
    EXPECT_FALSE(p.Closed);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "HotKey conflict,please setup again!");
    EXPECT_EQ(Settings(), "<missing>");

    p.SpeedButton2Click();
    EXPECT_TRUE(p.Closed);
    EXPECT_EQ(Settings(), "<missing>");
    EXPECT_TRUE(hotKeyCalls.empty());
}

TEST_F(PreferencesTest, AFailingRunValueStopsTheSaveAfterAutoRun) {
    registry.SetAccessDenied(platform::RootKey::CurrentUser, kRunKey, true);
    TFormPreferences p = Open();
    p.cbRun = true;
    p.ChEraseSafe = true;
    EXPECT_THROW(p.SpeedButton1Click(), ERegistryException);
    EXPECT_FALSE(p.Closed);
    EXPECT_TRUE(useQuick);
    EXPECT_EQ(applies, 0);
    EXPECT_TRUE(SettingsFile(env->Fs(), env->Root()).Read(settings::AutoRun));
}

class ExclusionListTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::MemoryFileDialogs files;
    platform::MemoryShell shell;
    std::optional<std::string> picked;

    TFormExcludeFile Open() {
        return TFormExcludeFile(env->Fs(), env->Root(), files, shell, "help.chm",
                                [this] { return picked; });
    }
};

TEST_F(ExclusionListTest, EditsTheListAndAppliesIt) {
    env->Put("wildcard.ini", "[Exclude Files]\r\nCount=3\r\nRecord0=  c:\\temp\\A.TXT \r\n"
                             "Record1=   \r\nRecord2=*.log\r\n");
    TFormExcludeFile d = Open();
    EXPECT_EQ(d.TextListBox1, (std::vector<std::string>{"c:\\temp\\A.TXT", "*.log"}));

    files.answers = {"C:\\Temp\\a.txt|C:\\b.dat|C:\\c.dat"};
    d.Button3Click();
    EXPECT_EQ(files.asked[0].title, "Select files by filename");
    EXPECT_EQ(d.TextListBox1.size(), 4u); // a.txt was listed already
    picked = "C:\\Windows\\*.log";
    d.Button6Click();
    d.Button6Click();
    EXPECT_EQ(d.TextListBox1.back(), "C:\\Windows\\*.log");
    EXPECT_EQ(d.TextListBox1.size(), 5u);

    d.ItemIndex = 0;
    d.btnUpClick(); // the first: nothing
    d.btnDownClick();
    EXPECT_EQ(d.ItemIndex, 1);
    EXPECT_EQ(d.TextListBox1[1], "c:\\temp\\A.TXT");
    d.ItemIndex = 4;
    d.btnDownClick(); // the last: nothing
    EXPECT_EQ(d.ItemIndex, 4);
    d.Button5Click();
    EXPECT_EQ(d.TextListBox1.size(), 4u);
    d.Button5Click(); // no selection: nothing
    EXPECT_EQ(d.TextListBox1.size(), 4u);

    d.SpeedButton1Click();
    EXPECT_TRUE(d.Closed);
    EXPECT_EQ(SettingsFile(env->Fs(), env->Root()).ReadExclusions(), d.TextListBox1);
}

TEST_F(ExclusionListTest, DeleteAllThenApplyKeepsOldKeysButCountsNone) {
    env->Put("wildcard.ini", "[Exclude Files]\r\nCount=1\r\nRecord0=*.log\r\n");
    TFormExcludeFile d = Open();
    d.SpeedButton2Click();
    d.SpeedButton1Click();
    const std::string stored = env->Get("wildcard.ini");
    EXPECT_NE(stored.find("Count=0"), std::string::npos);
    EXPECT_NE(stored.find("Record0=*.log"), std::string::npos);
    EXPECT_TRUE(SettingsFile(env->Fs(), env->Root()).ReadExclusions().empty());

    // Cancel leaves the file as it is.
    TFormExcludeFile again = Open();
    again.AddUnlessListed("C:\\x");
    again.SpeedButton3Click();
    EXPECT_EQ(env->Get("wildcard.ini"), stored);
}

class WildcardTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::MemoryDialogs dialogs;
    platform::MemoryShell shell;

    TFormWildcard Wildcards() {
        return TFormWildcard(env->Fs(), env->Root(), dialogs, shell, "help.chm");
    }
};

TEST_F(WildcardTest, TheListIsEditedAndSavedOnlyWithOk) {
    env->Put("wildcard.ini", "[Common]\r\nWildcard Total=2\r\nWildcard0=*.tmp\r\n"
                             "Wildcard1=*.log\r\n");
    TFormWildcard w = Wildcards();
    EXPECT_EQ(w.ListBox1, (std::vector<std::string>{"*.tmp", "*.log"}));
    w.Edit1 = " *.TMP ";
    w.SpNewClick();
    EXPECT_EQ(w.ListBox1.size(), 2u);
    EXPECT_EQ(w.Edit1, "");
    w.Edit1 = " *.bak ";
    w.SpNewClick();
    EXPECT_EQ(w.ListBox1.back(), "*.bak");
    w.Button4Click();
    EXPECT_EQ(dialogs.shown.back().text, "Please select a item by clicking");
    w.ItemIndex = 2;
    w.SpeedButton3Click();
    EXPECT_EQ(w.ListBox1[1], "*.bak");
    EXPECT_EQ(w.ItemIndex, 1);
    const std::string before = env->Get("wildcard.ini");
    w.Button3Click();
    EXPECT_FALSE(w.Ok);
    EXPECT_EQ(env->Get("wildcard.ini"), before);
    w.btnOkClick();
    EXPECT_TRUE(w.Ok);
    EXPECT_EQ(SettingsFile(env->Fs(), env->Root()).ReadWildcards(),
              (std::vector<std::string>{"*.tmp", "*.bak", "*.log"}));
}

TEST_F(WildcardTest, FilterSelectionGivesFolderAndMaskAndReloadsAfterOk) {
    bool editOk = false;
    TFormselectbyfilter f(env->Fs(), env->Root(), dialogs, [&] {
        if (editOk) {
            SettingsFile(env->Fs(), env->Root()).WriteWildcards({"*.old", "*.bak"});
        }
        return editOk;
    });
    EXPECT_TRUE(f.ComboBox1Items.empty());
    EXPECT_EQ(f.ComboBox1Text, "*.*");

    f.Button1Click(); // nothing chosen
    EXPECT_FALSE(f.Ok);
    EXPECT_EQ(dialogs.shown.back().kind, platform::MessageKind::Warning);
    EXPECT_EQ(dialogs.shown.back().text, "Please select a folder!");

    f.TreeSelectionChanged("C:\\Temp");
    f.ComboBox1Text = " *.bak ";
    f.SpeedButton1Click(); // cancelled: the typed mask stays
    EXPECT_EQ(f.ComboBox1Text, " *.bak ");
    editOk = true;
    f.SpeedButton1Click();
    EXPECT_EQ(f.ComboBox1Text, "*.old");
    f.ComboBox1Text = " *.bak ";
    f.Button1Click();
    EXPECT_TRUE(f.Ok);
    EXPECT_EQ(f.Entry(), "C:\\Temp\\*.bak");
    f.TreeSelectionChanged("C:\\");
    f.ComboBox1Text = "*.tmp";
    EXPECT_EQ(f.Entry(), "C:\\*.tmp");
}

// Each Help button asks the help file for its own topic.
TEST(HelpButtons, AskForTheirOwnTopics) {
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::MemoryFileDialogs files;
    platform::MemoryShell shell;
    platform::MemoryDialogs dialogs;
    TFormExcludeFile exclusions(env->Fs(), env->Root(), files, shell, "help.chm",
                                [] { return std::optional<std::string>(); });
    exclusions.SpeedButton4Click();
    TFormWildcard wildcards(env->Fs(), env->Root(), dialogs, shell, "help.chm");
    wildcards.Button1Click();
    TFormRegister registers({dialogs, shell, files, "help.chm", nullptr});
    registers.SpeedButton1Click();
    EXPECT_EQ(shell.helpShown,
              (std::vector<std::string>{"help.chm#42", "help.chm#31", "help.chm#31"}));
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(TFormWildcard::kHelpContext, 801);
    EXPECT_EQ(TFormselectbyfilter::kHelpContext, 302);
    EXPECT_EQ(TFormPreferences::kHelpContext, 102);
    EXPECT_EQ(TFormAddEditItem::kHelpContext, 31);
}

} // namespace
} // namespace quill
