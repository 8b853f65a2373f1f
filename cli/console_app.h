#pragma once

#include "app/version.h"
#include "cli/command_line.h"
#include "model/item_list.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/wall_clock.h"

#include <functional>
#include <string>
#include <string_view>

// The console front end's commands on the program folder: the same wash
// items, settings, exclusions and log as the window.

namespace quill::cli {

enum ExitCode : int {
    kAllRemoved = 0,
    kSomeFailed = 1,
    kUsageOrDataError = 2,
    kCancelled = 3,
};

// Where the commands write (UTF-8 text) and how Ctrl+C reaches them.
class Console {
public:
    virtual ~Console() = default;
    virtual void Out(std::string_view text) = 0;
    virtual void Err(std::string_view text) = 0;
    // Whether progress is shown on the error stream: only on a console.
    virtual bool ShowsProgress() const = 0;
    // Whether Ctrl+C was pressed.
    virtual bool Interrupted() const = 0;
};

struct ConsoleServices {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::SystemInfo& system;
    platform::Shell& shell;
    platform::WallClock& clock;
};

class ConsoleApp {
public:
    // appDir: the program folder, with its trailing backslash.
    ConsoleApp(const ConsoleServices& services, std::string appDir, Console& console);

    // Why a wash may not start now (a run of the window, another wash from
    // the console); empty when it may.
    std::function<std::string()> WashBlocker;

    // Runs one command; the exit code.
    int Run(const CommandLine& command);

    static constexpr const char* kVersion = QUILL_PRODUCT_TEXT;

private:
    int List();
    int Preview(const CommandLine& command);
    int Wash(const CommandLine& command);
    int ImportPlugin(const CommandLine& command);
    int ImportWinapp2(const CommandLine& command);
    int Export(const CommandLine& command);
    int Refuse(const std::string& reason);
    // Says the command was cancelled; kCancelled.
    int Cancelled();
    titem_list LoadedCatalogue();

    ConsoleServices services_;
    std::string appDir_;
    Console& console_;
};

} // namespace quill::cli
