// The four runs end to end without a window: what each collects and ticks,
// confirmations, cancel during the search, the counters, the log, the status
// bar modes, and the preview dialogs' lists and Wash command. Real files and
// the real registry under Wine, the substitutes natively.

#include "app/main_window.h"

#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_dialogs.h"
#include "platform/memory/memory_hot_keys.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"
#include "support/app_test.h"
#include "support/fake_window.h"
#include "support/registry_env.h"
#include "support/test_env.h"
#include "support/wash_scene.h"

#include <gtest/gtest.h>

#include "engine/builtin_stores.h"

#include <functional>

namespace quill {
namespace {

using platform::MessageKind;

class WashRunsTest : public test::AppTest {
protected:
    test::WashScene scene{*env, *reg};
    const std::string& key = scene.Key(); // the "Temp" item's registry child

    void SetUp() override {
        env->Put("junk\\keep.txt", "k");
        // Row 0: the Recycle Bin; row 1: Temp with two folder/file children
        // and a registry value; row 2: Other, unchecked.
        env->Put("const\\user.txt",
                 "[Common]\r\nTotal=3\r\nItem0=Recycle Bin\r\nItem1=Temp\r\nItem2=Other\r\n"
                 "[Recycle Bin]\r\nIsActive=1\r\nIsSpecial=1\r\n" +
                     scene.TempSection() + scene.OtherSection("Other"));
    }

    bool ValueExists() const { return scene.ValueExists(); }
    static std::string Texts(const CheckedList& lines) { return test::WashScene::Texts(lines); }
};

TEST_F(WashRunsTest, WashNowRemovesEverythingCheckedAndLogsIt) {
    auto w = Start();
    w->ChListBoxItem.ItemIndex = 2;
    w->SelectItem();
    w->btnWashAllClick();

    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(Exists("junk\\b.tmp"));
    EXPECT_TRUE(Exists("junk\\keep.txt"));
    EXPECT_FALSE(Exists("other\\c.tmp"));
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(shell.recycleBinEmptied, 1);
    EXPECT_EQ(window.shown, 0);

    EXPECT_EQ(w->LabFolderSuccess, "3");
    EXPECT_EQ(w->LabFolderFails, "0");
    EXPECT_EQ(w->LabelSuccess, "1");
    EXPECT_EQ(w->LabelFails, "0");
    // The counters showed for two seconds; the run ends idle, Exit usable,
    // the selection back on the row it was on.
    EXPECT_EQ(window.waited, 2000u);
    EXPECT_EQ(w->Status, StatusMode::Idle);
    EXPECT_TRUE(w->SpeedButton17.Enabled);
    EXPECT_TRUE(w->btnWashAll.Enabled);
    EXPECT_FALSE(w->spMainCancel.Visible);
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 2);
    EXPECT_EQ(w->CurrentItem->ItemProperty.ItemName, "Other");
    EXPECT_EQ(w->l2, "0");
    EXPECT_EQ(w->l4, "0Kb");

    // One section for files and registry, one for the special item.
    const std::string right = env->Get("right.htm");
    const auto sections = [&] {
        int n = 0;
        for (auto at = right.find("</table>"); at != std::string::npos;
             at = right.find("</table>", at + 1)) {
            ++n;
        }
        return n;
    }();
    EXPECT_EQ(sections, 2);
    EXPECT_NE(right.find("junk\\a.tmp"), std::string::npos);
    EXPECT_NE(right.find("Recycle Bin"), std::string::npos);
}

TEST_F(WashRunsTest, AnItemKeepsWhatItExcludesAndRemovesTheFoldersItLeftEmpty) {
    env->Put("prof\\A\\Cache\\x.tmp", "x");
    env->Put("prof\\A\\Cache\\sub\\y.tmp", "y");
    env->Put("prof\\B\\Cache\\keep.dat", "k");
    env->Put("prof\\B\\Cache\\z.tmp", "z");
    env->Put("const\\user.txt", "[Common]\r\nTotal=1\r\nItem0=Caches\r\n"
                                "[Caches]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                                "tFolder0.ChildItemName=Profiles\r\ntFolder0.isactive=1\r\n"
                                "tFolder0.bycategory=1\r\ntFolder0.IsIncludeSubfolder=1\r\n"
                                "tFolder0.RemoveEmptyFolders=1\r\ntFolder0.deletepath=" +
                                    app +
                                    "prof\\*\\Cache\\*.*\r\n"
                                    "tRegister.Total=1\r\ntRegister0.ChildItemName=Run\r\n"
                                    "tRegister0.isactive=1\r\ntRegister0.CleanRegisterType=0\r\n"
                                    "tRegister0.RegisterKeyName=" +
                                    key + "\r\nExclude.Total=2\r\nExclude0=FILE|" + app +
                                    "prof\\B\\Cache\\|keep.dat\r\nExclude1=REG|" + key +
                                    "|last\r\n");
    auto w = Start();
    ASSERT_EQ(w->ChListBoxItem.Count(), 1);
    w->ChListBoxItem.ItemIndex = 0;
    w->SelectItem();
    w->btnWashSingleClick();

    auto& fs = env->Fs();
    EXPECT_EQ(fs.GetAttributes(app + "prof\\A\\Cache"), platform::attr::Invalid);
    EXPECT_NE(fs.GetAttributes(app + "prof\\A"),
              platform::attr::Invalid); // above the child's folder
    EXPECT_FALSE(Exists("prof\\B\\Cache\\z.tmp"));
    EXPECT_TRUE(Exists("prof\\B\\Cache\\keep.dat"));
    EXPECT_EQ(w->LabFolderSuccess, "3");
    // Removing the key would take the kept value with it: not listed, not removed.
    EXPECT_TRUE(ValueExists());
}

TEST_F(WashRunsTest, PreviewAllShowsSortedTickedListsAndWashesFromTheDialog) {
    auto w = Start();
    window.onShow = [&](TPreviewForm& dialog, const PreviewWashContext& context) {
        EXPECT_TRUE(w->SpCancelPreview.Visible);
        EXPECT_EQ(w->l1, "Done!           The total of files searched is ");
        EXPECT_EQ(w->l2, "3");
        EXPECT_EQ(w->l4, "6KB");                                   // 4 + 1 + 1
        dialog.CheckListBoxPreviewFolder.Lines[0].Checked = false; // keep a.tmp
        static_cast<TFormPreviewAll&>(dialog).AllbtnUnselectAllClick();
        static_cast<TFormPreviewAll&>(dialog).btnWashAllClick(context);
        EXPECT_TRUE(dialog.Closed);
    };
    w->btnMainPreviewClick();
    ASSERT_EQ(window.shown, 1);
    EXPECT_EQ(window.caption, "Preview - Total Special: 1  Files: 3  Entries: 1");
    EXPECT_EQ(window.page, 1); // "Clean Folder/File"
    EXPECT_EQ(Texts(window.files),
              app + "junk\\a.tmp+;" + app + "junk\\b.tmp+;" + app + "other\\c.tmp+;");
    EXPECT_EQ(Texts(window.special), "Recycle Bin+;");
    EXPECT_EQ(Texts(window.entries), key + "\\<|>DeleteValue<|>last+;");

    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(Exists("junk\\b.tmp"));
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(shell.recycleBinEmptied, 0); // unticked in the dialog
    EXPECT_FALSE(w->SpCancelPreview.Visible);
    EXPECT_EQ(w->LabFolderSuccess, "2");
    EXPECT_TRUE(dialogs.shown.empty()); // previews never ask
}

TEST_F(WashRunsTest, ConfirmationsAskFirstAndANoEndsTheRunBeforeItStarts) {
    env->Put("wildcard.ini", "[Delete Option]\r\nprompt Before=1\r\n");
    auto w = Start();
    w->spMainCancelClick(); // a Cancel left over from before
    dialogs.answers = {false};
    w->RunAllChecked(false);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Do you want to wash all the items selected?");
    EXPECT_FALSE(w->Runs().StopRequested());
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_EQ(shell.recycleBinEmptied, 0);

    w->ChListBoxItem.ItemIndex = 1;
    w->SelectItem();
    w->ChListBoxFolder.ItemIndex = 1;
    dialogs.answers = {false, false, true};
    w->btnWashSingleClick();
    w->btnWashFolderClick();
    w->btnWashRegisterClick();
    ASSERT_EQ(dialogs.shown.size(), 4u);
    EXPECT_EQ(dialogs.shown[1].text, "Do you want to clean 'Temp'?");
    EXPECT_EQ(dialogs.shown[2].text, "Do you want to clean 'Temp -> Other files'?");
    EXPECT_EQ(dialogs.shown[3].text, "Do you want to clean 'Temp -> Last run'?");
    EXPECT_FALSE(w->spMainCancel.Visible);
    EXPECT_TRUE(Exists("other\\c.tmp"));
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(w->LabelSuccess, "1");
    EXPECT_EQ(w->LabFolderSuccess, "");
    // Registry only: no file was ticked, so no two-second pause.
    EXPECT_EQ(window.waited, 0u);
}

TEST_F(WashRunsTest, UncheckedItemsAndChildrenAreCollectedButNothingIsTicked) {
    auto w = Start();
    w->ChListBoxItem.ItemIndex = 2; // Other, unchecked
    w->SelectItem();
    w->btnWashSingleClick();
    EXPECT_TRUE(Exists("other\\c.tmp"));
    EXPECT_EQ(w->ProgressBar1Max, 0);

    w->ChListBoxItem.ItemIndex = 1;
    w->SelectItem();
    w->ChListBoxFolder.SetChecked(0, false);
    w->ChListBoxFolder.ItemIndex = 0;
    w->btnPreviewCurrentFolderClick();
    EXPECT_EQ(window.caption, "Preview Files of Current Item - Total Files: 2");
    ASSERT_EQ(window.files.size(), 2u);
    EXPECT_FALSE(window.files[0].Checked || window.files[1].Checked);

    w->ChListBoxItem.ItemIndex = 2;
    w->SelectItem();
    w->btnPreviewCurrentItemClick();
    EXPECT_EQ(window.caption, "Preview Current Item - Total Files: 1  Entries: 0");
    EXPECT_EQ(window.page, 0); // "Washer Folder"
    EXPECT_EQ(Texts(window.files), app + "other\\c.tmp-;");
}

TEST_F(WashRunsTest, CancelDuringTheSearchRemovesNoFileButTheRestStillGoes) {
    auto w = Start();
    // The main Cancel button is pressed while the first child is searched.
    window.onPump = [&](int) {
        if (w->Status == StatusMode::Searching && w->spMainCancel.Visible && w->CurrentItem &&
            w->CurrentItem->ItemProperty.ItemName == "Temp") {
            w->spMainCancelClick();
        }
    };
    w->btnWashAllClick();
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(Exists("junk\\b.tmp"));
    EXPECT_TRUE(Exists("other\\c.tmp"));
    EXPECT_EQ(shell.recycleBinEmptied, 1); // collected before the cancel
    EXPECT_TRUE(ValueExists());            // Temp's registry children came after it
    EXPECT_FALSE(w->Runs().StopRequested());
    EXPECT_NE(env->Get("right.htm"), "<missing>");

    // A cancelled preview shows no dialog.
    window.onPump = [&](int) {
        if (w->SpCancelPreview.Visible) {
            w->SpCancelPreviewClick();
        }
    };
    w->btnMainPreviewClick();
    EXPECT_EQ(window.shown, 0);
}

TEST_F(WashRunsTest, NothingChangesTheItemsWhileARunWalksThem) {
    auto w = Start();
    dialogs.answers = {true, true, true};
    int tries = 0;
    window.onPump = [&](int) {
        if (w->Status != StatusMode::Searching || tries++ > 0) {
            return;
        }
        // What the user might click while the search goes on.
        w->SpDeleteClick();
        w->ChListBoxItem.ItemIndex = 2;
        w->ChListBoxItemClick();
        w->btnUnselectAllClick();
        w->btnWashAllClick(); // no second run inside the first
    };
    w->btnWashAllClick();
    EXPECT_EQ(tries > 0, true);
    EXPECT_EQ(w->ChListBoxItem.Count(), 3);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(Exists("other\\c.tmp"));
    EXPECT_EQ(w->ChListBoxItem.CheckedCount(), 2);
}

TEST_F(WashRunsTest, NothingCheckedWritesAnEmptySectionAndShowsNoCounters) {
    auto w = Start();
    w->btnUnselectAllClick();
    w->btnWashAllClick();
    EXPECT_EQ(w->LabFolderSuccess, "0");
    EXPECT_EQ(w->LabelFails, "0");
    EXPECT_EQ(window.waited, 0u);
    const std::string right = env->Get("right.htm");
    EXPECT_NE(right.find("<b>Note</b>"), std::string::npos);
    EXPECT_EQ(right.find("Success"), std::string::npos);

    w->btnMainPreviewClick();
    EXPECT_EQ(window.caption, "Preview - Total Special: 0  Files: 0  Entries: 0");
}

TEST_F(WashRunsTest, SpecialItemIsCleanedWithoutDialogAndTheCancelButtonHidden) {
    auto w = Start();
    w->spMainCancelClick();  // left over from an earlier Cancel
    w->btnWashSingleClick(); // row 0: Recycle Bin
    EXPECT_EQ(shell.recycleBinEmptied, 1);
    EXPECT_FALSE(w->spMainCancel.Visible);
    EXPECT_EQ(window.shown, 0);

    // The next wash is not stopped by the old flag.
    w->ChListBoxItem.ItemIndex = 1;
    w->SelectItem();
    w->ChListBoxFolder.ItemIndex = 0;
    w->btnWashFolderClick();
    EXPECT_FALSE(Exists("junk\\a.tmp"));
}

TEST_F(WashRunsTest, StatusModesGateTheExitButton) {
    auto w = Start();
    w->SetStatusMode(StatusMode::Searching);
    EXPECT_FALSE(w->SpeedButton17.Enabled);
    EXPECT_FALSE(w->FormCloseQuery());
    EXPECT_EQ(w->l1, "Searching...    The total of files searched is ");
    EXPECT_EQ(w->l3, "   The total size of files searched is ");
    w->SetStatusMode(StatusMode::Progress);
    EXPECT_FALSE(w->SpeedButton17.Enabled);
    w->SetStatusMode(StatusMode::Idle);
    EXPECT_TRUE(w->FormCloseQuery());
    EXPECT_EQ(w->ProgressBar1Max, 0);

    // The tray submenu follows the run commands.
    w->EnableRunCommands(false);
    EXPECT_FALSE(w->MenuWash[2].Enabled);
    EXPECT_FALSE(w->btnWashRegister.Enabled);
    w->EnableRunCommands(true);
    EXPECT_TRUE(w->MenuWash[2].Enabled);
}

// --- Washes without the user at the window ---

TEST_F(WashRunsTest, HotKeysComeFromTheSettingsAndGoAtClose) {
    auto w = Start();
    using Keys = platform::MemoryHotKeys;
    ASSERT_EQ(hotKeys.registered.size(), 2u);
    const Keys::Combination hide = hotKeys.registered[TFormMainQLMR::kHideHotKeyId];
    EXPECT_EQ(hide.modifiers, 3u); // Ctrl+Alt
    EXPECT_EQ(hide.virtualKey, static_cast<std::uint32_t>('F'));
    const Keys::Combination wash = hotKeys.registered[TFormMainQLMR::kWashHotKeyId];
    EXPECT_EQ(wash.modifiers, 2u); // Ctrl
    EXPECT_EQ(wash.virtualKey, static_cast<std::uint32_t>('D'));
    w->FormClose();
    EXPECT_TRUE(hotKeys.registered.empty());

    env->Put("wildcard.ini", "[Hot Key]\r\nControl=9\r\nChar=40\r\nControl washer=-1\r\n");
    w->SetHotKeys(true);
    ASSERT_EQ(hotKeys.registered.size(), 1u);
    EXPECT_EQ(hotKeys.registered[TFormMainQLMR::kHideHotKeyId].modifiers, 6u); // Ctrl+Shift
    EXPECT_EQ(hotKeys.registered[TFormMainQLMR::kHideHotKeyId].virtualKey,
              static_cast<std::uint32_t>('Z'));
}

TEST_F(WashRunsTest, HotKeysWashWithoutAskingAndHideBrowsers) {
    env->Put("wildcard.ini", "[Delete Option]\r\nprompt Before=1\r\n");
    auto w = Start();
    w->WMHotKey(TFormMainQLMR::kWashHotKeyId);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(w->PromptBefore);

    w->WMHotKey(TFormMainQLMR::kHideHotKeyId);
    EXPECT_EQ(shell.browsersHidden, 1);
    shell.shellWindowsAvailable = false;
    EXPECT_THROW(w->WMHotKey(TFormMainQLMR::kHideHotKeyId), EOleSysError);
    w->WMHotKey(12345); // not ours
    EXPECT_EQ(shell.browsersHidden, 2);
}

TEST_F(WashRunsTest, TimedWashComesWhenTheIntervalHasPassed) {
    env->Put("wildcard.ini", "[Schedule]\r\nSchedule Option=byEveryHour \r\nMinuts=90\r\n");
    auto w = Start(); // the interval starts now, 11:30
    ASSERT_TRUE(w->Timer1Enabled);
    clock.now = {2026, 12, 9, 12, 59, 59, 999};
    w->Timer1Timer();
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    clock.now = {2026, 12, 9, 13, 0, 0, 0};
    w->btnWashAll.Enabled = false; // a run is in progress
    w->Timer1Timer();
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    w->btnWashAll.Enabled = true;
    w->Timer1Timer();
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_EQ(w->LastTimedWash.hour, 13);

    // Across midnight the deadline still holds.
    env->Put("junk\\a.tmp", "again");
    clock.now = {2026, 12, 10, 0, 29, 0, 0};
    w->LastTimedWash = {2026, 12, 9, 23, 0, 0, 0};
    w->Timer1Timer();
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    clock.now = {2026, 12, 10, 0, 30, 0, 0};
    w->Timer1Timer();
    EXPECT_FALSE(Exists("junk\\a.tmp"));

    // A day or more is no time of day: never a timed wash.
    env->Put("junk\\a.tmp", "again");
    w->ScheduleMinutes = 1440;
    clock.now = {2027, 1, 1, 0, 0, 0, 0};
    w->Timer1Timer();
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    // 0 minutes: every tick washes.
    w->ScheduleMinutes = 0;
    w->Timer1Timer();
    EXPECT_FALSE(Exists("junk\\a.tmp"));
}

TEST_F(WashRunsTest, SessionEndWashesWhenAskedAndAlwaysLetsWindowsGoOn) {
    env->Put("wildcard.ini", "[Delete Option]\r\nprompt Before=1\r\n");
    auto w = Start();
    EXPECT_TRUE(w->WMQueryEndSession());
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    w->ScheduleFlags = 2; // byShutdown
    EXPECT_TRUE(w->WMQueryEndSession());
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WashRunsTest, AConsoleWashKeepsTheWindowsRunsWaiting) {
    env->Put("wildcard.ini", "[Schedule]\r\nSchedule Option=byShutdown byEveryHour \r\n"
                             "Minuts=30\r\n");
    auto w = Start(); // the interval starts now, 11:30
    ASSERT_TRUE(console.TryHold());
    const std::string told = "A wash from the console is running. Try again when it has ended.";
    w->btnWashAllClick();
    EXPECT_EQ(LastMessage(), told);
    dialogs.shown.clear();
    w->btnMainPreviewClick();
    w->WMHotKey(TFormMainQLMR::kWashHotKeyId);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(window.shown, 0);
    // Washes nobody asked for at the window wait without a word.
    dialogs.shown.clear();
    clock.now = {2026, 12, 9, 12, 0, 0, 0};
    w->Timer1Timer();
    EXPECT_TRUE(w->WMQueryEndSession());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_EQ(w->LastTimedWash.hour, 11);
    EXPECT_TRUE(w->btnWashAll.Enabled);
    EXPECT_TRUE(w->SpeedButton17.Enabled);

    // Once the console is done, the next tick washes; the window holds the
    // lock while it runs and lets it go after.
    console.Release();
    int pumps = 0;
    bool consoleGotIn = false;
    window.onPump = [&](int) {
        ++pumps;
        consoleGotIn = consoleGotIn || console.TryHold();
    };
    w->Timer1Timer();
    EXPECT_GT(pumps, 0);
    EXPECT_FALSE(consoleGotIn);
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_EQ(w->LastTimedWash.hour, 12);
    EXPECT_FALSE(washLock.Held());
}

TEST_F(WashRunsTest, StartUpWashNeedsAutoRunAndComesOnce) {
    env->Put("wildcard.ini", "[Schedule]\r\nSchedule Option=byStart \r\n");
    auto w = Start();
    w->FormActivate();
    EXPECT_TRUE(Exists("junk\\a.tmp"));

    env->Put("wildcard.ini", "[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n");
    auto again = Start();
    again->FormActivate();
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    env->Put("junk\\a.tmp", "back");
    again->FormActivate();
    EXPECT_TRUE(Exists("junk\\a.tmp"));
}

TEST(PreviewList, SortedListsMergeNewLinesIntoOrder) {
    PreviewList list;
    list.AddAll({"b", "A", "c"});
    EXPECT_EQ(list.Lines[0].Text, "b"); // not sorted yet
    list.SetSorted();
    list.AddAll({"B2", "a0"}, true);
    list.Add("Ab");
    std::string order;
    for (const auto& l : list.Lines) {
        order += l.Text + (l.Checked ? "+" : "") + ",";
    }
    EXPECT_EQ(order, "A,a0+,Ab,b,B2+,c,");
    list.SelectAll();
    EXPECT_TRUE(list.Lines[0].Checked);
    list.UnselectAll();
    EXPECT_FALSE(list.Lines[4].Checked);
}

TEST_F(WashRunsTest, RegistryLinesShowKeysWithoutTheMarkerAndValuesByTheirData) {
    const auto keyLook = LookOfRegistryLine(key + "\\<|>DeleteKey", reg->Registry());
    EXPECT_EQ(keyLook.text, key + "\\");
    EXPECT_TRUE(keyLook.keyColours);
    const auto valueLook = LookOfRegistryLine(key + "\\<|>DeleteValue<|>last", reg->Registry());
    EXPECT_EQ(valueLook.text, "notepad");
    EXPECT_FALSE(valueLook.keyColours);
    const auto gone = LookOfRegistryLine(key + "\\Gone\\<|>DeleteValue<|>last", reg->Registry());
    EXPECT_EQ(gone.text, "");
}

} // namespace
} // namespace quill
