#pragma once

#include <exception>
#include <utility>

// What a window procedure runs its work through: Windows calls it, and no
// exception may cross a Windows frame (with the 32-bit build's exception
// model one that does ends the program). An error of any type is handed to
// the handler instead; whatever the handler does, nothing passes on.

namespace quill {

template <class Result, class Body, class Handler>
Result ErrorBarrier(Body&& body, Result fallback, Handler&& handler) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        try {
            handler(std::current_exception());
        } catch (...) {
            // The handler's own failure has nowhere left to go.
        }
    }
    return fallback;
}

} // namespace quill
