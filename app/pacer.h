#pragma once

#include <cstdint>

// Paces work that the eye cannot follow any faster (refreshing counters and
// progress while a run goes on) by a tick counter in milliseconds. The
// arithmetic is unsigned, so it stays right when the counter wraps.

namespace quill {

class Pacer {
public:
    explicit Pacer(std::uint32_t intervalMs) : interval_(intervalMs) {}

    // True when the interval has passed since it last was (or it never
    // was, or Reset was called); the next interval starts then.
    bool Due(std::uint32_t now) {
        if (primed_ && now - last_ < interval_) {
            return false;
        }
        primed_ = true;
        last_ = now;
        return true;
    }
    // The next Due holds whatever the time.
    void Reset() { primed_ = false; }

private:
    std::uint32_t interval_;
    std::uint32_t last_ = 0;
    bool primed_ = false;
};

} // namespace quill
