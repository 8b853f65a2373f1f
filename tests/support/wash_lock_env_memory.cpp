#include "support/wash_lock_env.h"

#include "platform/memory/memory_wash_lock.h"

namespace quill::test {

namespace {

class MemoryWashLockEnv final : public WashLockEnv {
public:
    std::unique_ptr<platform::WashLock> NewHolder() override {
        return std::make_unique<platform::MemoryWashLock>(shared_);
    }

private:
    platform::MemoryWashLock::Shared shared_;
};

} // namespace

std::unique_ptr<WashLockEnv> MakeWashLockEnv() {
    return std::make_unique<MemoryWashLockEnv>();
}

} // namespace quill::test
