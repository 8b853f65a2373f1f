// The program entry: one instance at a time, the services, the main window
// and the message loop.

#include "app/main_window.h"
#include "app/win32/main_frame.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_hot_keys.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_wash_lock.h"

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <exception>
#include <optional>
#include <string>

namespace {

using namespace quill;

// Brings a running instance to the front; true when there was one.
bool ActivateRunningInstance() {
    HWND running = ::FindWindowW(win32app::MainFrame::kClassName, nullptr);
    if (!running) {
        return false;
    }
    if (::IsIconic(running)) {
        ::SendMessageW(running, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
    ::SetForegroundWindow(::GetLastActivePopup(running));
    return true;
}

// The program file's full path.
std::string ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return platform::win32::Narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

// The program's folder, with its trailing backslash.
std::string ProgramFolder() {
    const std::string file = ProgramFile();
    return file.substr(0, file.find_last_of('\\') + 1);
}

std::optional<std::string> FirstArgument() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::optional<std::string> first;
    if (argv && argc > 1) {
        first = platform::win32::Narrow(argv[1]);
    }
    ::LocalFree(argv);
    return first;
}

int RunProgram(HINSTANCE instance) {
    platform::Win32FileSystem fs;
    platform::Win32Registry registry;
    platform::Win32SystemInfo system;
    platform::Win32Shell shell;
    platform::Win32Dialogs dialogs;
    platform::Win32WallClock clock;
    platform::Win32HotKeys hotKeys;
    platform::Win32FileDialogs fileDialogs;
    platform::Win32WashLock washLock;
    const AppServices services{fs,    registry, system,      shell,   dialogs,
                               clock, hotKeys,  fileDialogs, washLock};

    TFormMainQLMR form(services, ProgramFolder(), FirstArgument());
    form.ProgramPath = ProgramFile();
    win32app::MainFrame frame(form, instance);
    if (!frame.Create()) {
        return 1;
    }
    // Message boxes and pickers belong to the window that has the input
    // when they are shown: a dialog open over the main window, else that.
    dialogs.SetOwner([&frame] { return static_cast<void*>(frame.TopWindow()); });
    fileDialogs.SetOwner([&frame] { return static_cast<void*>(frame.TopWindow()); });
    hotKeys.SetWindow(frame.Handle());
    form.SetHost(&frame);
    frame.Show(form.StartMinimized);
    // The hot keys again, now on the window: a key another program holds is
    // reported (before it, they only waited for a window to belong to).
    form.SetHotKeys(false);
    try {
        form.SetHotKeys(true);
    } catch (...) {
        form.ApplicationEventsError(std::current_exception());
    }

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (frame.Handle() && ::IsDialogMessageW(frame.Handle(), &msg)) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    form.SetHost(nullptr);
    return static_cast<int>(msg.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (ActivateRunningInstance()) {
        return 0;
    }
    const HRESULT com = ::CoInitialize(nullptr);
    int code = 1;
    try {
        code = RunProgram(instance);
    } catch (const std::exception& e) {
        platform::Win32Dialogs().ShowMessage(platform::MessageKind::Notice,
                                             "Please catch the screen and send to MQ\r" +
                                                 ErrorClassName(e));
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return code;
}
