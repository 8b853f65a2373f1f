#pragma once

#include "engine/search_dispatcher.h"
#include "engine/search_walk.h"
#include "engine/thread_priority.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// The worker thread of a threaded search. It runs the walk and hands every
// event to the owner's thread through the dispatcher, waiting until the
// owner's sink has answered (a synchronous hand-over). When the walk is over
// it posts its end notification, which runs onEnd on the owner's thread.
//
// Stopping (the owner is destroyed) wakes a waiting worker at once: it gives
// up the pending event, ends its walk and is joined; tasks still queued on
// the owner's thread then do nothing. Destruction therefore never hangs on
// the owner's queue.

namespace quill {

class TSearchThread {
public:
    // owner answers on the owner's thread; onEnd runs there when the walk is
    // over (unless stopped before).
    TSearchThread(SearchSink& owner, SearchDispatcher& dispatcher, std::unique_ptr<SearchWalk> walk,
                  TThreadPriority priority, std::function<void(const WalkOutcome&)> onEnd);
    TSearchThread(const TSearchThread&) = delete;
    TSearchThread& operator=(const TSearchThread&) = delete;
    // Stops and joins the worker.
    ~TSearchThread();

    void RequestStop();
    // Waits for the worker's end.
    void Join();

    // Applied by the worker before its next step.
    void SetPriority(TThreadPriority priority);
    // The priority the worker last gave itself.
    [[nodiscard]] TThreadPriority AppliedPriority() const { return applied_.load(); }

private:
    struct Channel;
    class WorkerSink;

    void Main();
    void ApplyPriority();

    std::shared_ptr<Channel> channel_;
    std::unique_ptr<SearchWalk> walk_;
    std::atomic<TThreadPriority> requested_;
    std::atomic<TThreadPriority> applied_;
    std::thread thread_;
};

} // namespace quill
