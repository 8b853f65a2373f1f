#include "cli/command_line.h"

#include "platform/text.h"

#include <cstddef>
#include <string_view>

namespace quill::cli {

namespace {

constexpr std::string_view kItemOption = "--item";

struct Parser {
    explicit Parser(const std::vector<std::string>& arguments) : args(arguments) {}

    const std::vector<std::string>& args;
    std::size_t at = 1;
    CommandLine command;
    std::vector<std::string> positional;
    bool allChecked = false;
    std::string error;

    bool Fail(std::string text) {
        error = std::move(text);
        return false;
    }

    // The options every run command takes; false with error set when arg
    // is none of them.
    bool Selector(const std::string& arg) {
        if (arg == "--all-checked") {
            allChecked = true;
            return true;
        }
        if (arg == kItemOption) {
            if (at + 1 >= args.size()) {
                return Fail("--item needs the name of a wash item");
            }
            command.items.push_back(args[++at]);
            return true;
        }
        if (arg.rfind("--item=", 0) == 0) {
            command.items.push_back(arg.substr(kItemOption.size() + 1));
            return true;
        }
        return Fail(text::Joined("unknown option ", arg));
    }

    bool Option(const std::string& arg) {
        switch (command.kind) {
        case CommandKind::Preview:
            if (arg == "--json") {
                command.json = true;
                return true;
            }
            return Selector(arg);
        case CommandKind::Wash:
            if (arg == "--secure" || arg == "--quick") {
                const bool quick = arg == "--quick";
                if (command.quick && *command.quick != quick) {
                    return Fail("--secure and --quick exclude each other");
                }
                command.quick = quick;
                return true;
            }
            if (arg == "--no-log") {
                command.noLog = true;
                return true;
            }
            if (arg == "--yes") {
                command.yes = true;
                return true;
            }
            return Selector(arg);
        case CommandKind::ImportPlugin:
            if (arg == "--yes") {
                command.yes = true;
                return true;
            }
            break;
        case CommandKind::ImportWinapp2:
            if (arg == "--all") {
                command.allEntries = true;
                return true;
            }
            break;
        default:
            break;
        }
        return Fail(text::Joined("unknown option ", arg));
    }

    bool Arguments() {
        bool optionsEnded = false;
        for (; at < args.size(); ++at) {
            const std::string& arg = args[at];
            if (!optionsEnded && arg == "--") {
                optionsEnded = true;
            } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
                if (!Option(arg)) {
                    return false;
                }
            } else {
                positional.push_back(arg);
            }
        }
        return true;
    }

    bool Check() {
        switch (command.kind) {
        case CommandKind::Preview:
        case CommandKind::Wash:
            if (!positional.empty()) {
                return Fail(text::Joined("unexpected argument ", positional.front()));
            }
            if (allChecked && !command.items.empty()) {
                return Fail("--all-checked and --item exclude each other");
            }
            for (const std::string& name : command.items) {
                if (name.empty()) {
                    return Fail("--item needs the name of a wash item");
                }
            }
            return true;
        case CommandKind::ImportPlugin:
            if (positional.size() != 1 || positional[0].empty()) {
                return Fail("import-plugin needs one plug-in file");
            }
            command.file = positional[0];
            return true;
        case CommandKind::ImportWinapp2:
            if (positional.size() != 1 || positional[0].empty()) {
                return Fail("import-winapp2 needs one winapp2.ini file");
            }
            command.file = positional[0];
            return true;
        case CommandKind::Export:
            if (positional.size() < 2) {
                return Fail("export needs the names of wash items and a plug-in file");
            }
            command.file = positional.back();
            positional.pop_back();
            command.names = positional;
            if (command.file.empty()) {
                return Fail("export needs a plug-in file");
            }
            return true;
        default:
            if (!positional.empty()) {
                return Fail(text::Joined("unexpected argument ", positional.front()));
            }
            return true;
        }
    }
};

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        return {std::nullopt, "no command given"};
    }
    const std::string& verb = args[0];
    Parser p(args);
    if (verb == "--help" || verb == "-h" || verb == "/?" || verb == "help") {
        p.command.kind = CommandKind::Help;
    } else if (verb == "--version") {
        p.command.kind = CommandKind::Version;
    } else if (verb == "list") {
        p.command.kind = CommandKind::List;
    } else if (verb == "preview") {
        p.command.kind = CommandKind::Preview;
    } else if (verb == "wash") {
        p.command.kind = CommandKind::Wash;
    } else if (verb == "import-plugin") {
        p.command.kind = CommandKind::ImportPlugin;
    } else if (verb == "import-winapp2") {
        p.command.kind = CommandKind::ImportWinapp2;
    } else if (verb == "export") {
        p.command.kind = CommandKind::Export;
    } else {
        return {std::nullopt, text::Joined("unknown command ", verb)};
    }
    if (!p.Arguments() || !p.Check()) {
        return {std::nullopt, p.error};
    }
    return {std::move(p.command), ""};
}

const char* UsageText() {
    return "Usage: quillmere-cli COMMAND [OPTIONS]\n"
           "\n"
           "Commands:\n"
           "  list                      the wash items: order, name, checked, special, file\n"
           "  preview [SELECTOR] [--json]\n"
           "                            what a wash would remove, with counts and sizes\n"
           "  wash [SELECTOR] [--secure | --quick] [--no-log] [--yes]\n"
           "                            washes; --yes is needed when the settings ask\n"
           "                            before every wash\n"
           "  import-plugin FILE [--yes]\n"
           "                            copies a plug-in file into the plugin folder\n"
           "                            (--yes replaces one of the same name)\n"
           "  import-winapp2 FILE [--all]\n"
           "                            imports the entries of a winapp2.ini file for the\n"
           "                            programs found on this computer (--all: every\n"
           "                            entry) into plugin\\winapp2 CATEGORY.txt\n"
           "  export NAME... FILE       writes the named wash items to a plug-in file\n"
           "  --version                 the program's version\n"
           "  --help                    this text\n"
           "\n"
           "SELECTOR: --all-checked (the default: the checked wash items) or\n"
           "          --item NAME, once per wash item (checked or not)\n"
           "\n"
           "Exit codes: 0 all removed, 1 some could not be removed, 2 usage or data\n"
           "error, 3 cancelled (Ctrl+C stops between files).\n";
}

} // namespace quill::cli
