// What every implementation of the wash lock guarantees; runs on the
// substitute natively and on named mutexes under Wine.

#include "support/wash_lock_env.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace quill::platform {
namespace {

class WashLockContract : public ::testing::Test {
protected:
    std::unique_ptr<test::WashLockEnv> env = test::MakeWashLockEnv();
    std::unique_ptr<WashLock> window = env->NewHolder();
    std::unique_ptr<WashLock> console = env->NewHolder();

    // Whether a holder of its own, on a thread of its own, gets the lock
    // (and lets it go again).
    bool OtherThreadGetsIt() {
        bool got = false;
        std::thread other([&] {
            const std::unique_ptr<WashLock> holder = env->NewHolder();
            got = holder->TryHold();
        });
        other.join();
        return got;
    }
};

TEST_F(WashLockContract, ASecondHolderIsRefusedWhileTheFirstHolds) {
    EXPECT_FALSE(window->Held());
    ASSERT_TRUE(console->TryHold());
    EXPECT_TRUE(console->Held());

    EXPECT_FALSE(window->TryHold());
    EXPECT_FALSE(window->Held());
    EXPECT_FALSE(env->NewHolder()->TryHold());
    EXPECT_FALSE(OtherThreadGetsIt());
    EXPECT_TRUE(console->Held()); // refusing the others took nothing from it
}

TEST_F(WashLockContract, ReleaseLetsTheNextHolderIn) {
    ASSERT_TRUE(console->TryHold());
    console->Release();
    EXPECT_FALSE(console->Held());

    ASSERT_TRUE(window->TryHold());
    EXPECT_FALSE(console->TryHold());
    window->Release();
    EXPECT_TRUE(OtherThreadGetsIt());
    EXPECT_TRUE(console->TryHold());
}

TEST_F(WashLockContract, HoldingTwiceCountsOnce) {
    ASSERT_TRUE(console->TryHold());
    EXPECT_TRUE(console->TryHold());
    EXPECT_TRUE(console->Held());
    console->Release();
    EXPECT_FALSE(console->Held());
    EXPECT_TRUE(window->TryHold());
}

TEST_F(WashLockContract, ReleaseByAHolderWithoutTheLockChangesNothing) {
    window->Release(); // never held
    ASSERT_TRUE(console->TryHold());
    window->Release();
    EXPECT_TRUE(console->Held());
    EXPECT_FALSE(env->NewHolder()->TryHold());
}

TEST_F(WashLockContract, AHolderThatEndsReleases) {
    ASSERT_TRUE(console->TryHold());
    console.reset();
    EXPECT_TRUE(window->TryHold());
    window.reset();
    EXPECT_TRUE(OtherThreadGetsIt());
}

TEST_F(WashLockContract, HoldersOfAnotherLockNeverMeet) {
    const std::unique_ptr<test::WashLockEnv> otherEnv = test::MakeWashLockEnv();
    const std::unique_ptr<WashLock> elsewhere = otherEnv->NewHolder();
    ASSERT_TRUE(console->TryHold());
    EXPECT_TRUE(elsewhere->TryHold());
    EXPECT_TRUE(console->Held());
}

} // namespace
} // namespace quill::platform
