#include "engine/thread_priority.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quill {

void ApplyToCurrentThread(TThreadPriority priority) {
#ifdef _WIN32
    int level = THREAD_PRIORITY_NORMAL;
    switch (priority) {
    case TThreadPriority::tpIdle:
        level = THREAD_PRIORITY_IDLE;
        break;
    case TThreadPriority::tpLowest:
        level = THREAD_PRIORITY_LOWEST;
        break;
    case TThreadPriority::tpLower:
        level = THREAD_PRIORITY_BELOW_NORMAL;
        break;
    case TThreadPriority::tpNormal:
        break;
    case TThreadPriority::tpHigher:
        level = THREAD_PRIORITY_ABOVE_NORMAL;
        break;
    case TThreadPriority::tpHighest:
        level = THREAD_PRIORITY_HIGHEST;
        break;
    case TThreadPriority::tpTimeCritical:
        level = THREAD_PRIORITY_TIME_CRITICAL;
        break;
    }
    ::SetThreadPriority(::GetCurrentThread(), level);
#else
    (void)priority;
#endif
}

} // namespace quill
