// The console front end's commands on a program folder: the catalogue
// listed, previews as text and JSON, washes with their exit codes (all
// removed, some failed, refused, cancelled), and plug-in files imported and
// exported. Real files and the real registry under Wine, the substitutes
// natively.

#include "cli/console_app.h"

#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"
#include "support/registry_env.h"
#include "support/test_env.h"
#include "support/wash_scene.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quill::cli {
namespace {

class FakeConsole final : public Console {
public:
    void Out(std::string_view text) override { out += text; }
    void Err(std::string_view text) override {
        err += text;
        if (!interruptOn.empty() && text.find(interruptOn) != std::string_view::npos) {
            interrupted = true; // Ctrl+C as this line shows
        }
    }
    bool ShowsProgress() const override { return progress; }
    bool Interrupted() const override { return interrupted; }

    std::string out, err;
    bool progress = false;
    bool interrupted = false;
    std::string interruptOn;
};

class FixedClock final : public platform::WallClock {
public:
    platform::LocalTime Now() override { return {2026, 12, 9, 11, 30, 0, 0}; }
};

class ConsoleAppTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    std::unique_ptr<test::RegistryEnv> reg = test::MakeRegistryEnv();
    platform::MemorySystemInfo system;
    platform::MemoryShell shell;
    FixedClock clock;
    FakeConsole console;
    const std::string& app = env->Root();
    test::WashScene scene{*env, *reg};
    const std::string& key = scene.Key();

    void SetUp() override {
        env->Put("junk\\Caf\xC3\xA9 \xE6\x97\xA5.tmp", "cafe");
        env->Put("const\\system.txt", "[Common]\r\nTotal=1\r\nItem0=Recycle Bin\r\n"
                                      "[Recycle Bin]\r\nIsActive=1\r\nIsSpecial=1\r\n");
        env->Put("const\\user.txt",
                 "[Common]\r\nTotal=2\r\nItem0=Temp\r\nItem1=Other \"quoted\"\r\n" +
                     scene.TempSection(false) + scene.OtherSection("Other \"quoted\""));
    }

    int Run(CommandLine command, std::function<std::string()> blocker = nullptr) {
        ConsoleApp cli({env->Fs(), reg->Registry(), system, shell, clock}, app, console);
        cli.WashBlocker = std::move(blocker);
        return cli.Run(command);
    }
    static CommandLine Command(CommandKind kind) {
        CommandLine c;
        c.kind = kind;
        return c;
    }

    bool Exists(const std::string& relative) { return env->Get(relative) != "<missing>"; }
    bool ValueExists() const { return scene.ValueExists(); }
};

TEST_F(ConsoleAppTest, ListShowsTheCatalogueInOrder) {
    EXPECT_EQ(Run(Command(CommandKind::List)), kAllRemoved);
    EXPECT_EQ(console.out, "Order\tName\tChecked\tSpecial\tFile\n"
                           "1\tRecycle Bin\tyes\tyes\tconst\\system.txt\n"
                           "2\tTemp\tyes\tno\tconst\\user.txt\n"
                           "3\tOther \"quoted\"\tno\tno\tconst\\user.txt\n");
    EXPECT_EQ(Run(Command(CommandKind::Version)), kAllRemoved);
    EXPECT_NE(console.out.find("Quillmere V1.09 (Build 4)\n"), std::string::npos);
}

TEST_F(ConsoleAppTest, PreviewListsTargetsWithSizesAndRemovesNothing) {
    EXPECT_EQ(Run(Command(CommandKind::Preview)), kAllRemoved);
    const std::string& out = console.out;
    EXPECT_EQ(out.rfind("Preview - Total Special: 1  Files: 3  Entries: 1\n", 0), 0u) << out;
    EXPECT_NE(out.find("  5000\t" + app + "junk\\a.tmp\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  4\t" + app + "junk\\Caf\xC3\xA9 \xE6\x97\xA5.tmp\n"), std::string::npos);
    EXPECT_NE(out.find("  " + key + "\\<|>DeleteValue<|>last\n"), std::string::npos);
    EXPECT_NE(out.find("Total: 1 special, 3 files (5006 bytes), 1 registry entries\n"),
              std::string::npos);
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_TRUE(ValueExists());
    EXPECT_EQ(shell.recycleBinEmptied, 0);
    EXPECT_FALSE(Exists("right.htm"));
}

TEST_F(ConsoleAppTest, PreviewAsJsonEscapesEveryName) {
    CommandLine c = Command(CommandKind::Preview);
    c.json = true;
    c.items = {"other \"QUOTED\""}; // unchecked, named: collected and ticked
    EXPECT_EQ(Run(c), kAllRemoved);
    std::string path = app + "other\\c.tmp";
    std::string escaped;
    for (char ch : path) {
        escaped += ch == '\\' ? std::string("\\\\") : std::string(1, ch);
    }
    EXPECT_NE(console.out.find("{\"path\": \"" + escaped + "\", \"size\": 1}"), std::string::npos)
        << console.out;
    EXPECT_NE(console.out.find("\"caption\": \"Preview - Total Special: 0  Files: 1  Entries: 0\""),
              std::string::npos);
    EXPECT_NE(console.out.find("\"totals\": {\"special\": 0, \"files\": 1, \"entries\": 0, "
                               "\"bytes\": 1, \"sizeKB\": 1}"),
              std::string::npos)
        << console.out;

    c.items = {"Temp"};
    console.out.clear();
    EXPECT_EQ(Run(c), kAllRemoved);
    EXPECT_NE(console.out.find("junk\\\\Caf\xC3\xA9 \xE6\x97\xA5.tmp\""), std::string::npos);
    EXPECT_NE(console.out.find("{\"target\": \"HKEY_CURRENT_USER\\\\"), std::string::npos);
    EXPECT_NE(console.out.find("\"shown\": \"notepad\", \"key\": false}"), std::string::npos);
}

TEST_F(ConsoleAppTest, AnUnknownItemIsADataError) {
    CommandLine c = Command(CommandKind::Wash);
    c.items = {"Temp", "Nothing"};
    EXPECT_EQ(Run(c), kUsageOrDataError);
    EXPECT_EQ(console.err, "quillmere-cli: no wash item is named 'Nothing'\n");
    EXPECT_TRUE(Exists("junk\\a.tmp"));
}

TEST_F(ConsoleAppTest, WashRemovesTheCheckedItemsAndLogsUnlessTold) {
    EXPECT_EQ(Run(Command(CommandKind::Wash)), kAllRemoved);
    EXPECT_FALSE(Exists("junk\\a.tmp"));
    EXPECT_FALSE(Exists("junk\\b.tmp"));
    EXPECT_TRUE(Exists("other\\c.tmp")); // unchecked
    EXPECT_FALSE(ValueExists());
    EXPECT_EQ(shell.recycleBinEmptied, 1);
    EXPECT_EQ(console.out, "Files Cleaned  Success: 3  Fails: 0\n"
                           "Registries Cleaned  Success: 1  Fails: 0\n");
    EXPECT_TRUE(Exists("right.htm"));

    (void)env->Fs().Delete(app + "right.htm");
    CommandLine c = Command(CommandKind::Wash);
    c.items = {"Other \"quoted\""};
    c.noLog = true;
    c.quick = false;
    EXPECT_EQ(Run(c), kAllRemoved);
    EXPECT_FALSE(Exists("other\\c.tmp"));
    EXPECT_FALSE(Exists("right.htm"));
}

TEST_F(ConsoleAppTest, PromptBeforeNeedsYesAndABlockedWashIsRefused) {
    env->Put("wildcard.ini", "[Delete Option]\r\nprompt Before=1\r\n");
    CommandLine c = Command(CommandKind::Wash);
    EXPECT_EQ(Run(c), kUsageOrDataError);
    EXPECT_NE(console.err.find("add --yes"), std::string::npos);
    EXPECT_TRUE(Exists("junk\\a.tmp"));

    c.yes = true;
    EXPECT_EQ(Run(c, [] { return std::string("the window is washing"); }), kUsageOrDataError);
    EXPECT_NE(console.err.find("quillmere-cli: the window is washing\n"), std::string::npos);
    EXPECT_TRUE(Exists("junk\\a.tmp"));

    EXPECT_EQ(Run(c, [] { return std::string(); }), kAllRemoved);
    EXPECT_FALSE(Exists("junk\\a.tmp"));
}

TEST_F(ConsoleAppTest, CtrlCCancelsTheWash) {
    console.interrupted = true;
    EXPECT_EQ(Run(Command(CommandKind::Wash)), kCancelled);
    EXPECT_TRUE(Exists("junk\\a.tmp"));
    EXPECT_NE(console.err.find("cancelled"), std::string::npos);
    EXPECT_EQ(shell.recycleBinEmptied, 0); // pressed before the run: nothing started
    EXPECT_EQ(Run(Command(CommandKind::Preview)), kCancelled);
}

TEST_F(ConsoleAppTest, CtrlCDuringTheRemovalStopsBetweenFiles) {
    console.progress = true;
    console.interruptOn = "Removing 1/3";
    EXPECT_EQ(Run(Command(CommandKind::Wash)), kCancelled);
    EXPECT_NE(console.out.find("Files Cleaned  Success: 1  Fails: 0"), std::string::npos)
        << console.out;
    EXPECT_EQ(Exists("junk\\a.tmp") + Exists("junk\\b.tmp") +
                  Exists("junk\\Caf\xC3\xA9 \xE6\x97\xA5.tmp"),
              2);
}

TEST_F(ConsoleAppTest, AFileThatCannotBeRemovedMakesItSomeFailed) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "the program test holds a file open under Wine";
    }
    memory->SetHeldOpen(app + "junk\\b.tmp", true);
    console.progress = true;
    EXPECT_EQ(Run(Command(CommandKind::Wash)), kSomeFailed);
    EXPECT_NE(console.out.find("Success: 2  Fails: 1"), std::string::npos) << console.out;
    // Progress went to the error stream, ended by a line break.
    EXPECT_NE(console.err.find("\rRemoving 3/3"), std::string::npos) << console.err;
    EXPECT_EQ(console.err.back(), '\n');
}

TEST_F(ConsoleAppTest, ImportCopiesAPluginFileIntoThePluginFolder) {
    env->Put("elsewhere\\mine.txt",
             "[Common]\r\nTotal=1\r\nItem0=Mine\r\n[Mine]\r\nIsActive=1\r\n");
    CommandLine c = Command(CommandKind::ImportPlugin);
    c.file = app + "elsewhere\\mine.txt";
    EXPECT_EQ(Run(c), kAllRemoved);
    EXPECT_EQ(env->Get("plugin\\mine.txt"), env->Get("elsewhere\\mine.txt"));
    console.out.clear();
    EXPECT_EQ(Run(Command(CommandKind::List)), kAllRemoved);
    EXPECT_NE(console.out.find("4\tMine\tyes\tno\tplugin\\mine.txt\n"), std::string::npos);

    EXPECT_EQ(Run(c), kUsageOrDataError); // there already
    EXPECT_NE(console.err.find("already exists"), std::string::npos);
    c.yes = true;
    EXPECT_EQ(Run(c), kAllRemoved);

    env->Put("elsewhere\\empty.txt", "not a plug-in file");
    c.file = app + "elsewhere\\empty.txt";
    EXPECT_EQ(Run(c), kUsageOrDataError);
    c.file = app + "elsewhere\\missing.txt";
    EXPECT_EQ(Run(c), kUsageOrDataError);
    EXPECT_FALSE(Exists("plugin\\empty.txt"));
}

TEST_F(ConsoleAppTest, ImportOfWinapp2TakesWhatThisComputerHasUnlessToldAll) {
    env->Put("rules\\winapp2.ini", "[Present Cache *]\r\nLangSecRef=3021\r\n"
                                   "FileKey1=%LocalAppData%\\Present|*.tmp\r\n\r\n"
                                   "[Absent Cache *]\r\nLangSecRef=3021\r\n"
                                   "DetectFile=%ProgramFiles%\\Absent\\absent.exe\r\n"
                                   "FileKey1=%ProgramFiles%\\Absent|*.log\r\n\r\n"
                                   "[Temp *]\r\nLangSecRef=3021\r\n"
                                   "FileKey1=%LocalAppData%\\Temp|*.*\r\n");
    CommandLine c = Command(CommandKind::ImportWinapp2);
    c.file = app + "rules\\winapp2.ini";
    EXPECT_EQ(Run(c), kAllRemoved);
    // The name the user's own item holds is not taken.
    EXPECT_NE(console.out.find("Entries read: 3\nImported: 1\n"), std::string::npos) << console.out;
    EXPECT_EQ(console.out.find('\r'), std::string::npos);
    console.out.clear();
    ASSERT_EQ(Run(Command(CommandKind::List)), kAllRemoved);
    EXPECT_NE(console.out.find("Present Cache"), std::string::npos);
    EXPECT_EQ(console.out.find("Absent Cache"), std::string::npos);

    c.allEntries = true; // a second import rewrites its own file
    console.out.clear();
    EXPECT_EQ(Run(c), kAllRemoved);
    EXPECT_NE(console.out.find("Imported: 2\n"), std::string::npos) << console.out;
    console.out.clear();
    ASSERT_EQ(Run(Command(CommandKind::List)), kAllRemoved);
    EXPECT_NE(console.out.find("Absent Cache"), std::string::npos);

    c.file = app + "rules\\missing.ini";
    EXPECT_EQ(Run(c), kUsageOrDataError);
}

TEST_F(ConsoleAppTest, ExportWritesTheNamedItemsButNotShippedOnes) {
    CommandLine c = Command(CommandKind::Export);
    c.names = {"temp", "Recycle Bin"};
    c.file = app + "out.txt";
    EXPECT_EQ(Run(c), kAllRemoved);
    EXPECT_EQ(console.out, "1 washer items are exported!\n");
    EXPECT_NE(console.err.find("'Recycle Bin' ships with the program"), std::string::npos);
    const std::string written = env->Get("out.txt");
    EXPECT_NE(written.find("Item0=Temp"), std::string::npos) << written;
    EXPECT_NE(written.find("tFolder0.deletepath=" + app + "junk\\*.tmp"), std::string::npos);

    c.names = {"Recycle Bin"};
    EXPECT_EQ(Run(c), kUsageOrDataError);
    c.names = {"Temp"};
    c.file = app + "const\\user.txt";
    const std::string before = env->Get("const\\user.txt");
    EXPECT_EQ(Run(c), kUsageOrDataError);
    EXPECT_EQ(env->Get("const\\user.txt"), before);
    c.file = app + "wildcard.ini";
    EXPECT_EQ(Run(c), kUsageOrDataError);
}

} // namespace
} // namespace quill::cli
