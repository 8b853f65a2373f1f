#pragma once

#include "app/main_window.h"
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_dialogs.h"
#include "platform/memory/memory_hot_keys.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"
#include "platform/memory/memory_wash_lock.h"
#include "support/fake_window.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

// What a test of the main window's logic runs on: the file system and the
// registry of the test environment, substitutes for the rest, a clock the
// test sets and a window that plays the user.

namespace quill::test {

class SetClock final : public platform::WallClock {
public:
    platform::LocalTime Now() override { return now; }
    platform::LocalTime now{2026, 12, 9, 11, 30, 0, 0};
};

class AppTest : public ::testing::Test {
protected:
    std::unique_ptr<TestEnv> env = MakeTestEnv();
    std::unique_ptr<RegistryEnv> reg = MakeRegistryEnv();
    platform::MemorySystemInfo system;
    platform::MemoryShell shell;
    platform::MemoryDialogs dialogs;
    platform::MemoryHotKeys hotKeys;
    platform::MemoryFileDialogs fileDialogs;
    // The computer's wash lock; console stands for a console wash holding it.
    platform::MemoryWashLock::Shared washes;
    platform::MemoryWashLock washLock{washes};
    platform::MemoryWashLock console{washes};
    SetClock clock;
    FakeWindow window;
    const std::string& app = env->Root();

    // The main window's logic in the test's folder, on the fake window.
    std::unique_ptr<TFormMainQLMR> Start(std::optional<std::string> argument = std::nullopt) {
        const AppServices services{env->Fs(), reg->Registry(), system,      shell,   dialogs,
                                   clock,     hotKeys,         fileDialogs, washLock};
        auto w = std::make_unique<TFormMainQLMR>(services, app, std::move(argument));
        w->SetHost(&window);
        return w;
    }

    bool Exists(const std::string& relative) { return env->Get(relative) != "<missing>"; }
    std::string LastMessage() const {
        return dialogs.shown.empty() ? "" : dialogs.shown.back().text;
    }
};

} // namespace quill::test
