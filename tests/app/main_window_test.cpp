// The main window's logic without a window: start-up from the wash-item files
// and the order file, selection and check marks written where they belong,
// the summary line, the log and help commands, closing, and the error
// handler. Real files under Wine, the substitute natively.

#include "app/main_window.h"

#include "engine/find_file.h"
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_dialogs.h"
#include "platform/memory/memory_hot_keys.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"
#include "support/app_test.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quill {
namespace {

using platform::MessageKind;

class MainWindowTest : public test::AppTest {
protected:
    void Files() {
        env->Put("const\\system.txt",
                 "[Common]\r\nTotal=2\r\nItem0=Recycle Bin\r\nItem1=Temp\r\n"
                 "[Recycle Bin]\r\nIsActive=1\r\nIsSpecial=1\r\n"
                 "[Temp]\r\nIsActive=1\r\nIsSpecial=0\r\ntFolder.Total=2\r\n"
                 "tFolder0.ChildItemName=Temp files\r\ntFolder0.isactive=1\r\n"
                 "tFolder1.ChildItemName=Logs\r\ntFolder1.isactive=0\r\n"
                 "tRegister.Total=1\r\ntRegister0.ChildItemName=MRU\r\ntRegister0.isactive=1\r\n");
        env->Put("const\\user.txt", "[Common]\r\nTotal=2\r\nItem0=Mine\r\nItem1=Temp\r\n"
                                    "[Mine]\r\nIsActive=0\r\n[Temp]\r\nIsActive=1\r\n");
    }

    std::string Rows(const TFormMainQLMR& w) const {
        std::string out;
        for (std::int32_t i = 0; i < w.ChListBoxItem.Count(); ++i) {
            out += w.ChListBoxItem.At(i).Text + (w.ChListBoxItem.Checked(i) ? "+" : "-") +
                   (w.RowIsSpecial(i) ? "s" : "") + ",";
        }
        return out;
    }

    std::string Txt(const std::string& file) const { return app + file; }
};

TEST_F(MainWindowTest, StartsWithTheMergedCatalogueAndTheFirstRowSelected) {
    Files();
    // The order file knows Temp of the user file (unchecked) and a wash item
    // that no longer exists; everything else follows in file order.
    env->Put("order.ini", "[Common]\r\nTotal=2\r\nItem0=Gone<|>" + Txt("const\\user.txt") +
                              "\r\nItem1=Temp<|>" + Txt("const\\user.txt") + "\r\n[Gone<|>" +
                              Txt("const\\user.txt") +
                              "]\r\ntxtfilename=" + Txt("const\\user.txt") +
                              "\r\nIsActive=1\r\n[Temp<|>" + Txt("const\\user.txt") +
                              "]\r\ntxtfilename=" + Txt("const\\user.txt") + "\r\nIsActive=0\r\n");
    auto w = Start();
    EXPECT_EQ(Rows(*w), "Temp-,Recycle Bin+s,Temp+,Mine-,");
    EXPECT_EQ(w->HelpFile, app + "help.chm");

    // The tray submenu: the run of all checked items, a separator, a row each.
    ASSERT_EQ(w->MenuWash.size(), 6u);
    EXPECT_EQ(w->MenuWash[0].Caption, "Wash all checked item");
    EXPECT_EQ(w->MenuWash[1].Caption, "-");
    EXPECT_EQ(w->MenuWash[3].Caption, "Recycle Bin");
    EXPECT_TRUE(w->MenuWash[3].Checked);
    EXPECT_EQ(w->MenuWash[5].Tag, 103);

    // Row 0 (Temp of the user file, without children) is selected.
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 0);
    ASSERT_TRUE(w->CurrentItem);
    EXPECT_EQ(w->CurrentItem->ItemProperty.txtfilename, Txt("const\\user.txt"));
    EXPECT_EQ(w->ChListBoxFolder.Count(), 0);
    EXPECT_EQ(w->ChListBoxFolder.ItemIndex, -1);

    // Destruction writes the order file anew: the vanished item is gone.
    w->FormClose();
    w->FormDestroy();
    const std::string order = env->Get("order.ini");
    EXPECT_EQ(order.find("Gone"), std::string::npos);
    EXPECT_NE(order.find("Total=4\r\n"), std::string::npos);
    EXPECT_EQ(env->Get("order.ini.new"), "<missing>");
}

TEST_F(MainWindowTest, SelectingShowsChildrenAndSpecialItemsDisableTheirCommands) {
    Files();
    auto w = Start();
    ASSERT_EQ(Rows(*w), "Recycle Bin+s,Temp+,Mine-,Temp+,");
    EXPECT_FALSE(w->btnPreviewCurrentItem.Enabled);
    EXPECT_FALSE(w->btnAddRegsiterChild.Enabled);
    EXPECT_FALSE(w->SpEdit.Enabled);
    EXPECT_TRUE(w->btnWashSingle.Enabled);
    EXPECT_TRUE(w->SpDelete.Enabled);

    w->ChListBoxItem.ItemIndex = 1;
    w->ChListBoxItemClick();
    EXPECT_TRUE(w->btnPreviewCurrentItem.Enabled);
    EXPECT_TRUE(w->btndeleteregister.Enabled);
    ASSERT_EQ(w->ChListBoxFolder.Count(), 2);
    EXPECT_EQ(w->ChListBoxFolder.At(0).Text, "Temp files");
    EXPECT_TRUE(w->ChListBoxFolder.Checked(0));
    EXPECT_FALSE(w->ChListBoxFolder.Checked(1));
    EXPECT_EQ(w->ChListBoxFolder.ItemIndex, 0);
    ASSERT_EQ(w->ChListBoxRegister.Count(), 1);
    EXPECT_EQ(w->ChListBoxRegister.At(0).Text, "MRU");

    // No selection: nothing changes.
    w->ChListBoxItem.ItemIndex = -1;
    w->ChListBoxItemClick();
    EXPECT_EQ(w->ChListBoxFolder.Count(), 2);
}

TEST_F(MainWindowTest, CheckMarksGoToTheWashItemFileAtOnceAndToTheOrderFileAtExit) {
    Files();
    auto w = Start();
    w->ChListBoxItem.ItemIndex = 1; // Temp of the shipped file
    w->ChListBoxItemClick();
    w->ChListBoxItem.SetChecked(1, false);
    w->ChListBoxItemClickCheck();
    EXPECT_NE(env->Get("const\\system.txt").find("[Temp]\r\nIsActive=0\r\n"), std::string::npos);
    EXPECT_FALSE(w->Catalogue.Items[1].IsActive);
    EXPECT_FALSE(w->MenuWash[3].Checked);
    EXPECT_NE(w->LabelStatus.find("Selected: 2 "), std::string::npos);

    // A child's check mark rewrites that child only.
    w->ChListBoxFolder.SetChecked(1, true);
    w->ChListBoxFolderClickCheck(1);
    w->ChListBoxRegister.SetChecked(0, false);
    w->ChListBoxRegisterClickCheck(0);
    tItemContent stored(env->Fs(), Txt("const\\system.txt"), "Temp");
    EXPECT_TRUE(stored.Folders.Items[1].isactive);
    EXPECT_TRUE(stored.Folders.Items[0].isactive);
    EXPECT_FALSE(stored.Registers.Items[0].isactive);
    EXPECT_FALSE(stored.ItemProperty.IsActive);

    w->btnUnselectAllClick();
    EXPECT_EQ(w->ChListBoxItem.CheckedCount(), 0);
    w->FormClose();
    w->FormDestroy();
    titem_list order(env->Fs());
    order.LoadFromFile(app + "order.ini");
    ASSERT_EQ(order.Count(), 4);
    for (const auto& e : order.Items) {
        EXPECT_FALSE(e.IsActive) << e.ItemName;
    }
    // The wash item that was unchecked with the rest but not selected keeps
    // its own file's flag until it is selected.
    EXPECT_NE(env->Get("const\\user.txt").find("[Mine]\r\nIsActive=0"), std::string::npos);
}

TEST_F(MainWindowTest, TickingAnItemWithAWarningAsksAndKeepsTheTickOnlyOnYes) {
    env->Put("const\\system.txt",
             "[Common]\r\nTotal=3\r\nItem0=Plain\r\nItem1=Cookies\r\nItem2=Sessions\r\n"
             "[Plain]\r\nIsActive=0\r\n"
             "[Cookies]\r\nIsActive=0\r\nWarning=Signs you out of web sites.\r\n"
             "[Sessions]\r\nIsActive=0\r\nWarning=Closes the open tabs.\r\n");
    auto w = Start();
    ASSERT_EQ(w->ChListBoxItem.Count(), 3);
    // A row without a warning: no question.
    w->ChListBoxItem.SetChecked(0, true);
    w->ChListBoxItemClickCheck();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(w->Catalogue.Items[0].IsActive);

    // The selected row, answered No: the tick goes, nothing is written.
    w->ChListBoxItem.ItemIndex = 1;
    w->ChListBoxItemClick();
    w->ChListBoxItem.SetChecked(1, true);
    dialogs.answers = {false};
    w->ChListBoxItemClickCheck();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Question);
    EXPECT_EQ(dialogs.shown[0].text, "Cookies:\r\rSigns you out of web sites.\r\rCheck this item?");
    EXPECT_FALSE(w->ChListBoxItem.Checked(1));
    EXPECT_FALSE(w->Catalogue.Items[1].IsActive);
    EXPECT_NE(env->Get("const\\system.txt").find("[Cookies]\r\nIsActive=0\r\n"), std::string::npos);

    // Yes keeps it, and the warning stays with the item when it is written.
    w->ChListBoxItem.SetChecked(1, true);
    dialogs.answers = {true};
    w->ChListBoxItemClickCheck();
    EXPECT_TRUE(w->ChListBoxItem.Checked(1));
    EXPECT_TRUE(w->Catalogue.Items[1].IsActive);
    tItemContent stored(env->Fs(), Txt("const\\system.txt"), "Cookies");
    EXPECT_TRUE(stored.ItemProperty.IsActive);
    EXPECT_EQ(stored.Warning, "Signs you out of web sites.");

    // Check All asks for each newly ticked row with a warning, never again
    // for one already ticked; unticking asks nothing.
    dialogs.shown.clear();
    dialogs.answers = {false};
    w->btnSelectallClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Closes the open tabs."), std::string::npos);
    EXPECT_FALSE(w->ChListBoxItem.Checked(2));
    w->btnUnselectAllClick();
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(MainWindowTest, SummaryFollowsTheSettings) {
    Files();
    env->Put("wildcard.ini", "[Delete Option]\r\nUse Quick=0\r\n[Log]\r\nWrite to Log=0\r\n"
                             "[Schedule]\r\nSchedule Option=byStart byShutdown byEveryHour \r\n"
                             "Minuts=30\r\n");
    auto w = Start();
    EXPECT_EQ(w->LabelStatus, "Washer Items Selected: 3     Secure Methed: ON      Write to Log: "
                              "OFF      Schedule:   'START'  'SHUT DOWN'  'EVERY 30MIN'");
    EXPECT_TRUE(w->Timer1Enabled);
    EXPECT_EQ(w->LastTimedWash.hour, 11);

    env->Put("wildcard.ini", "");
    w->ReadRunSettings();
    w->ShowSummary();
    EXPECT_EQ(w->LabelStatus, "Washer Items Selected: 3     Secure Methed: OFF      Write to "
                              "Log: ON      Schedule:  NONE");
    EXPECT_FALSE(w->Timer1Enabled);

    // What Preferences applied: the timed washes' interval starts again.
    clock.now = {2026, 12, 9, 15, 45, 0, 0};
    WindowRunSettings applied;
    applied.UseQuick = false;
    applied.ScheduleFlags = schedule::Timed;
    applied.ScheduleMinutes = 30;
    w->ApplyRunSettings(applied);
    w->ShowSummary();
    EXPECT_EQ(w->LabelStatus, "Washer Items Selected: 3     Secure Methed: ON      Write to "
                              "Log: ON      Schedule:   'EVERY 30MIN'");
    EXPECT_TRUE(w->Timer1Enabled);
    EXPECT_EQ(w->LastTimedWash.hour, 15);
}

TEST_F(MainWindowTest, StartsMinimizedOnlyWhenStartedWithWindowsAndAskedTo) {
    env->Put("wildcard.ini", "[Run]\r\nAuto Run=1\r\nIs Minimized=1\r\n");
    EXPECT_TRUE(Start("autorun")->StartMinimized);
    EXPECT_FALSE(Start("AUTORUN")->StartMinimized);
    EXPECT_FALSE(Start()->StartMinimized);
    env->Put("wildcard.ini", "[Run]\r\nAuto Run=1\r\n");
    EXPECT_FALSE(Start("autorun")->StartMinimized);
}

TEST_F(MainWindowTest, NoWashItemsStartsEmpty) {
    auto w = Start();
    EXPECT_EQ(w->ChListBoxItem.Count(), 0);
    EXPECT_FALSE(w->CurrentItem);
    EXPECT_TRUE(w->MenuWash.empty());
    EXPECT_EQ(w->LabelStatus.rfind("Washer Items Selected: 0 ", 0), 0u);
}

TEST_F(MainWindowTest, ViewLogNotesWhenLoggingIsOffAndOpensTheFramePage) {
    env->Put("wildcard.ini", "[Log]\r\nWrite to Log=0\r\n");
    auto w = Start();
    w->btnViewLogClick();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, "Note: The latest operation is not be written to the log "
                                     "files.\rBecause Write Operation to Log in Setting isn't to "
                                     "be checked!");
    EXPECT_EQ(dialogs.shown[1].kind, MessageKind::Error);
    EXPECT_EQ(dialogs.shown[1].text, "No log file can be displayed !");
    EXPECT_TRUE(shell.opened.empty());

    env->Put("right.htm", "x");
    w->btnViewLogClick();
    EXPECT_EQ(dialogs.shown.size(), 3u);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], app + "log.htm|");

    w->SpeedButton2Click();
    EXPECT_EQ(shell.opened.back(), app + "help.chm|");
    w->ShowHelpTopic(TFormMainQLMR::kHelpContext); // F1
    EXPECT_EQ(shell.helpShown, (std::vector<std::string>{app + "help.chm#58"}));
}

TEST_F(MainWindowTest, ViewLogFallsBackToTheBrowserThenNamesTheFile) {
    auto w = Start();
    env->Put("right.htm", "x");

    // Opened with its program: the browser is not asked.
    w->btnViewLogClick();
    EXPECT_EQ(shell.opened, (std::vector<std::string>{app + "log.htm|"}));
    EXPECT_TRUE(shell.openedInBrowser.empty());
    EXPECT_TRUE(dialogs.shown.empty());

    // No program opens .htm files: the default web browser shows it.
    shell.openSucceeds = false;
    w->btnViewLogClick();
    EXPECT_EQ(shell.openedInBrowser, (std::vector<std::string>{app + "log.htm"}));
    EXPECT_TRUE(dialogs.shown.empty());

    // No browser either: one error naming the file.
    shell.browserAvailable = false;
    w->btnViewLogClick();
    EXPECT_EQ(shell.openedInBrowser.size(), 2u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(dialogs.shown[0].text,
              "The log cannot be shown: no program opens .htm files and no web browser was "
              "found.\rThe log is the file " +
                  app + "log.htm");
}

TEST_F(MainWindowTest, DeleteLogAsksAndDeletesRightOnlyAfterLeft) {
    auto w = Start();
    env->Put("right.htm", "r");
    dialogs.answers = {true};
    w->btnDeleteLogClick(); // left.htm missing: nothing deleted, nothing said
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Question);
    EXPECT_EQ(dialogs.shown[0].text, "Do you want to delete log file?");
    EXPECT_EQ(env->Get("right.htm"), "r");

    env->Put("left.htm", "l");
    dialogs.answers = {false};
    w->btnDeleteLogClick();
    EXPECT_EQ(env->Get("left.htm"), "l");

    env->Put("log.htm", "frames");
    dialogs.answers = {true};
    w->btnDeleteLogClick();
    EXPECT_EQ(env->Get("left.htm"), "<missing>");
    EXPECT_EQ(env->Get("right.htm"), "<missing>");
    EXPECT_EQ(env->Get("log.htm"), "frames");
    EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Information);
    EXPECT_EQ(dialogs.shown.back().text, "Log file is cleaned successful!");
}

TEST_F(MainWindowTest, ClosingIsRefusedDuringARunAndDeletesTheLogWhenAsked) {
    env->Put("wildcard.ini", "[Log]\r\nDelete Log On Exit=1\r\n");
    env->Put("left.htm", "l");
    env->Put("right.htm", "r");
    auto w = Start();
    w->SpeedButton17.Enabled = false;
    EXPECT_FALSE(w->FormCloseQuery());
    w->SpeedButton17.Enabled = true;
    EXPECT_TRUE(w->FormCloseQuery());
    w->FormClose();
    EXPECT_EQ(env->Get("left.htm"), "<missing>");
    EXPECT_EQ(env->Get("right.htm"), "<missing>");
    EXPECT_TRUE(w->SpecialFiles.empty());
}

TEST_F(MainWindowTest, AFailedOrderFileWriteKeepsTheOldOrder) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "a failing write is staged on the substitute";
    }
    Files();
    env->Put("order.ini", "[Common]\r\nTotal=0\r\n");
    auto w = Start();
    memory->SetAccessDenied(app + "order.ini", true);
    EXPECT_THROW(w->FormDestroy(), EIniFileException);
    memory->SetAccessDenied(app + "order.ini", false);
    EXPECT_EQ(env->Get("order.ini"), "[Common]\r\nTotal=0\r\n");
    EXPECT_EQ(env->Get("order.ini.new"), "<missing>");
}

TEST_F(MainWindowTest, ErrorsReachingTheLoopShowTheirClassExceptIoErrors) {
    auto w = Start();
    w->ApplicationEventsException(std::runtime_error("I/O error 32"));
    EXPECT_TRUE(dialogs.shown.empty());
    w->ApplicationEventsException(EFindFileError("x"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Notice);
    EXPECT_EQ(dialogs.shown[0].text, "Please catch the screen and send to MQ\rEFindFileError");
}

TEST_F(MainWindowTest, ItemIndexInFileMatchesTheExactName) {
    env->Put("x.txt",
             "[Common]\r\nTotal=3\r\nItem0=a\r\nItem1=Temp\r\nItem2=temp\r\nItem3=late\r\n");
    platform::FileSystem& fs = env->Fs();
    EXPECT_EQ(TFormMainQLMR::ItemIndexInFile(fs, app + "x.txt", "temp"), 2);
    EXPECT_EQ(TFormMainQLMR::ItemIndexInFile(fs, app + "x.txt", "Temp"), 1);
    EXPECT_EQ(TFormMainQLMR::ItemIndexInFile(fs, app + "x.txt", "late"), 0); // past Total
    EXPECT_EQ(TFormMainQLMR::ItemIndexInFile(fs, app + "none.txt", "a"), 0);
}

} // namespace
} // namespace quill
