#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line of the console front end, parsed.

namespace quill::cli {

enum class CommandKind { Help, Version, List, Preview, Wash, ImportPlugin, ImportWinapp2, Export };

struct CommandLine {
    CommandKind kind = CommandKind::Help;
    // The wash items to run: the checked ones when items is empty.
    std::vector<std::string> items;
    bool json = false;
    std::optional<bool> quick; // --quick: true, --secure: false, else the setting
    bool noLog = false;
    bool yes = false;
    std::vector<std::string> names; // export: the wash items to export
    std::string file;               // import-plugin and export: the plug-in file;
                                    // import-winapp2: the rule file
    bool allEntries = false;        // import-winapp2 --all: also what is not detected
};

// A command line, or what is wrong with it.
struct ParsedCommandLine {
    std::optional<CommandLine> command;
    std::string error;
};

// args: the arguments after the program's name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help.
const char* UsageText();

} // namespace quill::cli
