#pragma once

// One wash at a time on this computer, across the window and the console:
// whoever washes holds this lock for as long as the wash runs. Each instance
// is a holder of its own; two instances, in one process or in two, never
// hold the lock at the same time.

namespace quill::platform {

class WashLock {
public:
    // An instance that holds the lock releases it as it ends.
    virtual ~WashLock() = default;

    // Takes the lock when no other holder has it. Never waits: false at once
    // when another holder has it (or it cannot be had), and this instance
    // then holds nothing. True when this instance holds it afterwards, also
    // when it held it already: holding twice counts once, one Release ends it.
    [[nodiscard]] virtual bool TryHold() = 0;
    // Lets the lock go; nothing happens when this instance does not hold it.
    virtual void Release() = 0;
    // Whether this instance holds the lock.
    virtual bool Held() const = 0;
};

} // namespace quill::platform
