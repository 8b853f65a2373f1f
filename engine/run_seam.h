#pragma once

#include "engine/collected_folders.h"
#include "engine/empty_folders.h"

#include <cstdint>
#include <string>

// What the cleaning engine needs of the window that runs it: pending
// messages processed between steps (so Cancel takes effect and the window
// repaints), the two run flags, the search labels, the progress bar, the
// status bar mode and the main Cancel button. The main window implements it;
// tests use a fake.

namespace quill {

enum class StatusMode { Idle = 0, Progress = 1, Counters = 2, Searching = 3 };

class RunSeam {
public:
    virtual ~RunSeam() = default;

    // Processes the window messages waiting in the queue, then returns.
    virtual void ProcessMessages() = 0;

    // Set by either Cancel button: ends searches and collection.
    virtual bool CancelRequested() const = 0;
    // Set by the main Cancel button only: ends the file removal loop.
    virtual bool StopRequested() const = 0;
    virtual void SetStopRequested(bool value) = 0;

    // Search labels l2 (count found) and l4 (size found), repainted at once.
    virtual void ShowSearchCounters(const std::string& l2, const std::string& l4) = 0;

    virtual void SetProgressMax(std::int32_t max) = 0;
    virtual std::int32_t ProgressMax() const = 0;
    virtual void StepProgress() = 0;

    virtual void SetStatusMode(StatusMode mode) = 0;
    virtual void ShowMainCancel(bool visible) = 0;
    // Repaints the whole window.
    virtual void Repaint() = 0;

    // What the run's target collection learnt of the folders it took targets
    // from; the removal of the same run checks every target against it.
    CollectedFolders& Collected() { return collected_; }

    // The folders of the run's children that also remove the folders they
    // leave empty; the wash removes those after the files. A run starts
    // with none.
    EmptiedFolderRoots& Emptied() { return emptied_; }

private:
    CollectedFolders collected_;
    EmptiedFolderRoots emptied_;
};

// The counters of one search phase, shown while searching and reset by the
// status bar's Idle mode.
struct SearchCounters {
    std::int32_t FoundCount = 0;
    std::int64_t FoundSizeKB = 0;
};

} // namespace quill
