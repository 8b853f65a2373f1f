#pragma once

#include "platform/wash_lock.h"

#include <string>

// One wash at a time between the window and the console: a wash from the
// console is refused while the window runs a wash or preview (its Exit button
// is disabled for exactly that long) and while another holder (another wash
// from the console, a wash of the window) has the wash lock.

namespace quill::cli {

class RunGuard {
public:
    // lock: the computer's wash lock, held from a granted WashBlocker until
    // it is released or ends; it outlives this guard.
    explicit RunGuard(platform::WashLock& lock) : lock_(lock) {}

    // Why a wash may not start now; empty when it may, the lock then held.
    std::string WashBlocker();

private:
    platform::WashLock& lock_;
};

} // namespace quill::cli
