#pragma once

#include "platform/wash_lock.h"

#include <atomic>

// The wash lock for tests: instances made on one Shared state are the
// holders of one computer (the window's and the console's, say) and exclude
// each other; instances on different states never meet.

namespace quill::platform {

class MemoryWashLock final : public WashLock {
public:
    // The computer the holders share; it outlives them.
    struct Shared {
        std::atomic<const MemoryWashLock*> holder{nullptr};
    };

    explicit MemoryWashLock(Shared& shared) : shared_(shared) {}
    ~MemoryWashLock() override { Release(); }
    MemoryWashLock(const MemoryWashLock&) = delete;
    MemoryWashLock& operator=(const MemoryWashLock&) = delete;

    bool TryHold() override {
        const MemoryWashLock* expected = nullptr;
        return shared_.holder.compare_exchange_strong(expected, this) || expected == this;
    }
    void Release() override {
        const MemoryWashLock* expected = this;
        shared_.holder.compare_exchange_strong(expected, nullptr);
    }
    bool Held() const override { return shared_.holder.load() == this; }

private:
    Shared& shared_;
};

} // namespace quill::platform
