#pragma once

#include "app/about_form.h"
#include "app/app_services.h"
#include "app/controls.h"
#include "app/preview_dialogs.h"
#include "app/run_controller.h"
#include "app/version.h"
#include "app/window_host.h"
#include "help/context_ids.h"
#include "locations/path_macros.h"
#include "locations/profile_detection.h"
#include "log/html_log.h"
#include "model/wash_items.h"
#include "platform/wall_clock.h"
#include "settings/exclusion_list.h"
#include "settings/item_editors.h"
#include "settings/preferences.h"
#include "settings/settings_file.h"
#include "settings/wildcard_dialogs.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The logic of the main window: the catalogue of wash items and the three
// check lists, the selected wash item with its children, the run settings,
// the summary line, the log and help commands, and what closing does. The
// Win32 window calls the handlers and mirrors the state into its controls.

namespace quill {

class TFormMainQLMR;

// How the main window follows a run: the controller's news mirrored into
// the window's state, its questions asked in message boxes, its previews
// shown through the host.
class MainWindowRunView final : public RunObserver {
public:
    explicit MainWindowRunView(TFormMainQLMR& form) : form_(form) {}
    void ProcessMessages() override;
    bool Confirm(const std::string& question) override;
    void StatusChanged(StatusMode mode) override;
    void SearchCaption(bool searching) override;
    void SearchCounters(const std::string& l2, const std::string& l4) override;
    void Collecting(bool collecting) override;
    void ProgressChanged(std::int32_t position, std::int32_t max) override;
    void MainCancelShown(bool visible) override;
    void RunCommandsEnabled(bool enabled) override;
    void BusyCursor(bool busy) override;
    void Repaint() override;
    void ItemStarted(std::int32_t row) override;
    void CountersChanged(const RunCounters& counters) override;
    void HoldCounters() override;
    void ShowPreview(TPreviewForm& dialog, const PreviewWashContext& wash) override;

private:
    TFormMainQLMR& form_;
};

class TFormMainQLMR {
public:
    static constexpr const char* kCaption = QUILL_CAPTION_TEXT;
    static constexpr std::int32_t kHelpContext = kHelpMainWindow;

    // Creates the window's logic: AppDir, the special files, the run
    // settings, the catalogue and its list, the first row selected.
    // firstArgument: the first command-line argument, when there is one.
    TFormMainQLMR(const AppServices& services, std::string appDir,
                  std::optional<std::string> firstArgument);

    TFormMainQLMR(const TFormMainQLMR&) = delete;
    TFormMainQLMR& operator=(const TFormMainQLMR&) = delete;

    // --- Operations ---
    void ReadRunSettings();
    void LoadCatalogue();
    void FillItemList();
    void SelectItem();
    void EnableItemCommands(std::int32_t i);
    void ShowSummary();
    // The position n whose key Item<n> of the file's "Common" section holds
    // exactly name; 0 when none does.
    static std::int32_t ItemIndexInFile(platform::FileSystem& fs, const std::string& file,
                                        const std::string& name);

    // --- Runs ---
    // The window the logic runs in; without one, messages are not pumped
    // and previews are not shown. The host must outlive its use here.
    void SetHost(WindowHost* host);
    // The runs, as the controller runs them with the window's settings, its
    // selection and its check marks. ask: whether "prompt Before" applies.
    void RunAllChecked(bool preview, bool ask = true);
    void RunCurrentItem(bool preview);
    void RunFolderChild(bool preview);
    void RunRegistryChild(bool preview);
    void EnableRunCommands(bool enabled);
    // The status bar's mode, with the labels and the Exit button it sets.
    void SetStatusMode(StatusMode mode);
    void ShowSearchCaption(bool searching);
    void WaitBusy(std::uint32_t milliseconds);
    // The controller of the window's runs: its flags and counters.
    const RunController& Runs() const { return *run_; }
    // While a run goes on, the commands and lists that would change the wash
    // items or the settings are disabled (and do nothing if called): the run
    // holds the selected item and walks its lists.
    bool RunInProgress() const { return running_; }
    // Enables or disables those commands and the three lists; enabling
    // applies the selected row's rule for special items again.
    void EnableEditCommands(bool enabled);

    // --- Background operation ---
    static constexpr int kHideHotKeyId = 43963;
    static constexpr int kWashHotKeyId = 52701;
    static constexpr std::uint32_t kTimerInterval = 50000; // Timer1, milliseconds
    // Registers both hot keys from the settings file, or unregisters them.
    // A hot key that cannot be registered is reported in one message.
    void SetHotKeys(bool registering);
    void HideBrowserWindows();
    // Wash Now with the confirmation question left out. False when it did
    // not start because a wash from the console holds the wash lock; tell:
    // whether the user learns of that.
    bool WashNowWithoutConfirmation(bool tell);
    // The first activation: the start-up wash when the settings ask for it.
    void FormActivate();
    void WMHotKey(int id);
    void Timer1Timer();
    // Windows asks whether it may end the session; the answer is always yes.
    bool WMQueryEndSession();

    // --- Item management ---
    void SpNewClick();    // Add Wash Item
    void SpEditClick();   // Edit Current Wash Item
    void SpDeleteClick(); // Delete Current Wash Item
    void btnUpClick();
    void btnDownClick();
    void btnaddfolderClick() { EditFolderChild(true); }
    void btnEditFolderClick() { EditFolderChild(false); }
    void btndeletefolderClick();
    void SpeedButton1Click() { SetAllChildChecks(ChListBoxFolder, true); }
    void SpeedButton4Click() { SetAllChildChecks(ChListBoxFolder, false); }
    void btnAddRegsiterChildClick() { EditRegistryChild(true); }
    void btnEditRegsiterChildClick() { EditRegistryChild(false); }
    void btndeleteregisterClick();
    void SpeedButton6Click() { SetAllChildChecks(ChListBoxRegister, true); }
    void SpeedButton5Click() { SetAllChildChecks(ChListBoxRegister, false); }
    void btnSavePluginClick(); // Export
    void SpeedButton7Click();  // Import
    // Import winapp2.ini: the entries for programs found here (all of them
    // when the user asks), written as plug-in files; the report is shown.
    void btnImportWinapp2Click();
    void EditFolderChild(bool adding);
    void EditRegistryChild(bool adding);
    void SetAllChildChecks(CheckListBox& list, bool checked);
    void ReloadCatalogue();
    bool NameTakenInFile(const std::string& file, const std::string& name) const;
    bool NameTakenByOther(const std::string& file, const std::string& name, std::int32_t n) const;

    // --- Settings dialogs ---
    void btnsettingClick(); // Preferences
    // What Apply in Preferences stored: the window runs with it from now on.
    void ApplyRunSettings(const WindowRunSettings& applied);
    void btnExcludeClick();   // Select Files to Exclude
    void SpeedButton3Click(); // About...
    // The filter selection dialog: the entry of the folder and mask chosen.
    std::optional<std::string> PickByWildcard();
    // Shows the profile detection dialog, which lives as long as the window.
    void ShowFormDetect();
    std::unique_ptr<TFormDetect> FormDetect;

    // --- Handlers ---
    void ChListBoxItemClick();      // a row was selected
    void ChListBoxItemClickCheck(); // a check mark of the list changed
    void ChListBoxFolderClickCheck(std::int32_t row);
    void ChListBoxRegisterClickCheck(std::int32_t row);
    void btnSelectallClick();   // Check All Wash Items
    void btnUnselectAllClick(); // UnCheck All Wash Items
    void btnViewLogClick();
    void btnDeleteLogClick();
    void SpeedButton2Click(); // Help
    // F1 and the Help buttons of dialogs that have no help file of their own:
    // the topic of that context number.
    void ShowHelpTopic(std::int32_t context);
    void btnWashAllClick(); // Wash Now
    void btnMainPreviewClick();
    void btnWashSingleClick();
    void btnPreviewCurrentItemClick();
    void btnWashFolderClick();
    void btnPreviewCurrentFolderClick();
    void btnWashRegisterClick();
    void btnPreviewCurrentRegisterClick();
    void spMainCancelClick();
    void SpCancelPreviewClick();
    // An entry of the tray's Wash submenu, by its tag (0: all checked items).
    void MenuWashClick(std::int32_t tag);
    // Whether the window may close now: not while a run holds Exit disabled.
    bool FormCloseQuery() const;
    void FormClose();
    // Writes the order file anew from the catalogue.
    void FormDestroy();
    // The one handler of errors that reach the event loop.
    void ApplicationEventsException(const std::exception& error);
    // The same for an error of any type, as a window procedure's barrier
    // catches it; nothing passes on from here.
    void ApplicationEventsError(std::exception_ptr error) noexcept;

    // --- State ---
    std::string AppDir;
    std::string HelpFile;
    // The program file, written into the Windows start-up entry.
    std::string ProgramPath;
    titem_list Catalogue;
    std::unique_ptr<tItemContent> CurrentItem;
    std::vector<std::string> SpecialFiles;

    bool UseQuick = true;
    bool PromptBefore = false;
    bool WriteToLog = true;
    bool DeleteLogOnExit = false;
    int ScheduleFlags = 0;
    std::int32_t ScheduleMinutes = 2;
    platform::LocalTime LastTimedWash;
    bool StartMinimized = false;
    bool Timer1Enabled = false;
    StatusMode Status = StatusMode::Idle;

    // --- Controls ---
    CheckListBox ChListBoxItem;
    CheckListBox ChListBoxFolder;
    CheckListBox ChListBoxRegister;
    std::vector<MenuEntry> MenuWash;

    ControlState btnPreviewCurrentItem, btnWashSingle, SpNew, SpEdit, SpDelete, btnUp, btnDown;
    ControlState btnPreviewCurrentFolder, btnWashFolder, btnaddfolder, btnEditFolder,
        btndeletefolder;
    ControlState btnPreviewCurrentRegister, btnWashRegister, btnAddRegsiterChild,
        btnEditRegsiterChild, btndeleteregister;
    ControlState SpeedButton17; // Exit: disabled while a run is in progress
    ControlState btnWashAll, btnMainPreview;
    // Check All / UnCheck All beside each list, the toolbar commands that
    // change items or settings, and Delete Log: disabled while a run goes on.
    ControlState btnSelectall, btnUnselectAll, SpeedButton1, SpeedButton4, SpeedButton6,
        SpeedButton5;
    ControlState btnsetting, btnExclude, SpeedButton7, btnImportWinapp2, btnSavePlugin,
        btnDeleteLog;
    ControlState spMainCancel{true, false, "Cancel"};
    ControlState SpCancelPreview{true, false, "Cancel"};

    std::string LabelStatus;
    std::string LabelSuccess, LabelFails, LabFolderSuccess, LabFolderFails;
    std::string l1, l2, l3, l4; // search labels
    std::int32_t ProgressBar1Max = 0;
    std::int32_t ProgressBar1Position = 0;
    // Repainting of the three lists is suspended while a run collects.
    bool ListsSuspended = false;

    // True when the row's catalogue entry is special (drawn in red).
    bool RowIsSpecial(std::int32_t row) const;

private:
    friend class MainWindowRunView;

    // True when CurrentItem is the wash item of that file and name.
    bool ShowsItem(const titem_property& item) const;
    // Writes the selected wash item back to its file with its row's check.
    void WriteBackSelectedItem();
    void TakeCheckMarksIntoCatalogue();
    // The warning stored with an item; empty when it has none.
    std::string WarningOf(const titem_property& item) const;
    // Each item ticked since the catalogue last took the marks whose warning
    // the user does not confirm (Yes) is unticked again.
    void ConfirmWarnings();
    EditorServices Editors();
    WindowHost& Host();
    // The run settings as a value; ask: whether "prompt Before" applies.
    RunOptions CurrentRunOptions(bool ask) const;
    // The catalogue entry of a row with the row's check mark.
    RunItem RowItem(std::int32_t row) const;
    // A run of the selected item (RunScope::Item) or of the selected child of
    // its list (the child scopes), with the lists' check marks; a run with no
    // item when none is selected.
    RunRequest SelectedItemRequest(RunScope scope, bool preview) const;
    // Hands one run to the controller; the runs over whole items select the
    // selected item again afterwards.
    RunEnd Run(const RunRequest& request, bool ask);
    // Wash Now, asking first when ask and "prompt Before" say so; as
    // WashNowWithoutConfirmation.
    bool WashAll(bool ask, bool tell);
    // Runs one command unless a run is already in progress or another wash
    // holds the wash lock (told to the user when tell); false when it did
    // not run for the lock.
    template <class F> bool Guarded(F&& run, bool tell = true);

    AppServices services_;
    std::optional<std::string> firstArgument_;
    PathMacros macros_;
    HtmlWashLog log_;
    MainWindowRunView runView_{*this};
    std::unique_ptr<RunController> run_;
    WindowHost* host_ = nullptr;
    bool running_ = false;
    bool activated_ = false;
    std::string hotKeysReported_; // the hot keys last reported as taken
};

// How a hot key reads to the user: "Ctrl+Alt+F".
std::string HotKeyText(const HotKeyCombination& c);

// The text shown for an error: its class name without namespaces.
std::string ErrorClassName(const std::exception& error);
// A type's name as the compiler records it, made readable, without namespaces.
std::string ReadableClassName(const char* mangled);

} // namespace quill
