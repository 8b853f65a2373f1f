// The run controller on its own: each scope collects, ticks and washes what
// the runs of the main window do, asks before washing when told to, and
// hands previews over; Cancel and Stop end a run as the Cancel buttons do.

#include "app/run_controller.h"

#include "engine/builtin_stores.h"
#include "locations/path_macros.h"
#include "model/catalogue.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"
#include "support/recording_log.h"
#include "support/registry_env.h"
#include "support/test_env.h"
#include "support/wash_scene.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quill {
namespace {

// Plays the client: answers questions, records what it is told, and can
// press Cancel or Stop at the nth message pump.
class RecordingObserver final : public RunObserver {
public:
    void ProcessMessages() override {
        ++pumps;
        if (onPump) {
            onPump(pumps);
        }
    }
    bool Confirm(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    void StatusChanged(StatusMode mode) override { modes.push_back(mode); }
    void ProgressChanged(std::int32_t position, std::int32_t max) override {
        lastProgress = std::to_string(position) + "/" + std::to_string(max);
    }
    void RunCommandsEnabled(bool enabled) override { commandsEnabled = enabled; }
    void ItemStarted(std::int32_t row) override { rows.push_back(row); }
    void CountersChanged(const RunCounters& c) override { counters = c; }
    void HoldCounters() override { ++holds; }
    void ShowPreview(TPreviewForm& dialog, const PreviewWashContext& wash) override {
        captions.push_back(dialog.Caption);
        special = dialog.CheckListBoxSpecial.Lines;
        files = dialog.CheckListBoxPreviewFolder.Lines;
        entries = dialog.CheckListBoxPreviewregister.Lines;
        if (washFromPreview) {
            dialog.Wash(wash);
        }
    }

    bool answer = true;
    bool washFromPreview = false;
    int pumps = 0;
    std::function<void(int)> onPump;
    std::vector<std::string> questions;
    std::vector<StatusMode> modes;
    std::string lastProgress;
    bool commandsEnabled = true;
    std::vector<std::int32_t> rows;
    RunCounters counters;
    int holds = 0;
    std::vector<std::string> captions;
    CheckedList special, files, entries;
};

class RunControllerTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    std::unique_ptr<test::RegistryEnv> reg = test::MakeRegistryEnv();
    platform::MemorySystemInfo system;
    platform::MemoryShell shell;
    test::RecordingLog log;
    const std::string& app = env->Root();
    PathMacros macros{system, reg->Registry(), env->Fs(), app + "wildcard.ini"};
    std::vector<std::string> specialFiles;
    RecordingObserver observer;
    test::WashScene scene{*env, *reg};
    const std::string& key = scene.Key();

    void SetUp() override {
        env->Put("junk\\keep.txt", "k");
        // Recycle Bin (special), Temp (two folder/file children, one
        // registry value), Other (unchecked), Unticked (its child unchecked).
        env->Put("const\\user.txt",
                 "[Common]\r\nTotal=4\r\nItem0=Recycle Bin\r\nItem1=Temp\r\nItem2=Other\r\n"
                 "Item3=Unticked\r\n"
                 "[Recycle Bin]\r\nIsActive=1\r\nIsSpecial=1\r\n" +
                     scene.TempSection() + scene.OtherSection("Other") +
                     "[Unticked]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                     "tFolder0.ChildItemName=Keep\r\ntFolder0.isactive=0\r\n"
                     "tFolder0.bycategory=1\r\ntFolder0.deletepath=" +
                     app + "junk\\keep.txt\r\n");
    }

    std::unique_ptr<RunController> Make(RunOptions options = {}) {
        const RunServices services{env->Fs(), reg->Registry(), system,       shell,
                                   log,       macros,          specialFiles, app + "wildcard.ini"};
        return std::make_unique<RunController>(services, options, observer);
    }

    std::vector<RunItem> Catalogue() {
        titem_list catalogue(env->Fs());
        LoadCatalogue(env->Fs(), app, catalogue);
        std::vector<RunItem> items;
        for (const titem_property& e : catalogue.Items) {
            items.push_back({e, e.IsActive});
        }
        return items;
    }

    RunItem Item(const std::string& name) {
        for (const RunItem& i : Catalogue()) {
            if (i.entry.ItemName == name) {
                return i;
            }
        }
        ADD_FAILURE() << name;
        return RunItem({}, false);
    }

    bool Exists(const std::string& relative) { return env->Get(relative) != "<missing>"; }
    bool ValueExists() const { return scene.ValueExists(); }

    static std::string Texts(const CheckedList& lines) { return test::WashScene::Texts(lines); }
};

TEST_F(RunControllerTest, WashOfAllCheckedItemsRemovesWhatTheyNameAndCountsIt) {
    auto run = Make();
    EXPECT_EQ(run->Run({RunScope::AllChecked, false, Catalogue()}), RunEnd::Finished);

    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(Exists("junk\\b.tmp"));
    EXPECT_FALSE(Exists("other\\c.tmp"));
    EXPECT_TRUE(Exists("junk\\keep.txt")); // its child is unchecked
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(shell.recycleBinEmptied, 1);
    EXPECT_EQ(observer.rows, (std::vector<std::int32_t>{0, 1, 3}));
    EXPECT_TRUE(observer.captions.empty());

    EXPECT_EQ(run->Counters().FilesRemoved, "3");
    EXPECT_EQ(run->Counters().FilesFailed, "0");
    EXPECT_EQ(run->Counters().EntriesRemoved, "1");
    EXPECT_EQ(run->Counters().Failures(), 0);
    EXPECT_EQ(observer.counters.FilesRemoved, "3");
    EXPECT_EQ(observer.lastProgress, "3/3");
    // Searching, progress, the counters held a while, then idle.
    EXPECT_EQ(observer.modes.front(), StatusMode::Searching);
    EXPECT_EQ(observer.modes.back(), StatusMode::Idle);
    EXPECT_EQ(observer.holds, 1);
    EXPECT_TRUE(observer.commandsEnabled);
    EXPECT_FALSE(run->Running());
    // Files and registry in one section, the special item in its own.
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.front(), "begin");
    EXPECT_EQ(log.calls.back(), "end");
}

TEST_F(RunControllerTest, PreviewHandsTheTickedListsOverAndRemovesNothing) {
    auto run = Make();
    EXPECT_EQ(run->Run({RunScope::AllChecked, true, Catalogue()}), RunEnd::Finished);

    ASSERT_EQ(observer.captions.size(), 1u);
    EXPECT_EQ(observer.captions[0], "Preview - Total Special: 1  Files: 3  Entries: 1");
    EXPECT_EQ(Texts(observer.special), "Recycle Bin+;");
    EXPECT_EQ(Texts(observer.files),
              app + "junk\\a.tmp+;" + app + "junk\\b.tmp+;" + app + "other\\c.tmp+;");
    EXPECT_EQ(Texts(observer.entries), key + "\\<|>DeleteValue<|>last+;");
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(ValueExists());
    EXPECT_EQ(shell.recycleBinEmptied, 0);
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(observer.holds, 0); // no wash, no counters to hold
    // The search counted the files it found.
    EXPECT_EQ(observer.modes.back(), StatusMode::Idle);
}

TEST_F(RunControllerTest, AWashFromThePreviewRemovesWhatStaysTicked) {
    observer.washFromPreview = true;
    auto run = Make({true, false, false});
    run->Run({RunScope::Item, true, {Item("Temp")}});
    EXPECT_EQ(observer.captions.at(0), "Preview Current Item - Total Files: 3  Entries: 1");
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(observer.counters.FilesRemoved, "3");
    EXPECT_TRUE(log.calls.empty()); // the options said no log
}

TEST_F(RunControllerTest, ConfirmationsNameTheScopeAndANoEndsTheRunUntouched) {
    observer.answer = false;
    auto run = Make({true, true, true});
    EXPECT_EQ(run->Run({RunScope::AllChecked, false, Catalogue()}), RunEnd::Declined);
    EXPECT_EQ(run->Run({RunScope::Item, false, {Item("Temp")}}), RunEnd::Declined);
    EXPECT_EQ(run->Run({RunScope::FolderChild, false, {Item("Temp")}, 1}), RunEnd::Declined);
    EXPECT_EQ(run->Run({RunScope::RegistryChild, false, {Item("Temp")}, 0}), RunEnd::Declined);
    EXPECT_EQ(observer.questions,
              (std::vector<std::string>{"Do you want to wash all the items selected?",
                                        "Do you want to clean 'Temp'?",
                                        "Do you want to clean 'Temp -> Other files'?",
                                        "Do you want to clean 'Temp -> Last run'?"}));
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(ValueExists());
    EXPECT_TRUE(observer.modes.empty());
    EXPECT_TRUE(log.calls.empty());

    // Previews never ask.
    run->Run({RunScope::AllChecked, true, Catalogue()});
    EXPECT_EQ(observer.questions.size(), 4u);
}

TEST_F(RunControllerTest, AnUncheckedItemOrChildIsCollectedButNothingIsTicked) {
    auto run = Make();
    RunItem temp = Item("Temp");
    temp.checked = false;
    run->Run({RunScope::Item, false, {temp}});
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(ValueExists());
    EXPECT_EQ(run->Counters().FilesRemoved, "0");

    run->Run({RunScope::FolderChild, true, {Item("Unticked")}, 0});
    EXPECT_EQ(observer.captions.back(), "Preview Files of Current Item - Total Files: 1");
    EXPECT_EQ(Texts(observer.files), app + "junk\\keep.txt-;");

    // The list the child was chosen from decides, when it is given.
    run->Run({RunScope::FolderChild, false, {Item("Unticked")}, 0, true});
    EXPECT_FALSE(Exists("junk\\keep.txt"));
}

TEST_F(RunControllerTest, ChildScopesTakeOneChildAndAMissingOneIsNoTarget) {
    auto run = Make();
    run->Run({RunScope::FolderChild, false, {Item("Temp")}, 1});
    EXPECT_FALSE(Exists("other\\c.tmp"));
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_EQ(run->Counters().FilesRemoved, "1");
    EXPECT_EQ(run->Counters().EntriesRemoved, ""); // no registry wash yet

    run->Run({RunScope::RegistryChild, true, {Item("Temp")}, 0});
    EXPECT_EQ(observer.captions.back(), "Preview Entries of Current Item - Total Entries: 1");
    run->Run({RunScope::RegistryChild, false, {Item("Temp")}, 0});
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(run->Counters().EntriesRemoved, "1");
    EXPECT_EQ(run->Counters().FilesRemoved, "1"); // the files' counters stay

    EXPECT_EQ(run->Run({RunScope::FolderChild, false, {Item("Temp")}, 2}), RunEnd::NoTarget);
    EXPECT_EQ(run->Run({RunScope::RegistryChild, false, {Item("Temp")}, -1}), RunEnd::NoTarget);
    EXPECT_EQ(run->Run({RunScope::Item, false, {}}), RunEnd::NoTarget);
    EXPECT_EQ(observer.modes.back(), StatusMode::Idle);
    EXPECT_TRUE(observer.commandsEnabled);
}

TEST_F(RunControllerTest, StopDuringTheSearchRemovesNoFileButWhatWasCollectedBefore) {
    auto run = Make();
    // Stop at the first pump of the search: the Recycle Bin was collected,
    // Temp's files were being searched.
    observer.onPump = [&](int n) {
        if (n == 1) {
            run->Stop();
        }
    };
    EXPECT_EQ(run->Run({RunScope::AllChecked, false, Catalogue()}), RunEnd::Cancelled);
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(Exists("other\\c.tmp"));
    EXPECT_TRUE(ValueExists()); // Temp's registry children were not collected
    EXPECT_EQ(shell.recycleBinEmptied, 1);
    EXPECT_EQ(run->Counters().FilesRemoved, "0");
    // The log section is still written.
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.front(), "begin");
}

TEST_F(RunControllerTest, StopDuringTheRemovalEndsItBetweenFiles) {
    auto run = Make();
    const RunItem temp = Item("Temp");
    int removalPumps = 0;
    observer.onPump = [&](int) {
        if (observer.lastProgress == "1/3" && ++removalPumps == 1) {
            run->Stop();
        }
    };
    EXPECT_EQ(run->Run({RunScope::Item, false, {temp}}), RunEnd::Cancelled);
    EXPECT_EQ(run->Counters().FilesRemoved, "1");
    EXPECT_EQ(Exists("junk\\a.tmp") + Exists("junk\\b.tmp") + Exists("other\\c.tmp"), 2);

    // The next run starts with clear flags.
    observer.onPump = nullptr;
    EXPECT_EQ(run->Run({RunScope::Item, false, {temp}}), RunEnd::Finished);
    EXPECT_FALSE(Exists("other\\c.tmp"));
}

TEST_F(RunControllerTest, ACancelledPreviewShowsNoDialogExceptForARegistryChild) {
    auto run = Make();
    observer.onPump = [&](int) { run->Cancel(); };
    EXPECT_EQ(run->Run({RunScope::AllChecked, true, Catalogue()}), RunEnd::Cancelled);
    EXPECT_EQ(run->Run({RunScope::FolderChild, true, {Item("Temp")}, 0}), RunEnd::Cancelled);
    EXPECT_TRUE(observer.captions.empty());
    // A one-item run still collects the registry entries after a cancel.
    observer.washFromPreview = false;
    run->Run({RunScope::Item, false, {Item("Temp")}});
    EXPECT_FALSE(ValueExists());
}

TEST_F(RunControllerTest, ARunStartedFromWithinARunDoesNothing) {
    auto run = Make();
    RunEnd nested = RunEnd::Finished;
    observer.onPump = [&](int n) {
        if (n == 1) {
            nested = run->Run({RunScope::AllChecked, false, Catalogue()});
        }
    };
    run->Run({RunScope::AllChecked, true, Catalogue()});
    EXPECT_EQ(nested, RunEnd::Declined);
    EXPECT_EQ(observer.captions.size(), 1u);
    EXPECT_TRUE(Exists("junk\\a.tmp"));
}

TEST_F(RunControllerTest, ARunAskedForDuringTheQuestionDoesNothing) {
    // The question is modal: its message loop may deliver a hot key.
    class Asking final : public RunObserver {
    public:
        bool Confirm(const std::string&) override {
            nested = controller->Run({RunScope::AllChecked, false, items});
            return false;
        }
        RunController* controller = nullptr;
        std::vector<RunItem> items;
        RunEnd nested = RunEnd::Finished;
    } asking;
    const RunServices services{env->Fs(), reg->Registry(), system,       shell,
                               log,       macros,          specialFiles, app + "wildcard.ini"};
    RunController run(services, {true, true, true}, asking);
    asking.controller = &run;
    asking.items = Catalogue();
    EXPECT_EQ(run.Run({RunScope::AllChecked, false, asking.items}), RunEnd::Declined);
    EXPECT_EQ(asking.nested, RunEnd::Declined);
    EXPECT_FALSE(run.Running());
    EXPECT_TRUE(Exists("junk\\a.tmp"));
}

TEST_F(RunControllerTest, FailuresAreCountedAndTheOptionsChooseTheRemoval) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "a held file is staged by the substitute";
    }
    memory->SetHeldOpen(app + "junk\\b.tmp", true);
    auto run = Make({false, false, true});
    run->Run({RunScope::AllChecked, false, Catalogue()});
    EXPECT_EQ(run->Counters().FilesRemoved, "2");
    EXPECT_EQ(run->Counters().FilesFailed, "1");
    EXPECT_EQ(run->Counters().Failures(), 1);
    bool secureRow = false;
    for (const std::string& call : log.calls) {
        secureRow = secureRow || (call.rfind("file ok ", 0) == 0);
    }
    EXPECT_TRUE(secureRow); // not "file quick ok"

    run->CleanSpecial(kRecycleBinItem);
    EXPECT_EQ(shell.recycleBinEmptied, 2);
}

TEST_F(RunControllerTest, WhatAnItemKeepsStaysAndTheClientsTicksChooseItsChildren) {
    // Temp keeps a.tmp and its registry value, whoever washes it.
    std::string items = env->Get("const\\user.txt");
    const std::string section = "[Temp]\r\n";
    items.insert(items.find(section) + section.size(), "Exclude.Total=2\r\nExclude0=FILE|" + app +
                                                           "junk\\|a.tmp\r\nExclude1=REG|" + key +
                                                           "|last\r\n");
    env->Put("const\\user.txt", items);
    auto run = Make();
    RunItem temp = Item("Temp");
    run->Run({RunScope::Item, true, {temp}});
    EXPECT_EQ(Texts(observer.files), app + "junk\\b.tmp+;" + app + "other\\c.tmp+;");
    EXPECT_EQ(Texts(observer.entries), "");

    // The client's lists show only the second folder/file child ticked.
    temp.folderTicks = std::vector<bool>{false, true};
    temp.registryTicks = std::vector<bool>{};
    run->Run({RunScope::Item, false, {temp}});
    EXPECT_TRUE(Exists("junk\\b.tmp"));
    EXPECT_FALSE(Exists("other\\c.tmp"));

    run->Run({RunScope::AllChecked, false, Catalogue()});
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(Exists("junk\\b.tmp"));
    EXPECT_TRUE(ValueExists());
    run->Run({RunScope::FolderChild, false, {Item("Temp")}, 0});
    run->Run({RunScope::RegistryChild, false, {Item("Temp")}, 0});
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(ValueExists());
}

} // namespace
} // namespace quill
