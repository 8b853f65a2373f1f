#include "support/wash_lock_env.h"

#include "platform/win32/win32_wash_lock.h"

#include <atomic>
#include <string>

namespace quill::test {

namespace {

class Win32WashLockEnv final : public WashLockEnv {
public:
    Win32WashLockEnv() {
        static std::atomic<int> counter{0};
        name_ = L"Local\\QuillmereTest.Wash.";
        name_ += std::to_wstring(::GetCurrentProcessId());
        name_ += L"-";
        name_ += std::to_wstring(counter++);
    }

    std::unique_ptr<platform::WashLock> NewHolder() override {
        return std::make_unique<platform::Win32WashLock>(name_);
    }

private:
    std::wstring name_;
};

} // namespace

std::unique_ptr<WashLockEnv> MakeWashLockEnv() {
    return std::make_unique<Win32WashLockEnv>();
}

} // namespace quill::test
