#include "app/main_window.h"

#include "engine/builtin_stores.h"
#include "engine/find_file.h"
#include "model/catalogue.h"
#include "model/data_files.h"
#include "platform/ini_file.h"
#include "settings/settings_file.h"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

namespace quill {

namespace {

using catalogue_files::kOrder;
using data_files::kLogFrame;
using data_files::kLogIndex;
using data_files::kLogSections;

std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

} // namespace

TFormMainQLMR::TFormMainQLMR(const AppServices& services, std::string appDir,
                             std::optional<std::string> firstArgument)
    : AppDir(WithBackslash(std::move(appDir))), Catalogue(services.fs), services_(services),
      firstArgument_(std::move(firstArgument)),
      macros_(services.system, services.registry, services.fs, AppDir + data_files::kSettings),
      log_(services.fs, services.clock, AppDir) {
    HelpFile = AppDir + data_files::kHelp;
    ProgramPath = AppDir + "quillmere.exe";
    int stale = 0; // temporary files of saves a crash cut short
    (void)services_.fs.RemoveStaleTempFiles(AppDir, stale);
    LabelSuccess.clear();
    LabelFails.clear();
    LabFolderSuccess.clear();
    LabFolderFails.clear();
    SpecialFiles = CollectSpecialFiles(services_.registry);
    run_ = std::make_unique<RunController>(
        RunServices{services_.fs, services_.registry, services_.system, services_.shell, log_,
                    macros_, SpecialFiles, AppDir + data_files::kSettings},
        CurrentRunOptions(true), runView_);
    FormDetect = std::make_unique<TFormDetect>(DetectServices{
        services_.fs, services_.registry, services_.system, services_.dialogs, services_.shell,
        services_.fileDialogs, macros_, AppDir, [this](const auto& includes, const auto& found) {
            // Folders only, exactly: a hidden or archive-marked one is left out.
            TFindFile search(services_.fs);
            search.IncludeFiles = includes;
            search.Attributes = ff::Directory;
            search.ExactAttribute = true;
            search.Subfolders = true;
            search.OnFound = [&](const std::string& folder, const platform::FileEntry& entry) {
                found(folder, entry.name);
            };
            search.Execute();
        }});
    ReadRunSettings();
    LoadCatalogue();
    FillItemList();
    if (ChListBoxItem.Count() > 0) {
        ChListBoxItem.ItemIndex = 0;
        SelectItem();
    }
    SetHotKeys(true);
    SetStatusMode(StatusMode::Idle);
    ShowSummary();
}

void TFormMainQLMR::ReadRunSettings() {
    const SettingsFile file(services_.fs, AppDir);
    const RunSettings s = file.ReadRunSettings();
    StartMinimized = s.AutoRun && s.IsMinimized && firstArgument_ && *firstArgument_ == "autorun";
    UseQuick = s.UseQuick;
    ScheduleFlags = s.ScheduleFlags;
    Timer1Enabled = (ScheduleFlags & schedule::Timed) != 0;
    if (Timer1Enabled) {
        LastTimedWash = services_.clock.Now();
    }
    ScheduleMinutes = s.ScheduleMinutes;
    PromptBefore = s.PromptBefore;
    WriteToLog = s.WriteToLog;
    DeleteLogOnExit = s.DeleteLogOnExit;
}

void TFormMainQLMR::LoadCatalogue() {
    ::quill::LoadCatalogue(services_.fs, AppDir, Catalogue);
}

void TFormMainQLMR::FillItemList() {
    ChListBoxItem.Clear();
    for (const titem_property& e : Catalogue.Items) {
        ChListBoxItem.Add(e.ItemName, e.IsActive);
    }
    MenuWash.clear();
    if (ChListBoxItem.Count() > 0) {
        MenuWash.push_back({"Wash all checked item", false, 0});
        MenuWash.push_back({"-", false, 0});
    }
    for (std::int32_t i = 0; i < ChListBoxItem.Count(); ++i) {
        MenuWash.push_back({ChListBoxItem.At(i).Text, ChListBoxItem.Checked(i), i + 100});
    }
}

void TFormMainQLMR::SelectItem() {
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || row >= Catalogue.Count()) {
        return;
    }
    CurrentItem.reset();
    const titem_property& entry = Catalogue.Items[static_cast<std::size_t>(row)];
    CurrentItem = std::make_unique<tItemContent>(services_.fs, entry.txtfilename, entry.ItemName);

    ChListBoxFolder.Clear();
    for (const tChildFolder& child : CurrentItem->Folders.Items) {
        ChListBoxFolder.Add(child.ChildItemName, child.isactive);
    }
    if (ChListBoxFolder.Count() > 0) {
        ChListBoxFolder.ItemIndex = 0;
    }
    ChListBoxRegister.Clear();
    for (const tChildRegister& child : CurrentItem->Registers.Items) {
        ChListBoxRegister.Add(child.ChildItemName, child.isactive);
    }
    if (ChListBoxRegister.Count() > 0) {
        ChListBoxRegister.ItemIndex = 0;
    }
    EnableItemCommands(row);
}

void TFormMainQLMR::EnableItemCommands(std::int32_t i) {
    if (i < 0 || i >= Catalogue.Count()) {
        return;
    }
    // A run keeps them disabled until it ends.
    const bool enabled = !Catalogue.Items[static_cast<std::size_t>(i)].IsSpecial && !running_;
    for (ControlState* c :
         {&btnPreviewCurrentItem, &SpEdit, &btnPreviewCurrentFolder, &btnWashFolder, &btnEditFolder,
          &btnaddfolder, &btndeletefolder, &btnPreviewCurrentRegister, &btnWashRegister,
          &btnAddRegsiterChild, &btnEditRegsiterChild, &btndeleteregister}) {
        c->Enabled = enabled;
    }
}

void TFormMainQLMR::EnableEditCommands(bool enabled) {
    for (ControlState* c : {&SpNew,
                            &SpEdit,
                            &SpDelete,
                            &btnUp,
                            &btnDown,
                            &btnSelectall,
                            &btnUnselectAll,
                            &btnaddfolder,
                            &btnEditFolder,
                            &btndeletefolder,
                            &SpeedButton1,
                            &SpeedButton4,
                            &btnAddRegsiterChild,
                            &btnEditRegsiterChild,
                            &btndeleteregister,
                            &SpeedButton6,
                            &SpeedButton5,
                            &btnsetting,
                            &btnExclude,
                            &SpeedButton7,
                            &btnImportWinapp2,
                            &btnSavePlugin,
                            &btnDeleteLog}) {
        c->Enabled = enabled;
    }
    for (CheckListBox* list : {&ChListBoxItem, &ChListBoxFolder, &ChListBoxRegister}) {
        list->Enabled = enabled;
    }
    if (enabled) {
        EnableItemCommands(ChListBoxItem.ItemIndex);
    }
}

bool TFormMainQLMR::RowIsSpecial(std::int32_t row) const {
    return row >= 0 && row < Catalogue.Count() &&
           Catalogue.Items[static_cast<std::size_t>(row)].IsSpecial;
}

void TFormMainQLMR::ShowSummary() {
    std::string text = "Washer Items Selected: " + std::to_string(ChListBoxItem.CheckedCount());
    text += UseQuick ? "     Secure Methed: OFF" : "     Secure Methed: ON";
    text += WriteToLog ? "      Write to Log: ON" : "      Write to Log: OFF";
    text += "      Schedule: ";
    if (ScheduleFlags == 0) {
        text += " NONE";
    } else {
        if (ScheduleFlags & schedule::AtStart) {
            text += "  'START'";
        }
        if (ScheduleFlags & schedule::AtShutdown) {
            text += "  'SHUT DOWN'";
        }
        if (ScheduleFlags & schedule::Timed) {
            text += "  'EVERY " + std::to_string(ScheduleMinutes) + "MIN'";
        }
    }
    LabelStatus = text;
}

std::int32_t TFormMainQLMR::ItemIndexInFile(platform::FileSystem& fs, const std::string& file,
                                            const std::string& name) {
    const IniFile ini(fs, file, IniAccess::OneCommand);
    const std::int32_t total = ini.ReadCount("Common", "Total", "Item");
    for (std::int32_t n = 0; n < total; ++n) {
        if (ini.ReadString("Common", "Item" + std::to_string(n), "") == name) {
            return n;
        }
    }
    return 0;
}

void TFormMainQLMR::ChListBoxItemClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    SelectItem();
}

void TFormMainQLMR::WriteBackSelectedItem() {
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || !CurrentItem) {
        return;
    }
    const titem_property& item = CurrentItem->ItemProperty;
    const std::int32_t n = ItemIndexInFile(services_.fs, item.txtfilename, item.ItemName);
    CurrentItem->Rename(item.ItemName, ChListBoxItem.Checked(row), n);
}

void TFormMainQLMR::TakeCheckMarksIntoCatalogue() {
    for (std::int32_t i = 0; i < ChListBoxItem.Count() && i < Catalogue.Count(); ++i) {
        Catalogue.Items[static_cast<std::size_t>(i)].IsActive = ChListBoxItem.Checked(i);
    }
    for (MenuEntry& entry : MenuWash) {
        if (entry.Tag >= 100 && ChListBoxItem.Valid(entry.Tag - 100)) {
            entry.Checked = ChListBoxItem.Checked(entry.Tag - 100);
        }
    }
}

std::string TFormMainQLMR::WarningOf(const titem_property& item) const {
    if (ShowsItem(item)) {
        return CurrentItem->Warning;
    }
    const IniFile ini(services_.fs, item.txtfilename, IniAccess::OneCommand);
    return ini.ReadString(item.ItemName, tItemContent::kWarningKey, "");
}

void TFormMainQLMR::ConfirmWarnings() {
    for (std::int32_t i = 0; i < ChListBoxItem.Count() && i < Catalogue.Count(); ++i) {
        const titem_property& item = Catalogue.Items[static_cast<std::size_t>(i)];
        if (!ChListBoxItem.Checked(i) || item.IsActive) {
            continue; // only a tick that is new now
        }
        const std::string warning = WarningOf(item);
        if (warning.empty()) {
            continue;
        }
        std::string question = item.ItemName;
        question += ":\r\r";
        question += warning;
        question += "\r\rCheck this item?";
        if (!services_.dialogs.ShowMessage(platform::MessageKind::Question, question)) {
            ChListBoxItem.SetChecked(i, false);
        }
    }
}

void TFormMainQLMR::ChListBoxItemClickCheck() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    ConfirmWarnings();
    WriteBackSelectedItem();
    TakeCheckMarksIntoCatalogue();
    ShowSummary();
}

void TFormMainQLMR::btnSelectallClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    for (std::int32_t i = 0; i < ChListBoxItem.Count(); ++i) {
        ChListBoxItem.SetChecked(i, true);
    }
    ChListBoxItemClickCheck();
}

void TFormMainQLMR::btnUnselectAllClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    for (std::int32_t i = 0; i < ChListBoxItem.Count(); ++i) {
        ChListBoxItem.SetChecked(i, false);
    }
    ChListBoxItemClickCheck();
}

void TFormMainQLMR::ChListBoxFolderClickCheck(std::int32_t row) {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    if (!CurrentItem || !ChListBoxFolder.Valid(row) || row >= CurrentItem->Folders.Count()) {
        return;
    }
    tChildFolder& child = CurrentItem->Folders.Items[static_cast<std::size_t>(row)];
    child.isactive = ChListBoxFolder.Checked(row);
    child.ReadWrite(Direction::Write);
}

void TFormMainQLMR::ChListBoxRegisterClickCheck(std::int32_t row) {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    if (!CurrentItem || !ChListBoxRegister.Valid(row) || row >= CurrentItem->Registers.Count()) {
        return;
    }
    tChildRegister& child = CurrentItem->Registers.Items[static_cast<std::size_t>(row)];
    child.isactive = ChListBoxRegister.Checked(row);
    child.ReadWrite(Direction::Write);
}

void TFormMainQLMR::btnViewLogClick() {
    if (!WriteToLog) {
        services_.dialogs.ShowMessage(
            platform::MessageKind::Information,
            "Note: The latest operation is not be written to the log files.\rBecause Write "
            "Operation to Log in Setting isn't to be checked!");
    }
    if (services_.fs.Exists(AppDir + kLogSections)) {
        // Where no program opens .htm files, the web browser shows the log;
        // where there is none either, the user learns which file to open.
        const std::string page = AppDir + kLogFrame;
        if (!services_.shell.Open(page, "") && !services_.shell.OpenInBrowser(page)) {
            std::string text = "The log cannot be shown: no program opens .htm files and no web "
                               "browser was found.\rThe log is the file ";
            text += page;
            services_.dialogs.ShowMessage(platform::MessageKind::Error, text);
        }
    } else {
        services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                      "No log file can be displayed !");
    }
}

void TFormMainQLMR::btnDeleteLogClick() {
    if (!services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "Do you want to delete log file?")) {
        return;
    }
    if (Succeeded(services_.fs.Delete(AppDir + kLogIndex)) &&
        Succeeded(services_.fs.Delete(AppDir + kLogSections))) {
        services_.dialogs.ShowMessage(platform::MessageKind::Information,
                                      "Log file is cleaned successful!");
    }
}

void TFormMainQLMR::SpeedButton2Click() {
    (void)services_.shell.Open(HelpFile, "");
}

void TFormMainQLMR::ShowHelpTopic(std::int32_t context) {
    (void)services_.shell.ShowHelp(HelpFile, context);
}

bool TFormMainQLMR::FormCloseQuery() const {
    return SpeedButton17.Enabled;
}

void TFormMainQLMR::FormClose() {
    SpecialFiles.clear();
    CurrentItem.reset();
    if (DeleteLogOnExit) {
        (void)services_.fs.Delete(AppDir + kLogIndex);
        (void)services_.fs.Delete(AppDir + kLogSections);
    }
    SetHotKeys(false);
}

void TFormMainQLMR::FormDestroy() {
    // The order file is written anew beside the old one and only then put in
    // its place, so a failed write never loses the order kept so far.
    platform::FileSystem& fs = services_.fs;
    const std::string path = AppDir + kOrder;
    const std::string fresh = path + ".new";
    (void)fs.Delete(fresh);
    Catalogue.SaveToFile(fresh);
    std::string bytes;
    if (!Succeeded(fs.ReadWholeFile(fresh, bytes)) ||
        !Succeeded(fs.ReplaceFileContent(path, bytes))) {
        (void)fs.Delete(fresh);
        throw EIniFileException("Unable to write to " + path);
    }
    (void)fs.Delete(fresh);
    Catalogue.Clear();
}

void TFormMainQLMR::ApplicationEventsException(const std::exception& error) {
    if (std::string(error.what()).find("I/O error") != std::string::npos) {
        return;
    }
    services_.dialogs.ShowMessage(platform::MessageKind::Notice,
                                  "Please catch the screen and send to MQ\r" +
                                      ErrorClassName(error));
}

void TFormMainQLMR::ApplicationEventsError(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            ApplicationEventsException(e);
        } catch (...) {
            const std::type_info* type = abi::__cxa_current_exception_type();
            services_.dialogs.ShowMessage(platform::MessageKind::Notice,
                                          "Please catch the screen and send to MQ\r" +
                                              ReadableClassName(type ? type->name() : "unknown"));
        }
    } catch (...) {
        // Showing the message failed: there is nobody left to tell.
    }
}

std::string ErrorClassName(const std::exception& error) {
    return ReadableClassName(typeid(error).name());
}

std::string ReadableClassName(const char* mangled) {
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : mangled;
    std::free(readable);
    const auto cut = name.rfind("::");
    return cut == std::string::npos ? name : name.substr(cut + 2);
}

} // namespace quill
