#include "app/run_controller.h"

#include "app/with_end.h"
#include "engine/builtin_stores.h"
#include "engine/folder_targets.h"
#include "engine/item_exclusions.h"
#include "engine/registry_targets.h"
#include "model/item_content.h"
#include "platform/text.h"

#include <charconv>
#include <memory>

namespace quill {

namespace {

std::int32_t CountOf(const std::string& label) {
    std::int32_t n = 0;
    (void)std::from_chars(label.data(), label.data() + label.size(), n);
    return n;
}

std::unique_ptr<TPreviewForm> DialogFor(RunScope scope) {
    switch (scope) {
    case RunScope::AllChecked:
        return std::make_unique<TFormPreviewAll>();
    case RunScope::Item:
        return std::make_unique<TFormPreviewFolderRegister>();
    case RunScope::FolderChild:
        return std::make_unique<TFormPreviewFolder>();
    case RunScope::RegistryChild:
        break;
    }
    return std::make_unique<TFormPreviewregister>();
}

void Tick(PreviewList& list, bool ticked) {
    ticked ? list.SelectAll() : list.UnselectAll();
}

// Whether the j-th child is collected: its tick in the client's list when
// the client gave them, else its own mark.
bool Ticked(const std::optional<std::vector<bool>>& ticks, std::size_t j, bool active) {
    if (!ticks) {
        return active;
    }
    return j < ticks->size() && (*ticks)[j];
}

// The registry entries of a child without those whose removal would take
// something the item keeps with them.
void AddRemovableEntries(const std::vector<std::string>& entries, const ItemExclusions& keep,
                         PreviewList& into) {
    if (keep.Empty()) {
        into.AddAll(entries);
        return;
    }
    std::vector<std::string> removable;
    for (const std::string& entry : entries) {
        if (!keep.KeepsRegistryEntry(entry)) {
            removable.push_back(entry);
        }
    }
    into.AddAll(removable);
}

} // namespace

std::int32_t RunCounters::Failures() const {
    return CountOf(FilesFailed) + CountOf(EntriesFailed);
}

RunController::RunController(const RunServices& services, RunOptions options, RunObserver& observer)
    : services_(services), options_(options), observer_(observer) {}

std::string RunController::ItemSubject(const std::string& item) {
    return text::Joined("'", item, "'");
}

std::string RunController::ChildSubject(const std::string& item, const std::string& child) {
    return text::Joined("'", item, " -> ", child, "'");
}

// --- The run seam ---

void RunController::ProcessMessages() {
    observer_.ProcessMessages();
}

void RunController::ShowSearchCounters(const std::string& l2, const std::string& l4) {
    observer_.SearchCounters(l2, l4);
    observer_.Repaint();
}

void RunController::SetProgressMax(std::int32_t max) {
    progressMax_ = max;
    progressPosition_ = 0;
    observer_.ProgressChanged(progressPosition_, progressMax_);
}

void RunController::StepProgress() {
    if (progressPosition_ < progressMax_) {
        ++progressPosition_;
    }
    observer_.ProgressChanged(progressPosition_, progressMax_);
}

void RunController::SetStatusMode(StatusMode mode) {
    switch (mode) {
    case StatusMode::Idle:
        found_ = {};
        progressMax_ = 0;
        progressPosition_ = 0;
        break;
    case StatusMode::Searching:
        found_ = {};
        break;
    case StatusMode::Progress:
    case StatusMode::Counters:
        break;
    }
    observer_.StatusChanged(mode);
    if (mode == StatusMode::Searching) {
        observer_.SearchCaption(true);
        observer_.Repaint();
    }
}

// --- Flags ---

void RunController::Stop() {
    stop_ = true;
    cancel_ = true;
}

void RunController::Cancel() {
    cancel_ = true;
}

// --- The run ---

bool RunController::Confirmed(const RunRequest& request) {
    if (request.preview || !options_.PromptBefore) {
        return true;
    }
    if (request.scope == RunScope::AllChecked) {
        return observer_.Confirm("Do you want to wash all the items selected?");
    }
    const std::string item = request.items.empty() ? "" : request.items[0].entry.ItemName;
    if (request.scope == RunScope::Item) {
        return observer_.Confirm(text::Joined("Do you want to clean ", ItemSubject(item), "?"));
    }
    std::string child;
    if (!request.items.empty()) {
        // The child's name, as its list shows it; loading the item to read it
        // is a read of its file and raises nothing.
        const tItemContent content(services_.fs, request.items[0].entry.txtfilename, item);
        const auto j = static_cast<std::size_t>(request.child);
        if (request.scope == RunScope::FolderChild && request.child >= 0 &&
            request.child < content.Folders.Count()) {
            child = content.Folders.Items[j].ChildItemName;
        } else if (request.scope == RunScope::RegistryChild && request.child >= 0 &&
                   request.child < content.Registers.Count()) {
            child = content.Registers.Items[j].ChildItemName;
        }
    }
    return observer_.Confirm(text::Joined("Do you want to clean ", ChildSubject(item, child), "?"));
}

RunEnd RunController::Run(const RunRequest& request) {
    if (running_) {
        return RunEnd::Declined; // runs do not nest
    }
    // A new run starts with its flags clear: a stale stop would make it
    // remove nothing.
    cancel_ = false;
    stop_ = false;
    // Taken before the question: a modal question pumps messages too.
    running_ = true;
    bool confirmed = false;
    try {
        confirmed = Confirmed(request);
    } catch (...) {
        running_ = false;
        throw;
    }
    if (!confirmed) {
        running_ = false;
        observer_.MainCancelShown(false);
        return RunEnd::Declined;
    }
    // The folders of this run's targets, as its collection finds them, and
    // those its wash empties.
    Collected().Clear();
    Emptied().Clear();
    RunEnd end = RunEnd::Finished;
    observer_.BusyCursor(true);
    WithEnd(
        [&] {
            const bool oneItem = request.scope != RunScope::AllChecked;
            if (oneItem && request.items.empty()) {
                end = RunEnd::NoTarget;
                return;
            }
            observer_.RunCommandsEnabled(false);
            std::unique_ptr<TPreviewForm> dialog = DialogFor(request.scope);
            bool found = false;
            observer_.Collecting(true);
            WithEnd([&] { found = Collect(request, *dialog); },
                    [&] { observer_.Collecting(false); });
            if (!found) {
                end = RunEnd::NoTarget;
                return;
            }
            // Only the registry child's dialog shows after a cancel: no search ran.
            PreviewOrWash(*dialog, request.preview, request.scope == RunScope::RegistryChild);
        },
        [&] {
            EndRun();
            observer_.BusyCursor(false);
            running_ = false;
        });
    if (end == RunEnd::Finished && cancel_) {
        end = RunEnd::Cancelled;
    }
    return end;
}

bool RunController::Collect(const RunRequest& request, TPreviewForm& dialog) {
    switch (request.scope) {
    case RunScope::AllChecked:
        CollectAll(request, dialog);
        return true;
    case RunScope::Item:
        SetStatusMode(StatusMode::Searching);
        CollectItem(request.items[0], dialog, false);
        dialog.Caption =
            text::Joined("Preview Current Item - Total Files: ",
                         std::to_string(dialog.CheckListBoxPreviewFolder.Count()),
                         "  Entries: ", std::to_string(dialog.CheckListBoxPreviewregister.Count()));
        return true;
    case RunScope::FolderChild:
        return CollectFolderChild(request, dialog);
    case RunScope::RegistryChild:
        break;
    }
    return CollectRegistryChild(request, dialog);
}

void RunController::CollectAll(const RunRequest& request, TPreviewForm& dialog) {
    SetStatusMode(StatusMode::Searching);
    for (std::size_t i = 0; i < request.items.size(); ++i) {
        const RunItem& item = request.items[i];
        if (!item.checked) {
            continue;
        }
        observer_.ItemStarted(static_cast<std::int32_t>(i));
        observer_.RunCommandsEnabled(false);
        if (item.entry.IsSpecial) {
            dialog.CheckListBoxSpecial.Add(item.entry.ItemName);
        }
        CollectItem(item, dialog, true);
        if (cancel_) {
            break;
        }
        dialog.CheckListBoxSpecial.SelectAll();
        dialog.CheckListBoxPreviewFolder.SelectAll();
        dialog.CheckListBoxPreviewregister.SelectAll();
    }
    dialog.Caption = text::Joined(
        "Preview - Total Special: ", std::to_string(dialog.CheckListBoxSpecial.Count()),
        "  Files: ", std::to_string(dialog.CheckListBoxPreviewFolder.Count()),
        "  Entries: ", std::to_string(dialog.CheckListBoxPreviewregister.Count()));
}

// The checked children of one item: its files (sorted from then on), then
// its registry entries, each list ticked when the item is checked. After a
// Cancel during the files, the all-items run collects no more (its caller
// leaves); a one-item run still collects the entries, which need no search.
void RunController::CollectItem(const RunItem& item, TPreviewForm& dialog, bool endOnCancel) {
    tItemContent content(services_.fs, item.entry.txtfilename, item.entry.ItemName);
    const ItemExclusions keep(content.Exclusions, services_.macros);
    TargetContext collection{
        services_.fs, services_.registry,    services_.system, services_.macros, *this,
        found_,       services_.settingsFile};
    std::vector<std::string> scratch;
    for (std::size_t j = 0; j < content.Folders.Items.size(); ++j) {
        tChildFolder& child = content.Folders.Items[j];
        if (Ticked(item.folderTicks, j, child.isactive)) {
            scratch.clear();
            CollectFolderTargets(child, scratch, collection, &keep);
            dialog.CheckListBoxPreviewFolder.AddAll(scratch);
        }
        if (cancel_) {
            break;
        }
    }
    if (cancel_ && endOnCancel) {
        return;
    }
    dialog.CheckListBoxPreviewFolder.SetSorted();
    Tick(dialog.CheckListBoxPreviewFolder, item.checked);
    for (std::size_t j = 0; j < content.Registers.Items.size(); ++j) {
        tChildRegister& child = content.Registers.Items[j];
        if (Ticked(item.registryTicks, j, child.isactive)) {
            scratch.clear();
            CollectRegistryEntries(child, scratch, services_.macros, services_.registry);
            AddRemovableEntries(scratch, keep, dialog.CheckListBoxPreviewregister);
        }
    }
    Tick(dialog.CheckListBoxPreviewregister, item.checked);
}

bool RunController::CollectFolderChild(const RunRequest& request, TPreviewForm& dialog) {
    const RunItem& item = request.items[0];
    tItemContent content(services_.fs, item.entry.txtfilename, item.entry.ItemName);
    if (request.child < 0 || request.child >= content.Folders.Count()) {
        return false;
    }
    tChildFolder& child = content.Folders.Items[static_cast<std::size_t>(request.child)];
    SetStatusMode(StatusMode::Searching);
    std::vector<std::string> targets;
    TargetContext collection{
        services_.fs, services_.registry,    services_.system, services_.macros, *this,
        found_,       services_.settingsFile};
    const ItemExclusions keep(content.Exclusions, services_.macros);
    CollectFolderTargets(child, targets, collection, &keep);
    dialog.CheckListBoxPreviewFolder.AddAll(targets);
    Tick(dialog.CheckListBoxPreviewFolder, request.childChecked.value_or(child.isactive));
    dialog.Caption = text::Joined("Preview Files of Current Item - Total Files: ",
                                  std::to_string(dialog.CheckListBoxPreviewFolder.Count()));
    return true;
}

bool RunController::CollectRegistryChild(const RunRequest& request, TPreviewForm& dialog) {
    const RunItem& item = request.items[0];
    tItemContent content(services_.fs, item.entry.txtfilename, item.entry.ItemName);
    if (request.child < 0 || request.child >= content.Registers.Count()) {
        return false;
    }
    tChildRegister& child = content.Registers.Items[static_cast<std::size_t>(request.child)];
    std::vector<std::string> entries;
    CollectRegistryEntries(child, entries, services_.macros, services_.registry);
    AddRemovableEntries(entries, ItemExclusions(content.Exclusions, services_.macros),
                        dialog.CheckListBoxPreviewregister);
    Tick(dialog.CheckListBoxPreviewregister, request.childChecked.value_or(child.isactive));
    dialog.Caption = text::Joined("Preview Entries of Current Item - Total Entries: ",
                                  std::to_string(dialog.CheckListBoxPreviewregister.Count()));
    return true;
}

void RunController::PreviewOrWash(TPreviewForm& dialog, bool preview, bool evenWhenCancelled) {
    const PreviewWashContext wash{services_.fs,
                                  services_.registry,
                                  services_.shell,
                                  *this,
                                  services_.log,
                                  services_.specialFiles,
                                  options_.WriteToLog,
                                  options_.UseQuick,
                                  counters_.FilesRemoved,
                                  counters_.FilesFailed,
                                  counters_.EntriesRemoved,
                                  counters_.EntriesFailed};
    if (!preview) {
        WithEnd([&] { dialog.Wash(wash); }, [&] { observer_.CountersChanged(counters_); });
    } else if (evenWhenCancelled || !cancel_) {
        observer_.SearchCaption(false);
        observer_.ShowPreview(dialog, wash);
        // A wash from the preview wrote the counters.
        observer_.CountersChanged(counters_);
    }
}

void RunController::EndRun() {
    observer_.RunCommandsEnabled(true);
    if (progressMax_ > 0) {
        SetStatusMode(StatusMode::Counters);
        observer_.HoldCounters();
    }
    SetStatusMode(StatusMode::Idle);
}

void RunController::CleanSpecial(const std::string& name) {
    ::quill::CleanSpecialItem(name, services_.shell,
                              options_.WriteToLog ? &services_.log : nullptr);
}

} // namespace quill
