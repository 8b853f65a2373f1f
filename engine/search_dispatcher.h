#pragma once

#include <functional>

// How a search running on a worker thread reaches the thread that owns it.
// The owner supplies it (the main window posts to its message queue).

namespace quill {

class SearchDispatcher {
public:
    virtual ~SearchDispatcher() = default;
    // Queues task to run on the owner's thread and returns at once; called
    // from the worker. Tasks run in the order posted. A task may also never
    // run (the owner's queue ends); the worker does not depend on it.
    virtual void Post(std::function<void()> task) = 0;
};

} // namespace quill
