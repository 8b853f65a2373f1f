#pragma once

#include "engine/date_bounds.h"
#include "engine/exclusion_match.h"
#include "engine/file_attributes.h"
#include "engine/name_mask.h"
#include "engine/search_dispatcher.h"
#include "engine/search_thread.h"
#include "engine/search_walk.h"
#include "engine/thread_priority.h"
#include "platform/clock.h"
#include "platform/file_system.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Walks folder trees and reports every entry that matches a mask and the
// filters, through three events: a folder is about to be searched, an entry
// was found, the search is complete.

namespace quill {

// Raised by the property setters and for a search that cannot start.
class EFindFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by an event handler to end a search silently: the search stops,
// still reports completion, and Execute returns normally.
class EFindFileAbort : public std::exception {
public:
    const char* what() const noexcept override { return "search aborted"; }
};

using TFoundEvent =
    std::function<void(const std::string& folder, const platform::FileEntry& entry)>;
using TNewFolderEvent = std::function<void(const std::string& folder, bool& ignoreFolder)>;
using TNotifyEvent = std::function<void()>;

class TFindFile : private SearchSink {
public:
    // Without a time zone, a search with date bounds is refused.
    explicit TFindFile(platform::FileSystem& fs);
    TFindFile(platform::FileSystem& fs, const platform::TimeZone& zone);
    TFindFile(const TFindFile&) = delete;
    TFindFile& operator=(const TFindFile&) = delete;
    // Stops a threaded search and waits for its worker; no event is
    // delivered from here on.
    ~TFindFile() override;

    // File mask used with Location ("*.*" by default); a bare name only.
    [[nodiscard]] const std::string& Filename() const { return filename_; }
    // Raises EFindFileError for a value with a folder part, keeping the old one.
    void SetFilename(const std::string& value);

    // Folders separated by ";", used only while IncludeFiles is empty;
    // each must be named in full (relative folders are skipped).
    [[nodiscard]] const std::string& Location() const { return location_; }
    // Raises EFindFileError for a value with wildcards, keeping the old one.
    void SetLocation(const std::string& value);

    // Entries of the form folder + backslash + mask; each is searched, in
    // order. An entry without a full folder finds nothing.
    std::vector<std::string> IncludeFiles;
    // Exclusion patterns, matched against every candidate (exclusion_match.h).
    std::vector<std::string> ExcludeFiles;
    // Also search every subfolder, at any depth.
    bool Subfolders = true;
    TFileAttributes Attributes = ff::Default;
    // The entry's attribute set must equal Attributes.
    bool ExactAttribute = false;
    // Bounds on the file times in local time; 0: no bound (date_bounds.h).
    TDateTime ModifiedBefore = 0;
    TDateTime ModifiedAfter = 0;
    TDateTime CreatedBefore = 0;
    TDateTime CreatedAfter = 0;
    TDateTime AccessedBefore = 0;
    TDateTime AccessedAfter = 0;
    // Size bounds in bytes for files; 0: no bound.
    std::int64_t SizeMin = 0;
    std::int64_t SizeMax = 0;
    // A phrase the content of a file must hold; empty: no content test.
    std::string Containing;
    // Compare Containing without regard to ASCII letter case.
    bool IgnoreCase = true;
    // Run the walk on a worker thread; events then arrive through Dispatcher.
    bool Threaded = false;
    [[nodiscard]] TThreadPriority ThreadPriority() const { return priority_; }
    // Stores the priority and passes it at once to a running worker.
    void SetThreadPriority(TThreadPriority priority);
    // Where a threaded search delivers its events; must outlive the search.
    SearchDispatcher* Dispatcher = nullptr;

    // An entry passed every test.
    TFoundEvent OnFound;
    // A folder is about to be searched; setting ignoreFolder skips it with
    // its whole subtree.
    TNewFolderEvent OnNewFolder;
    // The search has ended, also after an abort.
    TNotifyEvent OnComplete;

    // Runs one search. Returns at once when a search is running (also when
    // called from a handler). Not threaded, it returns after OnComplete; an
    // error other than EFindFileAbort raised by a handler ends the search
    // too and, after OnComplete, leaves Execute. Threaded, it returns at
    // once and the events arrive on the owner's thread through Dispatcher;
    // such an error then leaves the dispatcher's task after OnComplete.
    void Execute();

    [[nodiscard]] bool Busy() const { return busy_; }
    // The worker of the running threaded search, if any.
    [[nodiscard]] const TSearchThread* SearchThread() const { return thread_.get(); }

protected:
    // Calls OnFound.
    virtual void DeliverFound(const std::string& folder, const platform::FileEntry& entry);
    // Calls OnNewFolder; returns whether the folder is to be searched.
    virtual bool DeliverNewFolder(const std::string& folder);
    // Clears the busy state and calls OnComplete.
    virtual void DeliverCompletion();

private:
    // SearchSink, always on the owner's thread.
    SinkAnswer NewFolder(const std::string& folder) override;
    SinkAnswer Found(const std::string& folder, const platform::FileEntry& entry) override;
    bool StopRequested() override { return destroying_; }

    SearchSettings TakeSnapshot() const;
    std::vector<std::string> FoldersFromLocation() const;
    SinkAnswer Failed();
    void Finish(const WalkOutcome& outcome);
    void ThreadEnded(const WalkOutcome& outcome);

    platform::FileSystem& fs_;
    const platform::TimeZone* zone_ = nullptr;
    std::string filename_ = "*.*";
    std::string location_;
    TThreadPriority priority_ = TThreadPriority::tpNormal;

    bool busy_ = false;
    bool destroying_ = false;
    std::exception_ptr failure_; // a handler's error other than the abort
    std::unique_ptr<TSearchThread> thread_;
};

} // namespace quill
