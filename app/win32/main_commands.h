#pragma once

#include "app/main_window.h"
#include "app/win32/glyphs.h"

#include <span>

// The commands of the main window, each with everything its button needs:
// one table per part of the window, in the order the buttons stand.

namespace quill::win32app {

// One command of the window: its control, its hint, the logic's state of the
// control (none: always enabled), its handler (none: closes the window), and
// its glyph or, for the Cancel buttons, its caption.
struct MainCommand {
    int id;
    const wchar_t* hint;
    ControlState TFormMainQLMR::*state;
    void (TFormMainQLMR::*click)();
    Glyph glyph;
    const wchar_t* caption = nullptr;
};

// Top toolbar, left to right.
std::span<const MainCommand> ToolbarCommands();
// Exit, at the right end of the toolbar.
const MainCommand& ExitCommand();
// The two Cancel buttons, spMainCancel and SpCancelPreview, in one place
// right of Wash Now.
const MainCommand& MainCancelCommand();
const MainCommand& PreviewCancelCommand();
// Beside the wash item list, the folder/file list and the registry list, top
// down.
std::span<const MainCommand> ItemCommands();
std::span<const MainCommand> FolderCommands();
std::span<const MainCommand> RegisterCommands();

} // namespace quill::win32app
