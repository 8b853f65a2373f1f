#pragma once

// Priorities of a search's worker thread.

namespace quill {

enum class TThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// Gives the calling thread the priority; a no-op where the system has no
// per-thread priorities for ordinary programs.
void ApplyToCurrentThread(TThreadPriority priority);

} // namespace quill
