#include "app/win32/main_commands.h"

#include "app/win32/main_frame_ids.h"

namespace quill::win32app {

namespace {

using namespace mainids;

// Top toolbar, left to right; Exit stands apart at the right end.
const MainCommand kToolbar[] = {
    {IDB_SETTING, L"Preferences", &TFormMainQLMR::btnsetting, &TFormMainQLMR::btnsettingClick,
     kGlyphPreferences},
    {IDB_EXCLUDE, L"Select Files to Exclude", &TFormMainQLMR::btnExclude,
     &TFormMainQLMR::btnExcludeClick, kGlyphExclude},
    {IDB_VIEW_LOG, L"View Log", nullptr, &TFormMainQLMR::btnViewLogClick, kGlyphViewLog},
    {IDB_DELETE_LOG, L"Delete Log", &TFormMainQLMR::btnDeleteLog, &TFormMainQLMR::btnDeleteLogClick,
     kGlyphDeleteLog},
    {IDB_IMPORT, L"Import Wash Items from PlugIn File", &TFormMainQLMR::SpeedButton7,
     &TFormMainQLMR::SpeedButton7Click, kGlyphImport},
    {IDB_IMPORT_WINAPP2, L"Import winapp2.ini", &TFormMainQLMR::btnImportWinapp2,
     &TFormMainQLMR::btnImportWinapp2Click, kGlyphImport},
    {IDB_EXPORT, L"Export Wash Items Selected to PlugIn File", &TFormMainQLMR::btnSavePlugin,
     &TFormMainQLMR::btnSavePluginClick, kGlyphExport},
    {IDB_ABOUT, L"About...", nullptr, &TFormMainQLMR::SpeedButton3Click, kGlyphAbout},
    {IDB_HELP, L"Help", nullptr, &TFormMainQLMR::SpeedButton2Click, kGlyphHelp},
    {IDB_MAIN_PREVIEW, L"Preview All Wash Items Checked", &TFormMainQLMR::btnMainPreview,
     &TFormMainQLMR::btnMainPreviewClick, kGlyphPreview},
    {IDB_WASH_ALL, L"Clean All Wash Items Checked", &TFormMainQLMR::btnWashAll,
     &TFormMainQLMR::btnWashAllClick, kGlyphWash},
};
const MainCommand kExit{IDB_EXIT, L"Exit", &TFormMainQLMR::SpeedButton17, nullptr, kGlyphExit};
// The two Cancel buttons, captioned, in one place right of Wash Now.
const MainCommand kCancels[] = {
    {IDB_MAIN_CANCEL, L"Cancel Operation", &TFormMainQLMR::spMainCancel,
     &TFormMainQLMR::spMainCancelClick, kGlyphNone, L"Cancel"},
    {IDB_CANCEL_PREVIEW, L"Cancel Operation", &TFormMainQLMR::SpCancelPreview,
     &TFormMainQLMR::SpCancelPreviewClick, kGlyphNone, L"Cancel"},
};

// Beside the wash item list, top down.
const MainCommand kItemCommands[] = {
    {IDB_PREVIEW_ITEM, L"Preview Current Wash Item", &TFormMainQLMR::btnPreviewCurrentItem,
     &TFormMainQLMR::btnPreviewCurrentItemClick, kGlyphPreview},
    {IDB_WASH_ITEM, L"Clean Current Wash Item", &TFormMainQLMR::btnWashSingle,
     &TFormMainQLMR::btnWashSingleClick, kGlyphWash},
    {IDB_NEW_ITEM, L"Add Wash Item", &TFormMainQLMR::SpNew, &TFormMainQLMR::SpNewClick, kGlyphAdd},
    {IDB_EDIT_ITEM, L"Edit Current Wash Item", &TFormMainQLMR::SpEdit, &TFormMainQLMR::SpEditClick,
     kGlyphEdit},
    {IDB_DELETE_ITEM, L"Delete Current Wash Item", &TFormMainQLMR::SpDelete,
     &TFormMainQLMR::SpDeleteClick, kGlyphDelete},
    {IDB_ITEM_UP, L"Up Current Wash Item", &TFormMainQLMR::btnUp, &TFormMainQLMR::btnUpClick,
     kGlyphUp},
    {IDB_ITEM_DOWN, L"Down Current Wash Item", &TFormMainQLMR::btnDown,
     &TFormMainQLMR::btnDownClick, kGlyphDown},
    {IDB_CHECK_ITEMS, L"Check All Wash Items", &TFormMainQLMR::btnSelectall,
     &TFormMainQLMR::btnSelectallClick, kGlyphCheckAll},
    {IDB_UNCHECK_ITEMS, L"UnCheck All Wash Items", &TFormMainQLMR::btnUnselectAll,
     &TFormMainQLMR::btnUnselectAllClick, kGlyphUncheckAll},
};

// The folder/file box, top down.
const MainCommand kFolderCommands[] = {
    {IDB_PREVIEW_FOLDER, L"Preview Files of Current Item", &TFormMainQLMR::btnPreviewCurrentFolder,
     &TFormMainQLMR::btnPreviewCurrentFolderClick, kGlyphPreview},
    {IDB_WASH_FOLDER, L"Clean Files of Current Item", &TFormMainQLMR::btnWashFolder,
     &TFormMainQLMR::btnWashFolderClick, kGlyphWash},
    {IDB_ADD_FOLDER, L"Add Folder/File Item", &TFormMainQLMR::btnaddfolder,
     &TFormMainQLMR::btnaddfolderClick, kGlyphAdd},
    {IDB_EDIT_FOLDER, L"Edit Current Folder/File Item", &TFormMainQLMR::btnEditFolder,
     &TFormMainQLMR::btnEditFolderClick, kGlyphEdit},
    {IDB_DELETE_FOLDER, L"Delete Current Folder/File Item", &TFormMainQLMR::btndeletefolder,
     &TFormMainQLMR::btndeletefolderClick, kGlyphDelete},
    {IDB_CHECK_FOLDERS, L"Check All Wash Items", &TFormMainQLMR::SpeedButton1,
     &TFormMainQLMR::SpeedButton1Click, kGlyphCheckAll},
    {IDB_UNCHECK_FOLDERS, L"UnCheck All Wash Items", &TFormMainQLMR::SpeedButton4,
     &TFormMainQLMR::SpeedButton4Click, kGlyphUncheckAll},
};

// The registry box, top down.
const MainCommand kRegisterCommands[] = {
    {IDB_PREVIEW_REGISTER, L"Preview Registry Entry of Current Item",
     &TFormMainQLMR::btnPreviewCurrentRegister, &TFormMainQLMR::btnPreviewCurrentRegisterClick,
     kGlyphPreview},
    {IDB_WASH_REGISTER, L"Wash Registry Entry of Current Item", &TFormMainQLMR::btnWashRegister,
     &TFormMainQLMR::btnWashRegisterClick, kGlyphWash},
    {IDB_ADD_REGISTER, L"Add Registry Entry Item", &TFormMainQLMR::btnAddRegsiterChild,
     &TFormMainQLMR::btnAddRegsiterChildClick, kGlyphAdd},
    {IDB_EDIT_REGISTER, L"Edit Current Registry Entry Item", &TFormMainQLMR::btnEditRegsiterChild,
     &TFormMainQLMR::btnEditRegsiterChildClick, kGlyphEdit},
    {IDB_DELETE_REGISTER, L"Delete Registry Entry Item", &TFormMainQLMR::btndeleteregister,
     &TFormMainQLMR::btndeleteregisterClick, kGlyphDelete},
    {IDB_CHECK_REGISTERS, L"Check All Wash Items", &TFormMainQLMR::SpeedButton6,
     &TFormMainQLMR::SpeedButton6Click, kGlyphCheckAll},
    {IDB_UNCHECK_REGISTERS, L"UnCheck All Wash Items", &TFormMainQLMR::SpeedButton5,
     &TFormMainQLMR::SpeedButton5Click, kGlyphUncheckAll},
};

} // namespace

std::span<const MainCommand> ToolbarCommands() {
    return kToolbar;
}

const MainCommand& ExitCommand() {
    return kExit;
}

const MainCommand& MainCancelCommand() {
    return kCancels[0];
}

const MainCommand& PreviewCancelCommand() {
    return kCancels[1];
}

std::span<const MainCommand> ItemCommands() {
    return kItemCommands;
}

std::span<const MainCommand> FolderCommands() {
    return kFolderCommands;
}

std::span<const MainCommand> RegisterCommands() {
    return kRegisterCommands;
}

} // namespace quill::win32app
