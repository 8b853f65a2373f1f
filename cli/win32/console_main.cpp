// The console front end's entry: the arguments, the services, the program
// folder (that of quillmere.exe beside it) and the exit code.

#include "app/with_end.h"
#include "cli/command_line.h"
#include "cli/console_app.h"
#include "cli/win32/run_guard.h"
#include "cli/win32/win32_console.h"
#include "platform/text.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_wash_lock.h"

#include <objbase.h>
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace {

using namespace quill;

// The program's folder, with its trailing backslash.
std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string file = platform::win32::Narrow(path);
    return file.substr(0, file.find_last_of('\\') + 1);
}

// A path as given on the command line, made full against the current folder.
std::string FullPath(const std::string& path) {
    const std::wstring wide = platform::win32::Wide(path);
    const DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) {
        return path;
    }
    std::wstring full(n, L'\0');
    const DWORD m = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (m == 0 || m >= n) {
        return path;
    }
    full.resize(m);
    return platform::win32::Narrow(full);
}

int RunCommand(const cli::CommandLine& parsed, cli::Win32Console& console) {
    cli::CommandLine command = parsed;
    if (!command.file.empty()) {
        command.file = FullPath(command.file);
    }
    platform::Win32FileSystem fs;
    platform::Win32Registry registry;
    platform::Win32SystemInfo system;
    platform::Win32Shell shell;
    platform::Win32WallClock clock;
    cli::ConsoleApp app({fs, registry, system, shell, clock}, ProgramFolder(), console);
    // Held from a granted wash until the command ends.
    platform::Win32WashLock lock;
    cli::RunGuard guard(lock);
    app.WashBlocker = [&guard] { return guard.WashBlocker(); };
    if (command.kind == cli::CommandKind::Preview || command.kind == cli::CommandKind::Wash) {
        console.CatchInterrupts();
    }
    int code = cli::kUsageOrDataError;
    WithEnd([&] { code = app.Run(command); }, [&] { console.RunEnded(); });
    return code;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    cli::Win32Console console;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(platform::win32::Narrow(argv[i]));
    }
    const cli::ParsedCommandLine parsed = cli::ParseCommandLine(args);
    if (!parsed.command) {
        console.Err(text::Joined("quillmere-cli: ", parsed.error, "\n\n"));
        console.Err(cli::UsageText());
        return cli::kUsageOrDataError;
    }
    const HRESULT com = ::CoInitialize(nullptr);
    int code = cli::kUsageOrDataError;
    try {
        code = RunCommand(*parsed.command, console);
    } catch (const std::exception& e) {
        console.Err(text::Joined("quillmere-cli: ", e.what(), "\n"));
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return code;
}
