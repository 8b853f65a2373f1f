// What keeps the main window's logic safe while runs and dialogs go on: the
// two-second wait that always ends, the commands shown disabled while a run
// holds the wash items, editors that write to the item they were opened for
// even when the selection moves, and the one handler of every error.

#include "app/error_barrier.h"
#include "app/pacer.h"
#include "support/app_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace quill {
namespace {

class RunSafetyTest : public test::AppTest {
protected:
    void SetUp() override {
        env->Put("junk\\a.tmp", "a");
        env->Put("junk\\b.tmp", "b");
        env->Put("const\\user.txt", "[Common]\r\nTotal=2\r\nItem0=Temp\r\nItem1=Other\r\n"
                                    "[Temp]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                                    "tFolder0.ChildItemName=Temp files\r\ntFolder0.isactive=1\r\n"
                                    "tFolder0.bycategory=1\r\ntFolder0.deletepath=" +
                                        app +
                                        "junk\\*.tmp\r\n"
                                        "[Other]\r\nIsActive=0\r\ntFolder.Total=1\r\n"
                                        "tFolder0.ChildItemName=Logs\r\ntFolder0.isactive=1\r\n"
                                        "tFolder0.bycategory=1\r\ntFolder0.deletepath=" +
                                        app + "logs\\*.log\r\n");
    }
};

// --- The wait that shows the counters ---

TEST_F(RunSafetyTest, WaitBusyEndsAtItsDeadlineWhateverThePumpsTake) {
    auto w = Start();
    // A pump that takes longer than the whole wait: the wait ends, it never
    // asks for the rest of a deadline already past (which would wrap to
    // "wait forever").
    window.onPump = [&](int) { window.ticks += 2500; };
    w->WaitBusy(2000);
    for (const std::uint32_t asked : window.waits) {
        EXPECT_LE(asked, 2000u);
    }
    EXPECT_TRUE(window.waits.empty());

    // Pumps that end just short of the deadline, and a tick counter that
    // wraps meanwhile: every wait asks for what is left, no more.
    window.waits.clear();
    window.ticks = 0xFFFFFF00u;
    window.onPump = [&](int) { window.ticks += 700; };
    w->WaitBusy(2000);
    ASSERT_FALSE(window.waits.empty());
    for (const std::uint32_t asked : window.waits) {
        EXPECT_LE(asked, 2000u);
    }
    EXPECT_EQ(shell.cursorChanges.back(), false); // the default cursor is back
}

// --- Commands during a run ---

// Every command and list that would change the wash items or the settings.
std::vector<const ControlState*> EditCommands(const TFormMainQLMR& w) {
    return {&w.SpNew,
            &w.SpEdit,
            &w.SpDelete,
            &w.btnUp,
            &w.btnDown,
            &w.btnSelectall,
            &w.btnUnselectAll,
            &w.btnaddfolder,
            &w.btnEditFolder,
            &w.btndeletefolder,
            &w.SpeedButton1,
            &w.SpeedButton4,
            &w.btnAddRegsiterChild,
            &w.btnEditRegsiterChild,
            &w.btndeleteregister,
            &w.SpeedButton6,
            &w.SpeedButton5,
            &w.btnsetting,
            &w.btnExclude,
            &w.SpeedButton7,
            &w.btnSavePlugin,
            &w.btnDeleteLog};
}

int EnabledCount(const TFormMainQLMR& w) {
    int n = 0;
    for (const ControlState* c : EditCommands(w)) {
        n += c->Enabled ? 1 : 0;
    }
    for (const CheckListBox* l : {&w.ChListBoxItem, &w.ChListBoxFolder, &w.ChListBoxRegister}) {
        n += l->Enabled ? 1 : 0;
    }
    return n;
}

TEST_F(RunSafetyTest, CommandsThatCannotActDuringARunAreShownDisabled) {
    auto w = Start();
    const int all = static_cast<int>(EditCommands(*w).size()) + 3;
    ASSERT_EQ(EnabledCount(*w), all);

    // Searching, and with the preview dialog open: every one is disabled,
    // so a click or an unticked box cannot be taken and then dropped.
    int duringSearch = -1;
    window.onPump = [&](int) {
        if (w->Status == StatusMode::Searching && duringSearch < 0) {
            duringSearch = EnabledCount(*w);
        }
    };
    int duringPreview = -1;
    window.onShow = [&](TPreviewForm&, const PreviewWashContext&) {
        duringPreview = EnabledCount(*w);
    };
    w->btnMainPreviewClick();
    EXPECT_EQ(duringSearch, 0);
    EXPECT_EQ(duringPreview, 0);
    EXPECT_EQ(EnabledCount(*w), all);

    duringSearch = -1;
    w->btnWashFolderClick();
    EXPECT_EQ(duringSearch, 0);
    EXPECT_EQ(EnabledCount(*w), all);

    // After a run the special-item rule holds again for the selected row.
    env->Put("const\\user.txt", "[Common]\r\nTotal=1\r\nItem0=Bin\r\n"
                                "[Bin]\r\nIsActive=1\r\nIsSpecial=1\r\n");
    w->ReloadCatalogue();
    ASSERT_TRUE(w->RowIsSpecial(0));
    w->btnWashAllClick();
    EXPECT_FALSE(w->SpEdit.Enabled);
    EXPECT_FALSE(w->btnPreviewCurrentFolder.Enabled);
    EXPECT_TRUE(w->SpDelete.Enabled);
    EXPECT_TRUE(w->ChListBoxItem.Enabled);
}

// --- Editors and the selection ---

TEST_F(RunSafetyTest, AChildEditorWritesToTheItemItWasOpenedForWhenTheSelectionMoves) {
    auto w = Start();
    ASSERT_EQ(w->CurrentItem->ItemProperty.ItemName, "Temp");
    // While the editor is open another wash item gets selected, then Save.
    window.onFolderEditor = [&](TFormFolder& e) {
        w->ChListBoxItem.ItemIndex = 1;
        w->ChListBoxItemClick();
        e.EditItemName = "Cache";
        e.Chisactive = true;
        e.EditFolder = "C:\\Cache\\*.*";
        e.SpeedButton1Click();
    };
    w->btnaddfolderClick();
    tItemContent temp(env->Fs(), app + "const\\user.txt", "Temp");
    ASSERT_EQ(temp.Folders.Count(), 2);
    EXPECT_EQ(temp.Folders.Items[1].ChildItemName, "Cache");
    EXPECT_EQ(temp.Folders.Items[1].deletepath, "C:\\Cache\\*.*");
    // The item selected meanwhile is untouched, and so are its rows.
    tItemContent other(env->Fs(), app + "const\\user.txt", "Other");
    ASSERT_EQ(other.Folders.Count(), 1);
    EXPECT_EQ(other.Folders.Items[0].ChildItemName, "Logs");
    EXPECT_EQ(w->CurrentItem->ItemProperty.ItemName, "Other");
    ASSERT_EQ(w->ChListBoxFolder.Count(), 1);
    EXPECT_EQ(w->ChListBoxFolder.At(0).Text, "Logs");

    // The registry editor and the wash item editor alike.
    w->ChListBoxItem.ItemIndex = 0;
    w->ChListBoxItemClick();
    window.onRegisterEditor = [&](TFormRegister& e) {
        w->ChListBoxItem.ItemIndex = 1;
        w->ChListBoxItemClick();
        e.EditItemName = "Run";
        e.EditKeyName = "HKEY_CURRENT_USER\\Software\\Nothing";
        e.btnSaveClick();
    };
    w->btnAddRegsiterChildClick();
    EXPECT_EQ(tItemContent(env->Fs(), app + "const\\user.txt", "Temp").Registers.Count(), 1);
    EXPECT_EQ(tItemContent(env->Fs(), app + "const\\user.txt", "Other").Registers.Count(), 0);
    EXPECT_EQ(w->ChListBoxRegister.Count(), 0);

    w->ChListBoxItem.ItemIndex = 0;
    w->ChListBoxItemClick();
    window.onItemEditor = [&](TFormAddEditItem& e) {
        w->ChListBoxItem.ItemIndex = 1;
        w->ChListBoxItemClick();
        e.Edititemname = "Temp renamed";
        e.btnSaveClick();
    };
    w->SpEditClick();
    const std::string user = env->Get("const\\user.txt");
    EXPECT_NE(user.find("[Temp renamed]"), std::string::npos) << user;
    EXPECT_NE(user.find("[Other]"), std::string::npos) << user;
}

// --- Hot keys ---

TEST_F(RunSafetyTest, AHotKeyAnotherProgramHoldsIsReportedByName) {
    hotKeys.takenModifiers = platform::modifier::Control;
    hotKeys.takenKey = 'D';
    auto w = Start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(dialogs.shown[0].text,
              "These hot keys cannot be registered, another program uses them:\r"
              "Ctrl+D (Clean all the checked wash items)\rPlease choose others in Preferences.");
    EXPECT_EQ(hotKeys.registered.size(), 1u); // the other one works
    EXPECT_EQ(HotKeyText({true, platform::modifier::Alt | platform::modifier::Control, 'F'}),
              "Ctrl+Alt+F");

    // Registered again while still taken: told once only.
    w->SetHotKeys(false);
    w->SetHotKeys(true);
    EXPECT_EQ(dialogs.shown.size(), 1u);

    // Both free: nothing to say.
    hotKeys.takenKey = 0;
    w->SetHotKeys(false);
    w->SetHotKeys(true);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(hotKeys.registered.size(), 2u);
}

// --- Errors ---

struct NotAStandardError {};

TEST_F(RunSafetyTest, EveryErrorOfAWindowProcedureReachesTheOneHandler) {
    auto w = Start();
    const auto handler = [&](std::exception_ptr e) { w->ApplicationEventsError(e); };
    static_assert(noexcept(ErrorBarrier([] { return 1; }, 0, handler)));

    EXPECT_EQ(ErrorBarrier([]() -> int { throw NotAStandardError(); }, -1, handler), -1);
    EXPECT_EQ(LastMessage(), "Please catch the screen and send to MQ\rNotAStandardError");
    EXPECT_EQ(ErrorBarrier([]() -> int { throw 42; }, -1, handler), -1);
    EXPECT_EQ(LastMessage(), "Please catch the screen and send to MQ\rint");
    EXPECT_EQ(ErrorBarrier([]() -> int { throw std::out_of_range("row"); }, -1, handler), -1);
    EXPECT_EQ(LastMessage(), "Please catch the screen and send to MQ\rout_of_range");
    const std::size_t shown = dialogs.shown.size();
    EXPECT_EQ(ErrorBarrier([]() -> int { throw EInOutError(32); }, -1, handler), -1);
    EXPECT_EQ(dialogs.shown.size(), shown); // I/O errors stay silent
    EXPECT_EQ(ErrorBarrier([] { return 7; }, -1, handler), 7);

    // A handler that fails itself: still nothing passes on.
    EXPECT_EQ(ErrorBarrier([]() -> int { throw 1; }, -2, [](std::exception_ptr) { throw 2; }), -2);
}

// --- Refresh pacing ---

TEST(Pacer, HoldsOncePerIntervalAcrossTheTickWrap) {
    Pacer pacer(60);
    EXPECT_TRUE(pacer.Due(1000)); // the first time
    EXPECT_FALSE(pacer.Due(1000));
    EXPECT_FALSE(pacer.Due(1059));
    EXPECT_TRUE(pacer.Due(1060));
    EXPECT_FALSE(pacer.Due(1100));
    pacer.Reset();
    EXPECT_TRUE(pacer.Due(1100));

    Pacer wrapping(60);
    EXPECT_TRUE(wrapping.Due(0xFFFFFFF0u));
    EXPECT_FALSE(wrapping.Due(0x00000010u)); // 32 ms later, across the wrap
    EXPECT_TRUE(wrapping.Due(0x0000002Cu));  // 60 ms later
}

} // namespace
} // namespace quill
