#pragma once

namespace quill {

// Runs body, then end however body ends; an error of body passes on after
// end ran.
template <class Body, class End> void WithEnd(Body&& body, End&& end) {
    try {
        body();
    } catch (...) {
        end();
        throw;
    }
    end();
}

} // namespace quill
