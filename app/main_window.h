#pragma once

#include "app/app_services.h"
#include "app/controls.h"
#include "engine/run_seam.h"
#include "model/wash_items.h"
#include "platform/wall_clock.h"

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

class TFormMainQLMR {
public:
    static constexpr const char* kCaption = "Quillmere V1.09 Build 4";
    static constexpr std::int32_t kHelpContext = 58;

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
    // Whether the window may close now: not while a run holds Exit disabled.
    bool FormCloseQuery() const;
    void FormClose();
    // Writes the order file anew from the catalogue.
    void FormDestroy();
    // The one handler of errors that reach the event loop.
    void ApplicationEventsException(const std::exception& error);

    // --- State ---
    std::string AppDir;
    std::string HelpFile;
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
    bool CancelRequested = false;
    bool StopRequested = false;
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

    std::string LabelStatus;
    std::string LabelSuccess, LabelFails, LabFolderSuccess, LabFolderFails;

    // True when the row's catalogue entry is special (drawn in red).
    bool RowIsSpecial(std::int32_t row) const;

private:
    // Writes the selected wash item back to its file with its row's check.
    void WriteBackSelectedItem();
    void TakeCheckMarksIntoCatalogue();

    AppServices services_;
    std::optional<std::string> firstArgument_;
};

// The text shown for an error: its class name without namespaces.
std::string ErrorClassName(const std::exception& error);

} // namespace quill
