#pragma once

// Control identifiers of the preview dialogs, shared by the window and the
// tests that drive it on screen. The lists and their small buttons count up
// from their base by page.

namespace quill::win32app::previewids {

constexpr int IDB_WASH = 10;
constexpr int IDB_CLOSE = 11;
constexpr int IDC_PAGES = 12;
constexpr int IDL_FIRST_LIST = 100;         // + page
constexpr int IDB_FIRST_SELECT_ALL = 200;   // + page
constexpr int IDB_FIRST_UNSELECT_ALL = 300; // + page

} // namespace quill::win32app::previewids
