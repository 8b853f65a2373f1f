#pragma once

#include "platform/wash_lock.h"

#include <memory>

// The holders of one wash lock a test runs against: instances of the
// in-memory substitute on one shared state natively, Win32 locks of one name
// of the test's own (never the program's) when cross-built.

namespace quill::test {

class WashLockEnv {
public:
    virtual ~WashLockEnv() = default;

    // A new holder of this test's lock; it ends before the environment.
    virtual std::unique_ptr<platform::WashLock> NewHolder() = 0;
};

std::unique_ptr<WashLockEnv> MakeWashLockEnv();

} // namespace quill::test
