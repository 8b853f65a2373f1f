#include "engine/search_thread.h"

#include <condition_variable>
#include <mutex>

namespace quill {

// What the worker and the tasks it posts share; it outlives both.
struct TSearchThread::Channel {
    enum class Kind { NewFolder, Found };

    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<bool> stop{false};
    SearchSink* owner = nullptr;
    SearchDispatcher* dispatcher = nullptr;
    std::function<void(const WalkOutcome&)> onEnd;

    // The event being handed over: the folder and a copy of the entry.
    Kind kind = Kind::NewFolder;
    std::string folder;
    platform::FileEntry entry;
    bool pending = false;
    bool served = false;
    SinkAnswer answer = SinkAnswer::Go;

    // Runs on the owner's thread.
    void Serve() {
        {
            std::lock_guard lock(mutex);
            if (stop || !pending) {
                return;
            }
        }
        SinkAnswer a = SinkAnswer::Abort;
        try {
            a = kind == Kind::NewFolder ? owner->NewFolder(folder) : owner->Found(folder, entry);
        } catch (...) {
            a = SinkAnswer::Abort;
        }
        {
            std::lock_guard lock(mutex);
            pending = false;
            served = true;
            answer = a;
        }
        changed.notify_all();
    }

    // Runs on the worker: hands one event over and waits for the answer.
    SinkAnswer Hand(Kind k, const std::string& f, const platform::FileEntry* e) {
        {
            std::lock_guard lock(mutex);
            if (stop) {
                return SinkAnswer::Abort;
            }
            kind = k;
            folder = f;
            if (e) {
                entry = *e;
            }
            pending = true;
            served = false;
        }
        std::shared_ptr<Channel> self = selfRef.lock();
        dispatcher->Post([self] { self->Serve(); });
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return served || stop; });
        if (!served) {
            pending = false;
            return SinkAnswer::Abort;
        }
        served = false;
        return answer;
    }

    std::weak_ptr<Channel> selfRef;
};

class TSearchThread::WorkerSink final : public SearchSink {
public:
    explicit WorkerSink(TSearchThread& thread) : thread_(thread) {}

    SinkAnswer NewFolder(const std::string& folder) override {
        thread_.ApplyPriority();
        return thread_.channel_->Hand(Channel::Kind::NewFolder, folder, nullptr);
    }
    SinkAnswer Found(const std::string& folder, const platform::FileEntry& entry) override {
        return thread_.channel_->Hand(Channel::Kind::Found, folder, &entry);
    }
    bool StopRequested() override { return thread_.channel_->stop.load(); }

private:
    TSearchThread& thread_;
};

TSearchThread::TSearchThread(SearchSink& owner, SearchDispatcher& dispatcher,
                             std::unique_ptr<SearchWalk> walk, TThreadPriority priority,
                             std::function<void(const WalkOutcome&)> onEnd)
    : channel_(std::make_shared<Channel>()), walk_(std::move(walk)), requested_(priority),
      applied_(TThreadPriority::tpNormal) {
    channel_->owner = &owner;
    channel_->dispatcher = &dispatcher;
    channel_->onEnd = std::move(onEnd);
    channel_->selfRef = channel_;
    thread_ = std::thread([this] { Main(); });
}

TSearchThread::~TSearchThread() {
    RequestStop();
    Join();
}

void TSearchThread::RequestStop() {
    {
        std::lock_guard lock(channel_->mutex);
        channel_->stop = true;
    }
    channel_->changed.notify_all();
}

void TSearchThread::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

void TSearchThread::SetPriority(TThreadPriority priority) {
    requested_.store(priority);
}

void TSearchThread::ApplyPriority() {
    const TThreadPriority wanted = requested_.load();
    if (wanted != applied_.load()) {
        ApplyToCurrentThread(wanted);
        applied_.store(wanted);
    }
}

void TSearchThread::Main() {
    ApplyPriority();
    WorkerSink sink(*this);
    const WalkOutcome outcome = walk_->Run(sink);
    std::shared_ptr<Channel> channel = channel_;
    if (channel->stop) {
        return;
    }
    try {
        channel->dispatcher->Post([channel, outcome] {
            if (!channel->stop) {
                channel->onEnd(outcome);
            }
        });
    } catch (...) {
        // Nothing reaches the owner; its destruction still joins this thread.
    }
}

} // namespace quill
