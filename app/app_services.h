#pragma once

#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/hot_keys.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/wall_clock.h"
#include "platform/wash_lock.h"

// The services the main window works with; the program entry owns them.

namespace quill {

struct AppServices {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::SystemInfo& system;
    platform::Shell& shell;
    platform::Dialogs& dialogs;
    platform::WallClock& clock;
    platform::HotKeys& hotKeys;
    platform::FileDialogs& fileDialogs;
    // Held for every run: one wash at a time with the console front end.
    platform::WashLock& washLock;
};

} // namespace quill
