// The four runs of the main window (all checked items, the selected item, the
// selected folder/file child, the selected registry child): the commands that
// start them, what they hand the run controller, and how the window shows
// what the controller tells it.

#include "app/main_window.h"

#include "app/with_end.h"

#include <chrono>
#include <thread>

namespace quill {

namespace {

constexpr const char* kConsoleWashRuns =
    "A wash from the console is running. Try again when it has ended.";

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

} // namespace

// --- What the controller tells the window ---

void MainWindowRunView::ProcessMessages() {
    form_.Host().ProcessMessages();
}
bool MainWindowRunView::Confirm(const std::string& question) {
    return form_.services_.dialogs.ShowMessage(platform::MessageKind::Question, question);
}
void MainWindowRunView::StatusChanged(StatusMode mode) {
    form_.SetStatusMode(mode);
}
void MainWindowRunView::SearchCaption(bool searching) {
    form_.ShowSearchCaption(searching);
}
void MainWindowRunView::SearchCounters(const std::string& l2, const std::string& l4) {
    form_.l2 = l2;
    form_.l4 = l4;
}
void MainWindowRunView::Collecting(bool collecting) {
    form_.ListsSuspended = collecting;
}
void MainWindowRunView::ProgressChanged(std::int32_t position, std::int32_t max) {
    form_.ProgressBar1Max = max;
    form_.ProgressBar1Position = position;
}
void MainWindowRunView::MainCancelShown(bool visible) {
    form_.spMainCancel.Visible = visible;
    Repaint(); // a run's end shows at once, with the last of its progress
}
void MainWindowRunView::RunCommandsEnabled(bool enabled) {
    form_.EnableRunCommands(enabled);
}
void MainWindowRunView::BusyCursor(bool busy) {
    form_.services_.shell.ShowBusyCursor(busy);
}
void MainWindowRunView::Repaint() {
    form_.Host().Repaint();
}
void MainWindowRunView::ItemStarted(std::int32_t row) {
    // The list follows the run from item to item.
    form_.ChListBoxItem.ItemIndex = row;
    form_.SelectItem();
}
void MainWindowRunView::CountersChanged(const RunCounters& counters) {
    form_.LabFolderSuccess = counters.FilesRemoved;
    form_.LabFolderFails = counters.FilesFailed;
    form_.LabelSuccess = counters.EntriesRemoved;
    form_.LabelFails = counters.EntriesFailed;
}
void MainWindowRunView::HoldCounters() {
    form_.WaitBusy(2000);
}
void MainWindowRunView::ShowPreview(TPreviewForm& dialog, const PreviewWashContext& wash) {
    form_.Host().ShowModal(dialog, wash);
}

// --- Run helpers ---

WindowHost& TFormMainQLMR::Host() {
    return host_ ? *host_ : NoWindowHost();
}

void TFormMainQLMR::SetHost(WindowHost* host) {
    host_ = host;
}

RunOptions TFormMainQLMR::CurrentRunOptions(bool ask) const {
    return RunOptions{UseQuick, ask && PromptBefore, WriteToLog};
}

template <class F> bool TFormMainQLMR::Guarded(F&& run, bool tell) {
    // A run processes messages, so a hot key or the timer may ask for
    // another one meanwhile: runs do not nest.
    if (running_ || run_->Running()) {
        return true;
    }
    // Every run may wash (a preview from its dialog): none while the
    // console washes.
    if (!services_.washLock.TryHold()) {
        if (tell) {
            services_.dialogs.ShowMessage(platform::MessageKind::Information, kConsoleWashRuns);
        }
        return false;
    }
    running_ = true;
    EnableEditCommands(false);
    WithEnd(run, [this] {
        running_ = false;
        services_.washLock.Release();
        EnableEditCommands(true);
    });
    return true;
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
        ShowSearchCaption(true);
        break;
    }
}

void TFormMainQLMR::ShowSearchCaption(bool searching) {
    l1 = searching ? "Searching...    The total of files searched is "
                   : "Done!           The total of files searched is ";
    l3 = "   The total size of files searched is ";
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

// --- The four runs ---

RunItem TFormMainQLMR::RowItem(std::int32_t row) const {
    return RunItem(Catalogue.Items[static_cast<std::size_t>(row)], ChListBoxItem.Checked(row));
}

RunRequest TFormMainQLMR::SelectedItemRequest(RunScope scope, bool preview) const {
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || row >= Catalogue.Count() || !CurrentItem) {
        return RunRequest(scope, preview, {});
    }
    RunItem item = RowItem(row);
    if (scope == RunScope::Item) {
        // The children as their lists show them.
        item.folderTicks.emplace();
        for (std::int32_t j = 0; j < ChListBoxFolder.Count(); ++j) {
            item.folderTicks->push_back(ChListBoxFolder.Checked(j));
        }
        item.registryTicks.emplace();
        for (std::int32_t j = 0; j < ChListBoxRegister.Count(); ++j) {
            item.registryTicks->push_back(ChListBoxRegister.Checked(j));
        }
        return RunRequest(scope, preview, {std::move(item)});
    }
    const CheckListBox& children =
        scope == RunScope::FolderChild ? ChListBoxFolder : ChListBoxRegister;
    const std::int32_t child = children.ItemIndex;
    if (!children.Valid(child)) {
        return RunRequest(scope, preview, {std::move(item)}, -1);
    }
    return RunRequest(scope, preview, {std::move(item)}, child, children.Checked(child));
}

RunEnd TFormMainQLMR::Run(const RunRequest& request, bool ask) {
    run_->SetOptions(CurrentRunOptions(ask));
    RunEnd end = RunEnd::Declined;
    bool declined = false;
    WithEnd(
        [&] {
            end = run_->Run(request);
            declined = end == RunEnd::Declined;
        },
        [&] {
            // The runs over whole items leave the lists on the item they
            // reached; they show the selected one again.
            if (!declined &&
                (request.scope == RunScope::AllChecked || request.scope == RunScope::Item)) {
                SelectItem();
            }
        });
    return end;
}

void TFormMainQLMR::RunAllChecked(bool preview, bool ask) {
    std::vector<RunItem> items;
    for (std::int32_t i = 0; i < ChListBoxItem.Count() && i < Catalogue.Count(); ++i) {
        items.push_back(RowItem(i));
    }
    (void)Run(RunRequest(RunScope::AllChecked, preview, std::move(items)), ask);
}

void TFormMainQLMR::RunCurrentItem(bool preview) {
    (void)Run(SelectedItemRequest(RunScope::Item, preview), true);
}

void TFormMainQLMR::RunFolderChild(bool preview) {
    (void)Run(SelectedItemRequest(RunScope::FolderChild, preview), true);
}

void TFormMainQLMR::RunRegistryChild(bool preview) {
    (void)Run(SelectedItemRequest(RunScope::RegistryChild, preview), true);
}

// --- Commands ---

bool TFormMainQLMR::WashAll(bool ask, bool tell) {
    return Guarded(
        [this, ask] {
            spMainCancel.Visible = true;
            const std::int32_t remembered = ChListBoxItem.ItemIndex;
            RunAllChecked(false, ask);
            ChListBoxItem.ItemIndex = remembered;
            SelectItem();
        },
        tell);
}

void TFormMainQLMR::btnWashAllClick() {
    (void)WashAll(true, true);
}

bool TFormMainQLMR::WashNowWithoutConfirmation(bool tell) {
    return WashAll(false, tell);
}

void TFormMainQLMR::btnMainPreviewClick() {
    Guarded([this] {
        const std::int32_t remembered = ChListBoxItem.ItemIndex;
        SpCancelPreview.Visible = true;
        WithEnd([this] { RunAllChecked(true); }, [this] { SpCancelPreview.Visible = false; });
        ChListBoxItem.ItemIndex = remembered;
        SelectItem();
    });
}

void TFormMainQLMR::btnWashSingleClick() {
    Guarded([this] {
        spMainCancel.Visible = true;
        const std::int32_t row = ChListBoxItem.ItemIndex;
        if (!ChListBoxItem.Valid(row)) {
            spMainCancel.Visible = false;
            return;
        }
        if (CurrentItem && CurrentItem->ItemProperty.IsSpecial) {
            // No file removal runs to hide the Cancel button again.
            run_->SetOptions(CurrentRunOptions(false));
            WithEnd([&] { run_->CleanSpecial(ChListBoxItem.At(row).Text); },
                    [this] { spMainCancel.Visible = false; });
            return;
        }
        RunCurrentItem(false);
    });
}

void TFormMainQLMR::btnPreviewCurrentItemClick() {
    Guarded([this] {
        SpCancelPreview.Visible = true;
        WithEnd([this] { RunCurrentItem(true); }, [this] { SpCancelPreview.Visible = false; });
    });
}

void TFormMainQLMR::btnWashFolderClick() {
    Guarded([this] {
        spMainCancel.Visible = true;
        RunFolderChild(false);
    });
}

void TFormMainQLMR::btnPreviewCurrentFolderClick() {
    Guarded([this] {
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
    run_->Stop();
    spMainCancel.Visible = false;
}

void TFormMainQLMR::SpCancelPreviewClick() {
    run_->Cancel();
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
