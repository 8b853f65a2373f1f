#pragma once

#include "app/preview_dialogs.h"
#include "engine/run_seam.h"
#include "locations/path_macros.h"
#include "log/wash_log.h"
#include "model/item_property.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The preview and wash runs as one routine over a scope (all checked items,
// one item, one folder/file child, one registry child) and a mode (preview or
// wash). The controller owns the two run flags and the counters; whoever runs
// it (a window, the console) follows and answers it through RunObserver.

namespace quill {

enum class RunScope { AllChecked, Item, FolderChild, RegistryChild };

// One wash item of a run: its catalogue entry and whether its row is checked.
struct RunItem {
    RunItem(titem_property entry_, bool checked_) : entry(std::move(entry_)), checked(checked_) {}

    titem_property entry;
    bool checked = true;
    // Which children are collected, by position, as the client's lists show
    // their check marks; the item file's own marks when not given. A child
    // past the end of a given list is not collected.
    std::optional<std::vector<bool>> folderTicks;
    std::optional<std::vector<bool>> registryTicks;
};

// What one run covers. AllChecked walks every checked item of items in order;
// the other scopes take items[0] only, and the child scopes its child-th
// folder/file or registry child. childChecked: whether that child is ticked
// in the list it was chosen from (its own check mark when not given).
struct RunRequest {
    RunRequest(RunScope scope_, bool preview_, std::vector<RunItem> items_,
               std::int32_t child_ = -1, std::optional<bool> childChecked_ = std::nullopt)
        : scope(scope_), preview(preview_), items(std::move(items_)), child(child_),
          childChecked(childChecked_) {}

    RunScope scope = RunScope::AllChecked;
    bool preview = false;
    std::vector<RunItem> items;
    std::int32_t child = -1;
    std::optional<bool> childChecked;
};

// The settings a run works with, read once and handed over as they are.
struct RunOptions {
    bool UseQuick = true;
    bool PromptBefore = false;
    bool WriteToLog = true;
};

// What the last wash of each kind counted, as the status bar shows it: the
// texts stay empty until a wash of that kind wrote them.
struct RunCounters {
    std::string FilesRemoved, FilesFailed;     // LabFolderSuccess, LabFolderFails
    std::string EntriesRemoved, EntriesFailed; // LabelSuccess, LabelFails
    // The failures of both kinds as a number.
    std::int32_t Failures() const;
};

enum class RunEnd {
    Declined,  // the confirmation was not answered Yes: nothing happened
    Finished,  // collected, then washed or handed over for a preview
    Cancelled, // Cancel was pressed during the run
    NoTarget,  // the item or child to run does not exist
};

// What a run tells and asks of its client. Every call happens on the run's
// thread, in the order of the run.
class RunObserver {
public:
    virtual ~RunObserver() = default;

    // Called at every step of searching and removing: the time to process
    // pending input, through which Cancel and Stop arrive.
    virtual void ProcessMessages() {}
    // A question with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& question) = 0;
    virtual void StatusChanged(StatusMode) {}
    // The search labels: searching is true while the search goes on.
    virtual void SearchCaption(bool /*searching*/) {}
    virtual void SearchCounters(const std::string& /*l2*/, const std::string& /*l4*/) {}
    // The targets are being collected (true), or no longer (false): a client
    // showing the items may hold back repainting their lists meanwhile.
    virtual void Collecting(bool /*collecting*/) {}
    virtual void ProgressChanged(std::int32_t /*position*/, std::int32_t /*max*/) {}
    virtual void MainCancelShown(bool /*visible*/) {}
    virtual void RunCommandsEnabled(bool /*enabled*/) {}
    virtual void BusyCursor(bool /*busy*/) {}
    virtual void Repaint() {}
    // The all-items run reached the row'th item of its request.
    virtual void ItemStarted(std::int32_t /*row*/) {}
    virtual void CountersChanged(const RunCounters&) {}
    // A wash ended with counters worth showing: they stay visible a while.
    virtual void HoldCounters() {}
    // A preview's dialog, filled and ticked; the client may show it and wash
    // from it with wash.
    virtual void ShowPreview(TPreviewForm& /*dialog*/, const PreviewWashContext& /*wash*/) {}
};

// The services and files a controller works with; the client owns them.
struct RunServices {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::SystemInfo& system;
    platform::Shell& shell;
    WashLog& log;
    const PathMacros& macros;
    const std::vector<std::string>& specialFiles;
    std::string settingsFile; // wildcard.ini, whose exclusion list applies
};

class RunController final : private RunSeam {
public:
    RunController(const RunServices& services, RunOptions options, RunObserver& observer);

    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;

    void SetOptions(RunOptions options) { options_ = options; }
    const RunOptions& Options() const { return options_; }

    // One run. A run started while another goes on (from within a message
    // pump) does nothing and ends Declined. Errors pass on after the run's
    // closing steps.
    RunEnd Run(const RunRequest& request);
    bool Running() const { return running_; }

    // Cleans one special item by name, logged when the options say so.
    void CleanSpecial(const std::string& name);

    // The main Cancel: ends searching and stops the removal between files.
    void Stop();
    // The preview Cancel: ends searching only.
    void Cancel();
    // Whether Cancel (or Stop) was pressed since the run started.
    bool CancelRequested() const override { return cancel_; }
    bool StopRequested() const override { return stop_; }

    const RunCounters& Counters() const { return counters_; }
    // The search counters of the last search phase.
    const SearchCounters& Found() const { return found_; }

    // The confirmation subject of one item ("'Name'") and of one child
    // ("'Name -> Child'").
    static std::string ItemSubject(const std::string& item);
    static std::string ChildSubject(const std::string& item, const std::string& child);

private:
    // RunSeam, for the engine.
    void ProcessMessages() override;
    void SetStopRequested(bool value) override { stop_ = value; }
    void ShowSearchCounters(const std::string& l2, const std::string& l4) override;
    void SetProgressMax(std::int32_t max) override;
    std::int32_t ProgressMax() const override { return progressMax_; }
    void StepProgress() override;
    void SetStatusMode(StatusMode mode) override;
    void ShowMainCancel(bool visible) override { observer_.MainCancelShown(visible); }
    void Repaint() override { observer_.Repaint(); }

    bool Confirmed(const RunRequest& request);
    // False when the item or child to run does not exist.
    bool Collect(const RunRequest& request, TPreviewForm& dialog);
    void CollectAll(const RunRequest& request, TPreviewForm& dialog);
    void CollectItem(const RunItem& item, TPreviewForm& dialog, bool endOnCancel);
    bool CollectFolderChild(const RunRequest& request, TPreviewForm& dialog);
    bool CollectRegistryChild(const RunRequest& request, TPreviewForm& dialog);
    void PreviewOrWash(TPreviewForm& dialog, bool preview, bool evenWhenCancelled);
    void EndRun();

    RunServices services_;
    RunOptions options_;
    RunObserver& observer_;
    bool running_ = false;
    bool cancel_ = false;
    bool stop_ = false;
    std::int32_t progressMax_ = 0;
    std::int32_t progressPosition_ = 0;
    RunCounters counters_;
    SearchCounters found_;
};

} // namespace quill
