// The threaded search: events handed over synchronously to the thread that
// pumps the dispatcher, answers passed back, aborts, completion, priority,
// and destruction that never hangs.

#include "engine/find_file.h"
#include "platform/memory/memory_file_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace quill {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// The owner's message queue, pumped by the test.
class PumpedDispatcher final : public SearchDispatcher {
public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        changed_.notify_all();
    }

    // Runs one task, waiting up to timeout for it; false when none came.
    bool RunOne(std::chrono::milliseconds timeout = 5000ms) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            if (!changed_.wait_for(lock, timeout, [this] { return !tasks_.empty(); })) {
                return false;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
        return true;
    }

    // Pumps until done() holds; false when the queue dried up first.
    template <class Done> bool PumpUntil(Done done) {
        while (!done()) {
            if (!RunOne()) {
                return false;
            }
        }
        return true;
    }

    std::size_t Pending() {
        std::lock_guard lock(mutex_);
        return tasks_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
};

class ThreadedSearch : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    PumpedDispatcher dispatcher;
    const std::thread::id owner = std::this_thread::get_id();

    void SetUp() override {
        fs.AddFile("C:\\t\\a.tmp", "");
        fs.AddFile("C:\\t\\b.tmp", "");
        fs.AddFile("C:\\t\\sub\\c.tmp", "");
        fs.AddFile("C:\\t\\sub\\deep\\d.tmp", "");
        fs.AddFile("C:\\t\\zz\\e.tmp", "");
    }

    std::unique_ptr<TFindFile> MakeSearch() {
        auto search = std::make_unique<TFindFile>(fs);
        search->IncludeFiles = {"C:\\t\\*.tmp"};
        search->Threaded = true;
        search->Dispatcher = &dispatcher;
        return search;
    }
};

TEST_F(ThreadedSearch, EventsArriveOnTheOwnersThreadInWalkOrder) {
    auto search = MakeSearch();
    Strings events;
    bool completed = false;
    search->OnNewFolder = [&](const std::string& f, bool&) {
        EXPECT_EQ(std::this_thread::get_id(), owner);
        events.push_back("folder " + f);
    };
    search->OnFound = [&](const std::string& f, const platform::FileEntry& e) {
        EXPECT_EQ(std::this_thread::get_id(), owner);
        events.push_back(f + "\\" + e.name);
    };
    search->OnComplete = [&] {
        EXPECT_EQ(std::this_thread::get_id(), owner);
        EXPECT_FALSE(search->Busy());
        completed = true;
    };
    search->Execute();
    EXPECT_TRUE(search->Busy());
    EXPECT_TRUE(events.empty()); // nothing arrives before the owner pumps
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed; }));
    EXPECT_EQ(events, (Strings{"folder C:\\t", "C:\\t\\a.tmp", "C:\\t\\b.tmp", "folder C:\\t\\sub",
                               "C:\\t\\sub\\c.tmp", "folder C:\\t\\sub\\deep",
                               "C:\\t\\sub\\deep\\d.tmp", "folder C:\\t\\zz", "C:\\t\\zz\\e.tmp"}));
    EXPECT_EQ(search->SearchThread(), nullptr);
    EXPECT_FALSE(dispatcher.RunOne(50ms)); // nothing left over
}

TEST_F(ThreadedSearch, TheWorkerWaitsUntilEachHandlerHasReturned) {
    auto search = MakeSearch();
    bool completed = false;
    int found = 0;
    search->OnFound = [&](const std::string&, const platform::FileEntry&) {
        ++found;
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(dispatcher.Pending(), 0u); // the worker is still waiting
    };
    search->OnComplete = [&] { completed = true; };
    search->Execute();
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed; }));
    EXPECT_EQ(found, 5);
}

TEST_F(ThreadedSearch, IgnoreFolderIsPassedBackToTheWorker) {
    auto search = MakeSearch();
    Strings found;
    bool completed = false;
    search->OnNewFolder = [&](const std::string& f, bool& ignore) { ignore = f == "C:\\t\\sub"; };
    search->OnFound = [&](const std::string&, const platform::FileEntry& e) {
        found.push_back(e.name);
    };
    search->OnComplete = [&] { completed = true; };
    search->Execute();
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed; }));
    EXPECT_EQ(found, (Strings{"a.tmp", "b.tmp", "e.tmp"}));
}

TEST_F(ThreadedSearch, SilentAbortEndsTheWalkAndCompletionStillComes) {
    auto search = MakeSearch();
    Strings found;
    int completed = 0;
    search->OnFound = [&](const std::string&, const platform::FileEntry& e) {
        found.push_back(e.name);
        if (found.size() == 2) {
            throw EFindFileAbort();
        }
    };
    search->OnComplete = [&] { ++completed; };
    search->Execute();
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed > 0; }));
    EXPECT_EQ(found, (Strings{"a.tmp", "b.tmp"}));
    EXPECT_FALSE(dispatcher.RunOne(50ms));
    EXPECT_EQ(completed, 1);
    EXPECT_FALSE(search->Busy());
}

TEST_F(ThreadedSearch, AbortFromNewFolderToo) {
    auto search = MakeSearch();
    Strings found;
    bool completed = false;
    search->OnNewFolder = [&](const std::string& f, bool&) {
        if (f == "C:\\t\\sub") {
            throw EFindFileAbort();
        }
    };
    search->OnFound = [&](const std::string&, const platform::FileEntry& e) {
        found.push_back(e.name);
    };
    search->OnComplete = [&] { completed = true; };
    search->Execute();
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed; }));
    EXPECT_EQ(found, (Strings{"a.tmp", "b.tmp"}));
}

TEST_F(ThreadedSearch, OtherErrorsLeaveTheEndNotificationAfterCompletion) {
    auto search = MakeSearch();
    bool completed = false;
    search->OnFound = [&](const std::string&, const platform::FileEntry&) {
        throw std::runtime_error("broken handler");
    };
    search->OnComplete = [&] { completed = true; };
    search->Execute();
    bool thrown = false;
    while (!completed) {
        try {
            ASSERT_TRUE(dispatcher.RunOne());
        } catch (const std::runtime_error&) {
            thrown = true;
        }
    }
    EXPECT_TRUE(thrown);
    EXPECT_FALSE(search->Busy());
}

TEST_F(ThreadedSearch, ExecuteWhileRunningReturnsAtOnce) {
    auto search = MakeSearch();
    int found = 0;
    int completed = 0;
    search->OnFound = [&](const std::string&, const platform::FileEntry&) {
        ++found;
        search->Execute();
    };
    search->OnComplete = [&] { ++completed; };
    search->Execute();
    search->Execute();
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed > 0; }));
    EXPECT_FALSE(dispatcher.RunOne(50ms));
    EXPECT_EQ(found, 5);
    EXPECT_EQ(completed, 1);
}

TEST_F(ThreadedSearch, PriorityIsAppliedAtStartAndWhileRunning) {
    auto search = MakeSearch();
    search->SetThreadPriority(TThreadPriority::tpLower);
    std::vector<TThreadPriority> seen;
    bool completed = false;
    search->OnNewFolder = [&](const std::string&, bool&) {
        ASSERT_NE(search->SearchThread(), nullptr);
        seen.push_back(search->SearchThread()->AppliedPriority());
        search->SetThreadPriority(TThreadPriority::tpLowest);
    };
    search->OnComplete = [&] { completed = true; };
    search->Execute();
    ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed; }));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], TThreadPriority::tpLower);
    EXPECT_EQ(seen[1], TThreadPriority::tpLowest);
    EXPECT_EQ(search->ThreadPriority(), TThreadPriority::tpLowest);
}

TEST_F(ThreadedSearch, DestroyingWhileTheWorkerWaitsNeverHangs) {
    auto search = MakeSearch();
    int events = 0;
    search->OnNewFolder = [&](const std::string&, bool&) { ++events; };
    search->OnFound = [&](const std::string&, const platform::FileEntry&) { ++events; };
    search->OnComplete = [&] { ++events; };
    search->Execute();
    ASSERT_TRUE(dispatcher.RunOne()); // the first folder; the worker then waits again
    EXPECT_EQ(events, 1);
    search.reset(); // stops and joins the worker
    // What is still queued reaches nobody.
    while (dispatcher.RunOne(50ms)) {
    }
    EXPECT_EQ(events, 1);
}

TEST_F(ThreadedSearch, DestroyingBeforeAnyPumpNeverHangs) {
    for (int i = 0; i < 20; ++i) {
        auto search = MakeSearch();
        bool called = false;
        search->OnFound = [&](const std::string&, const platform::FileEntry&) { called = true; };
        search->OnComplete = [&] { called = true; };
        search->Execute();
        if (i % 2) {
            std::this_thread::sleep_for(1ms);
        }
        search.reset();
        while (dispatcher.RunOne(10ms)) {
        }
        EXPECT_FALSE(called);
    }
}

TEST_F(ThreadedSearch, DestroyingBetweenTwoPumpsNeverHangs) {
    auto search = MakeSearch();
    int found = 0;
    bool destroyed = false;
    search->OnComplete = [] {};
    // The owner decides to go away while a hand-over is pending: it drops
    // the search between two pumps.
    search->OnFound = [&](const std::string&, const platform::FileEntry&) { ++found; };
    search->Execute();
    while (found < 2 && dispatcher.RunOne()) {
    }
    search.reset();
    destroyed = true;
    while (dispatcher.RunOne(20ms)) {
    }
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(found, 2);
}

TEST_F(ThreadedSearch, SameResultsAsTheSynchronousSearch) {
    fs.AddFile("C:\\t\\x.log", "");
    fs.AddFile("C:\\t\\sub\\keep.tmp", "content with a phrase");
    Strings sync;
    Strings threaded;
    for (bool mode : {false, true}) {
        auto search = MakeSearch();
        search->Threaded = mode;
        search->ExcludeFiles = {"d.tmp"};
        Strings& out = mode ? threaded : sync;
        bool completed = false;
        search->OnFound = [&](const std::string& f, const platform::FileEntry& e) {
            out.push_back(f + "\\" + e.name);
        };
        search->OnComplete = [&] { completed = true; };
        search->Execute();
        if (mode) {
            ASSERT_TRUE(dispatcher.PumpUntil([&] { return completed; }));
        }
        EXPECT_TRUE(completed);
    }
    EXPECT_EQ(sync, threaded);
    EXPECT_EQ(sync.size(), 5u);
}

} // namespace
} // namespace quill
