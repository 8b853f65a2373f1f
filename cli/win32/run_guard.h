#pragma once

#include <string>

#include <windows.h>

// One wash at a time between the window and the console: a wash from the
// console is refused while the window runs a wash or preview (its Exit button
// is disabled for exactly that long) and while another console wash holds
// the console's wash lock.

namespace quill::cli {

class RunGuard {
public:
    RunGuard() = default;
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    // Why a wash may not start now; empty when it may, the lock then held
    // until this guard ends.
    std::string WashBlocker();

    static constexpr const wchar_t* kWashLock = L"Local\\Quillmere.ConsoleWash";

private:
    HANDLE lock_ = nullptr;
    bool held_ = false;
};

} // namespace quill::cli
