// The four runs of the main window (all checked items, the selected item, the
// selected folder/file child, the selected registry child), the commands that
// start them, the status bar modes and the run seam of the engine.

#include "app/main_window.h"

#include "engine/builtin_stores.h"
#include "engine/folder_targets.h"
#include "engine/item_exclusions.h"
#include "engine/registry_targets.h"

#include <chrono>
#include <thread>

namespace quill {

namespace {

// Without a window: nothing to pump or show; the clock is the steady one.
class NoWindow final : public WindowHost {
public:
    void ProcessMessages() override {}
    void Repaint() override {}
    void WaitForMessages(std::uint32_t maxMs) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::uint32_t>(maxMs, 10)));
    }
    std::uint32_t TickCount() override {
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    void ShowModal(TPreviewForm&, const PreviewWashContext&) override {}
    void ShowModal(TFormAddEditItem&) override {}
    void ShowModal(TFormFolder&) override {}
    void ShowModal(TFormRegister&) override {}
    void ShowModal(TFormPreferences&) override {}
    void ShowModal(TFormExcludeFile&) override {}
    void ShowModal(TFormselectbyfilter&) override {}
    void ShowModal(TFormWildcard&) override {}
    void ShowModal(TFormDetect&) override {}
    void ShowModal(Taboutform&) override {}
};

WindowHost& NoWindowHost() {
    static NoWindow host;
    return host;
}

// Runs the closing steps of a run however its body ends; an error of the
// body passes on afterwards.
template <class Body, class End> void WithEnd(Body&& body, End&& end) {
    try {
        body();
    } catch (...) {
        end();
        throw;
    }
    end();
}

} // namespace

// --- The run seam ---

void MainWindowSeam::ProcessMessages() {
    form_.Host().ProcessMessages();
}
bool MainWindowSeam::CancelRequested() const {
    return form_.CancelRequested;
}
bool MainWindowSeam::StopRequested() const {
    return form_.StopRequested;
}
void MainWindowSeam::SetStopRequested(bool value) {
    form_.StopRequested = value;
}
void MainWindowSeam::ShowSearchCounters(const std::string& l2, const std::string& l4) {
    form_.l2 = l2;
    form_.l4 = l4;
    Repaint();
}
void MainWindowSeam::SetProgressMax(std::int32_t max) {
    form_.ProgressBar1Max = max;
    form_.ProgressBar1Position = 0;
}
std::int32_t MainWindowSeam::ProgressMax() const {
    return form_.ProgressBar1Max;
}
void MainWindowSeam::StepProgress() {
    if (form_.ProgressBar1Position < form_.ProgressBar1Max) {
        ++form_.ProgressBar1Position;
    }
}
void MainWindowSeam::SetStatusMode(StatusMode mode) {
    form_.SetStatusMode(mode);
}
void MainWindowSeam::ShowMainCancel(bool visible) {
    form_.spMainCancel.Visible = visible;
    Repaint(); // a run's end shows at once, with the last of its progress
}
void MainWindowSeam::Repaint() {
    form_.Host().Repaint();
}

// --- Run helpers ---

WindowHost& TFormMainQLMR::Host() {
    return host_ ? *host_ : NoWindowHost();
}

void TFormMainQLMR::SetHost(WindowHost* host) {
    host_ = host;
}

PreviewWashContext TFormMainQLMR::WashContext() {
    return PreviewWashContext{services_.fs,
                              services_.registry,
                              services_.shell,
                              seam_,
                              log_,
                              SpecialFiles,
                              WriteToLog,
                              UseQuick,
                              LabFolderSuccess,
                              LabFolderFails,
                              LabelSuccess,
                              LabelFails};
}

TargetContext TFormMainQLMR::CollectionContext() {
    return TargetContext{services_.fs, services_.registry, services_.system,       macros_,
                         seam_,        Counters,           AppDir + "wildcard.ini"};
}

template <class F> void TFormMainQLMR::Guarded(F&& run) {
    // A run processes messages, so a hot key or the timer may ask for
    // another one meanwhile: runs do not nest.
    if (running_) {
        return;
    }
    running_ = true;
    seam_.Emptied().Clear();
    EnableEditCommands(false);
    WithEnd(run, [this] {
        running_ = false;
        EnableEditCommands(true);
    });
}

bool TFormMainQLMR::ConfirmClean(const std::string& subject) {
    if (!PromptBefore) {
        return true;
    }
    return services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                         "Do you want to clean " + subject + "?");
}

void TFormMainQLMR::EnableRunCommands(bool enabled) {
    for (ControlState* c :
         {&btnWashAll, &btnMainPreview, &btnWashSingle, &btnPreviewCurrentItem,
          &btnPreviewCurrentFolder, &btnWashFolder, &btnPreviewCurrentRegister, &btnWashRegister}) {
        c->Enabled = enabled;
    }
    for (MenuEntry& entry : MenuWash) {
        entry.Enabled = enabled;
    }
}

void TFormMainQLMR::SetStatusMode(StatusMode mode) {
    SpeedButton17.Enabled = false;
    Status = mode;
    switch (mode) {
    case StatusMode::Idle:
        Counters = {};
        // Assigned from strings: GCC 12 warns falsely on literals here.
        l2 = std::string("0");
        l4 = std::string("0Kb");
        SpeedButton17.Enabled = true;
        ProgressBar1Max = 0;
        ProgressBar1Position = 0;
        break;
    case StatusMode::Progress:
    case StatusMode::Counters:
        break;
    case StatusMode::Searching:
        Counters = {};
        ShowSearchCaption(true);
        seam_.Repaint();
        break;
    }
}

void TFormMainQLMR::ShowSearchCaption(bool searching) {
    l1 = searching ? "Searching...    The total of files searched is "
                   : "Done!           The total of files searched is ";
    l3 = "   The total size of files searched is ";
}

void TFormMainQLMR::EndRun() {
    EnableRunCommands(true);
    if (ProgressBar1Max > 0) {
        SetStatusMode(StatusMode::Counters);
        WaitBusy(2000);
    }
    SetStatusMode(StatusMode::Idle);
}

void TFormMainQLMR::WaitBusy(std::uint32_t milliseconds) {
    WindowHost& host = Host();
    services_.shell.ShowBusyCursor(true);
    WithEnd(
        [&] {
            // Unsigned tick arithmetic: the difference is right across the
            // counter's wrap, and a pump that ends past the deadline ends the
            // wait instead of asking for a negative (endless) one.
            const std::uint32_t start = host.TickCount();
            for (;;) {
                host.ProcessMessages();
                const std::uint32_t elapsed = host.TickCount() - start;
                if (elapsed >= milliseconds) {
                    break;
                }
                host.WaitForMessages(milliseconds - elapsed);
            }
        },
        [&] { services_.shell.ShowBusyCursor(false); });
}

void TFormMainQLMR::CleanSpecialItem(const std::string& name) {
    ::quill::CleanSpecialItem(name, services_.shell, WriteToLog ? &log_ : nullptr);
}

// --- The four runs ---

void TFormMainQLMR::CollectCheckedFolderTargets(PreviewList& into, TargetContext& collection) {
    std::vector<std::string> scratch;
    const ItemExclusions keep(CurrentItem->Exclusions, macros_);
    for (std::int32_t j = 0; j < ChListBoxFolder.Count() && j < CurrentItem->Folders.Count(); ++j) {
        if (ChListBoxFolder.Checked(j)) {
            scratch.clear();
            CollectFolderTargets(CurrentItem->Folders.Items[static_cast<std::size_t>(j)], scratch,
                                 collection, &keep);
            into.AddAll(scratch);
        }
        if (CancelRequested) {
            break;
        }
    }
}

std::vector<std::string> TFormMainQLMR::WithoutKept(const std::vector<std::string>& entries) {
    const ItemExclusions keep(CurrentItem->Exclusions, macros_);
    if (keep.Empty()) {
        return entries;
    }
    std::vector<std::string> removable;
    for (const std::string& entry : entries) {
        if (!keep.KeepsRegistryEntry(entry)) {
            removable.push_back(entry);
        }
    }
    return removable;
}

void TFormMainQLMR::CollectCheckedRegistryEntries(PreviewList& into) {
    std::vector<std::string> scratch;
    for (std::int32_t j = 0; j < ChListBoxRegister.Count() && j < CurrentItem->Registers.Count();
         ++j) {
        if (ChListBoxRegister.Checked(j)) {
            scratch.clear();
            CollectRegistryEntries(CurrentItem->Registers.Items[static_cast<std::size_t>(j)],
                                   scratch, macros_, services_.registry);
            into.AddAll(WithoutKept(scratch));
        }
    }
}

void TFormMainQLMR::PreviewOrWash(TPreviewForm& dialog, bool preview, bool evenWhenCancelled) {
    const PreviewWashContext wash = WashContext();
    if (!preview) {
        dialog.Wash(wash);
    } else if (evenWhenCancelled || !CancelRequested) {
        ShowSearchCaption(false);
        Host().ShowModal(dialog, wash);
    }
}

bool TFormMainQLMR::ConfirmCleanChild(const CheckListBox& children) {
    const std::int32_t row = ChListBoxItem.ItemIndex;
    const std::int32_t child = children.ItemIndex;
    const std::string item = ChListBoxItem.Valid(row) ? ChListBoxItem.At(row).Text : "";
    const std::string name = children.Valid(child) ? children.At(child).Text : "";
    if (ConfirmClean("'" + item + " -> " + name + "'")) {
        return true;
    }
    SpCancelPreview.Visible = false;
    spMainCancel.Visible = false;
    return false;
}

void TFormMainQLMR::RunAllChecked(bool preview) {
    if (!preview && PromptBefore &&
        !services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "Do you want to wash all the items selected?")) {
        StopRequested = false;
        spMainCancel.Visible = false;
        return;
    }
    services_.shell.ShowBusyCursor(true);
    WithEnd(
        [&] {
            TFormPreviewAll dialog;
            TargetContext collection = CollectionContext();
            ListsSuspended = true;
            WithEnd(
                [&] {
                    SetStatusMode(StatusMode::Searching);
                    for (std::int32_t i = 0; i < ChListBoxItem.Count(); ++i) {
                        if (!ChListBoxItem.Checked(i)) {
                            continue;
                        }
                        ChListBoxItem.ItemIndex = i;
                        SelectItem();
                        EnableRunCommands(false);
                        if (!CurrentItem) {
                            continue;
                        }
                        if (CurrentItem->ItemProperty.IsSpecial) {
                            dialog.CheckListBoxSpecial.Add(ChListBoxItem.At(i).Text);
                        }
                        CollectCheckedFolderTargets(dialog.CheckListBoxPreviewFolder, collection);
                        if (CancelRequested) {
                            break;
                        }
                        dialog.CheckListBoxPreviewFolder.SetSorted();
                        CollectCheckedRegistryEntries(dialog.CheckListBoxPreviewregister);
                        dialog.AllbtnSelectallClick();
                        dialog.btnSelectallClick();
                        dialog.NewbtnSelectallClick();
                    }
                },
                [&] { ListsSuspended = false; });
            dialog.Caption =
                "Preview - Total Special: " + std::to_string(dialog.CheckListBoxSpecial.Count()) +
                "  Files: " + std::to_string(dialog.CheckListBoxPreviewFolder.Count()) +
                "  Entries: " + std::to_string(dialog.CheckListBoxPreviewregister.Count());
            PreviewOrWash(dialog, preview, false);
        },
        [&] {
            EndRun();
            services_.shell.ShowBusyCursor(false);
            SelectItem();
        });
}

void TFormMainQLMR::RunCurrentItem(bool preview) {
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!preview) {
        const std::string name = ChListBoxItem.Valid(row) ? ChListBoxItem.At(row).Text : "";
        if (!ConfirmClean("'" + name + "'")) {
            SpCancelPreview.Visible = false;
            spMainCancel.Visible = false;
            return;
        }
    }
    services_.shell.ShowBusyCursor(true);
    WithEnd(
        [&] {
            if (!ChListBoxItem.Valid(row) || !CurrentItem) {
                return;
            }
            EnableRunCommands(false);
            TFormPreviewFolderRegister dialog;
            TargetContext collection = CollectionContext();
            const bool ticked = ChListBoxItem.Checked(row);
            ListsSuspended = true;
            WithEnd(
                [&] {
                    SetStatusMode(StatusMode::Searching);
                    CollectCheckedFolderTargets(dialog.CheckListBoxPreviewFolder, collection);
                    dialog.CheckListBoxPreviewFolder.SetSorted();
                    ticked ? dialog.btnSelectallClick() : dialog.btnUnselectAllClick();
                    CollectCheckedRegistryEntries(dialog.CheckListBoxPreviewregister);
                    ticked ? dialog.NewbtnSelectallClick() : dialog.NewbtnUnselectAllClick();
                },
                [&] { ListsSuspended = false; });
            dialog.Caption =
                "Preview Current Item - Total Files: " +
                std::to_string(dialog.CheckListBoxPreviewFolder.Count()) +
                "  Entries: " + std::to_string(dialog.CheckListBoxPreviewregister.Count());
            PreviewOrWash(dialog, preview, false);
        },
        [&] {
            EndRun();
            services_.shell.ShowBusyCursor(false);
            SelectItem();
        });
}

void TFormMainQLMR::RunFolderChild(bool preview) {
    const std::int32_t child = ChListBoxFolder.ItemIndex;
    if (!preview && !ConfirmCleanChild(ChListBoxFolder)) {
        return;
    }
    services_.shell.ShowBusyCursor(true);
    WithEnd(
        [&] {
            if (!ChListBoxFolder.Valid(child) || !CurrentItem ||
                child >= CurrentItem->Folders.Count()) {
                return;
            }
            EnableRunCommands(false);
            TFormPreviewFolder dialog;
            SetStatusMode(StatusMode::Searching);
            std::vector<std::string> targets;
            TargetContext collection = CollectionContext();
            const ItemExclusions keep(CurrentItem->Exclusions, macros_);
            CollectFolderTargets(CurrentItem->Folders.Items[static_cast<std::size_t>(child)],
                                 targets, collection, &keep);
            dialog.CheckListBoxPreviewFolder.AddAll(targets);
            ChListBoxFolder.Checked(child) ? dialog.btnSelectallClick()
                                           : dialog.btnUnselectAllClick();
            dialog.Caption = "Preview Files of Current Item - Total Files: " +
                             std::to_string(dialog.CheckListBoxPreviewFolder.Count());
            PreviewOrWash(dialog, preview, false);
        },
        [&] {
            EndRun();
            services_.shell.ShowBusyCursor(false);
        });
}

void TFormMainQLMR::RunRegistryChild(bool preview) {
    const std::int32_t child = ChListBoxRegister.ItemIndex;
    if (!preview && !ConfirmCleanChild(ChListBoxRegister)) {
        return;
    }
    services_.shell.ShowBusyCursor(true);
    WithEnd(
        [&] {
            if (!ChListBoxRegister.Valid(child) || !CurrentItem ||
                child >= CurrentItem->Registers.Count()) {
                return;
            }
            EnableRunCommands(false);
            TFormPreviewregister dialog;
            std::vector<std::string> entries;
            CollectRegistryEntries(CurrentItem->Registers.Items[static_cast<std::size_t>(child)],
                                   entries, macros_, services_.registry);
            dialog.CheckListBoxPreviewregister.AddAll(WithoutKept(entries));
            ChListBoxRegister.Checked(child) ? dialog.btnSelectallClick()
                                             : dialog.btnUnselectAllClick();
            dialog.Caption = "Preview Entries of Current Item - Total Entries: " +
                             std::to_string(dialog.CheckListBoxPreviewregister.Count());
            // Shown whatever the Cancel flag holds: no search ran.
            PreviewOrWash(dialog, preview, true);
        },
        [&] {
            EndRun();
            services_.shell.ShowBusyCursor(false);
        });
}

// --- Commands ---

void TFormMainQLMR::btnWashAllClick() {
    Guarded([this] {
        spMainCancel.Visible = true;
        CancelRequested = false;
        StopRequested = false; // a stale stop would make this wash remove nothing
        const std::int32_t remembered = ChListBoxItem.ItemIndex;
        RunAllChecked(false);
        ChListBoxItem.ItemIndex = remembered;
        SelectItem();
    });
}

void TFormMainQLMR::btnMainPreviewClick() {
    Guarded([this] {
        const std::int32_t remembered = ChListBoxItem.ItemIndex;
        CancelRequested = false;
        SpCancelPreview.Visible = true;
        WithEnd([this] { RunAllChecked(true); }, [this] { SpCancelPreview.Visible = false; });
        ChListBoxItem.ItemIndex = remembered;
        SelectItem();
    });
}

void TFormMainQLMR::btnWashSingleClick() {
    Guarded([this] {
        spMainCancel.Visible = true;
        CancelRequested = false;
        StopRequested = false;
        const std::int32_t row = ChListBoxItem.ItemIndex;
        if (!ChListBoxItem.Valid(row)) {
            spMainCancel.Visible = false;
            return;
        }
        if (CurrentItem && CurrentItem->ItemProperty.IsSpecial) {
            // No file removal runs to hide the Cancel button again.
            WithEnd([&] { CleanSpecialItem(ChListBoxItem.At(row).Text); },
                    [this] { spMainCancel.Visible = false; });
            return;
        }
        RunCurrentItem(false);
    });
}

void TFormMainQLMR::btnPreviewCurrentItemClick() {
    Guarded([this] {
        CancelRequested = false;
        SpCancelPreview.Visible = true;
        WithEnd([this] { RunCurrentItem(true); }, [this] { SpCancelPreview.Visible = false; });
    });
}

void TFormMainQLMR::btnWashFolderClick() {
    Guarded([this] {
        spMainCancel.Visible = true;
        CancelRequested = false;
        StopRequested = false;
        RunFolderChild(false);
    });
}

void TFormMainQLMR::btnPreviewCurrentFolderClick() {
    Guarded([this] {
        CancelRequested = false;
        SpCancelPreview.Visible = true;
        WithEnd([this] { RunFolderChild(true); }, [this] { SpCancelPreview.Visible = false; });
    });
}

void TFormMainQLMR::btnWashRegisterClick() {
    Guarded([this] { RunRegistryChild(false); });
}

void TFormMainQLMR::btnPreviewCurrentRegisterClick() {
    Guarded([this] { RunRegistryChild(true); });
}

void TFormMainQLMR::spMainCancelClick() {
    StopRequested = true;
    CancelRequested = true;
    spMainCancel.Visible = false;
}

void TFormMainQLMR::SpCancelPreviewClick() {
    CancelRequested = true;
    SpCancelPreview.Visible = false;
}

void TFormMainQLMR::MenuWashClick(std::int32_t tag) {
    if (tag == 0) {
        btnWashAllClick();
        return;
    }
    const std::int32_t row = tag - 100;
    if (!ChListBoxItem.Valid(row) || running_) {
        return;
    }
    ChListBoxItem.ItemIndex = row;
    SelectItem();
    btnWashSingleClick();
}

} // namespace quill
