// The console front end's command line: each command with its options, and
// every malformed line refused with a reason.

#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace quill::cli {
namespace {

CommandLine Parsed(std::vector<std::string> args) {
    const ParsedCommandLine p = ParseCommandLine(args);
    EXPECT_TRUE(p.command) << p.error;
    return p.command.value_or(CommandLine{});
}

std::string Refused(std::vector<std::string> args) {
    const ParsedCommandLine p = ParseCommandLine(args);
    EXPECT_FALSE(p.command);
    EXPECT_FALSE(p.error.empty());
    return p.error;
}

TEST(CommandLineTest, CommandsWithoutOptions) {
    EXPECT_EQ(Parsed({"list"}).kind, CommandKind::List);
    EXPECT_EQ(Parsed({"--version"}).kind, CommandKind::Version);
    for (const char* help : {"--help", "-h", "/?", "help"}) {
        EXPECT_EQ(Parsed({help}).kind, CommandKind::Help);
    }
    EXPECT_EQ(Refused({}), "no command given");
    EXPECT_EQ(Refused({"clean"}), "unknown command clean");
    EXPECT_EQ(Refused({"list", "extra"}), "unexpected argument extra");
    EXPECT_EQ(Refused({"list", "--json"}), "unknown option --json");
}

TEST(CommandLineTest, PreviewAndWashSelectTheCheckedItemsOrNamedOnes) {
    const CommandLine all = Parsed({"preview"});
    EXPECT_EQ(all.kind, CommandKind::Preview);
    EXPECT_TRUE(all.items.empty());
    EXPECT_FALSE(all.json);
    EXPECT_TRUE(Parsed({"preview", "--all-checked", "--json"}).json);

    const CommandLine named = Parsed(
        {"wash", "--item", "Recycle Bin", "--item=Temp files", "--item", "-odd name", "--yes"});
    EXPECT_EQ(named.items, (std::vector<std::string>{"Recycle Bin", "Temp files", "-odd name"}));
    EXPECT_TRUE(named.yes);
    EXPECT_FALSE(named.quick);

    EXPECT_EQ(Refused({"preview", "--all-checked", "--item", "A"}),
              "--all-checked and --item exclude each other");
    EXPECT_EQ(Refused({"wash", "--item"}), "--item needs the name of a wash item");
    EXPECT_EQ(Refused({"wash", "--item="}), "--item needs the name of a wash item");
    EXPECT_EQ(Refused({"preview", "Temp"}), "unexpected argument Temp");
    EXPECT_EQ(Refused({"preview", "--yes"}), "unknown option --yes");
    EXPECT_EQ(Refused({"wash", "--json"}), "unknown option --json");
}

TEST(CommandLineTest, WashOptions) {
    EXPECT_EQ(Parsed({"wash", "--secure"}).quick, false);
    EXPECT_EQ(Parsed({"wash", "--quick", "--quick"}).quick, true);
    EXPECT_TRUE(Parsed({"wash", "--no-log"}).noLog);
    EXPECT_EQ(Refused({"wash", "--secure", "--quick"}), "--secure and --quick exclude each other");
}

TEST(CommandLineTest, PluginFiles) {
    const CommandLine import = Parsed({"import-plugin", "C:\\plugs\\mine.txt"});
    EXPECT_EQ(import.kind, CommandKind::ImportPlugin);
    EXPECT_EQ(import.file, "C:\\plugs\\mine.txt");
    EXPECT_TRUE(Parsed({"import-plugin", "--yes", "a.txt"}).yes);
    EXPECT_EQ(Refused({"import-plugin"}), "import-plugin needs one plug-in file");
    EXPECT_EQ(Refused({"import-plugin", "a.txt", "b.txt"}), "import-plugin needs one plug-in file");

    const CommandLine rules = Parsed({"import-winapp2", "--all", "C:\\rules\\winapp2.ini"});
    EXPECT_EQ(rules.kind, CommandKind::ImportWinapp2);
    EXPECT_EQ(rules.file, "C:\\rules\\winapp2.ini");
    EXPECT_TRUE(rules.allEntries);
    EXPECT_FALSE(Parsed({"import-winapp2", "w.ini"}).allEntries);
    EXPECT_EQ(Refused({"import-winapp2"}), "import-winapp2 needs one winapp2.ini file");
    EXPECT_EQ(Refused({"import-winapp2", "w.ini", "--yes"}), "unknown option --yes");

    const CommandLine out = Parsed({"export", "Temp", "--", "--Odd", "out.txt"});
    EXPECT_EQ(out.kind, CommandKind::Export);
    EXPECT_EQ(out.names, (std::vector<std::string>{"Temp", "--Odd"}));
    EXPECT_EQ(out.file, "out.txt");
    EXPECT_EQ(Refused({"export", "out.txt"}),
              "export needs the names of wash items and a plug-in file");
    EXPECT_EQ(Refused({"export", "Temp", "--yes", "out.txt"}), "unknown option --yes");
}

} // namespace
} // namespace quill::cli
