#pragma once

// Control identifiers of the main window, shared by the window and the tests
// that drive it on screen. One range per part of the window.

namespace quill::win32app::mainids {

// Top toolbar, left to right; the two Cancel buttons share one place.
constexpr int IDB_SETTING = 100;        // btnsetting
constexpr int IDB_EXCLUDE = 101;        // btnExclude
constexpr int IDB_VIEW_LOG = 102;       // btnViewLog
constexpr int IDB_DELETE_LOG = 103;     // btnDeleteLog
constexpr int IDB_IMPORT = 104;         // SpeedButton7
constexpr int IDB_EXPORT = 105;         // btnSavePlugin
constexpr int IDB_ABOUT = 106;          // SpeedButton3
constexpr int IDB_HELP = 107;           // SpeedButton2
constexpr int IDB_MAIN_PREVIEW = 108;   // btnMainPreview
constexpr int IDB_WASH_ALL = 109;       // btnWashAll
constexpr int IDB_MAIN_CANCEL = 110;    // spMainCancel
constexpr int IDB_CANCEL_PREVIEW = 111; // SpCancelPreview
constexpr int IDB_EXIT = 112;           // SpeedButton17
constexpr int IDB_IMPORT_WINAPP2 = 113; // btnImportWinapp2, beside Import

// The three check lists.
constexpr int IDL_ITEMS = 200;     // ChListBoxItem
constexpr int IDL_FOLDERS = 201;   // ChListBoxFolder
constexpr int IDL_REGISTERS = 202; // ChListBoxRegister

// Beside the wash item list, top down.
constexpr int IDB_PREVIEW_ITEM = 300;  // btnPreviewCurrentItem
constexpr int IDB_WASH_ITEM = 301;     // btnWashSingle
constexpr int IDB_NEW_ITEM = 302;      // SpNew
constexpr int IDB_EDIT_ITEM = 303;     // SpEdit
constexpr int IDB_DELETE_ITEM = 304;   // SpDelete
constexpr int IDB_ITEM_UP = 305;       // btnUp
constexpr int IDB_ITEM_DOWN = 306;     // btnDown
constexpr int IDB_CHECK_ITEMS = 307;   // btnSelectall
constexpr int IDB_UNCHECK_ITEMS = 308; // btnUnselectAll

// The folder/file box, top down.
constexpr int IDB_PREVIEW_FOLDER = 400;  // btnPreviewCurrentFolder
constexpr int IDB_WASH_FOLDER = 401;     // btnWashFolder
constexpr int IDB_ADD_FOLDER = 402;      // btnaddfolder
constexpr int IDB_EDIT_FOLDER = 403;     // btnEditFolder
constexpr int IDB_DELETE_FOLDER = 404;   // btndeletefolder
constexpr int IDB_CHECK_FOLDERS = 405;   // SpeedButton1
constexpr int IDB_UNCHECK_FOLDERS = 406; // SpeedButton4

// The registry box, top down.
constexpr int IDB_PREVIEW_REGISTER = 500;  // btnPreviewCurrentRegister
constexpr int IDB_WASH_REGISTER = 501;     // btnWashRegister
constexpr int IDB_ADD_REGISTER = 502;      // btnAddRegsiterChild
constexpr int IDB_EDIT_REGISTER = 503;     // btnEditRegsiterChild
constexpr int IDB_DELETE_REGISTER = 504;   // btndeleteregister
constexpr int IDB_CHECK_REGISTERS = 505;   // SpeedButton6
constexpr int IDB_UNCHECK_REGISTERS = 506; // SpeedButton5

// The status strip at the bottom.
constexpr int IDS_STATUS = 600;

} // namespace quill::win32app::mainids
