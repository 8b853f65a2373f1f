#pragma once

// The folder/file entry editor: its size and control ids, in dialog units
// (the window tests use them too).

namespace quill::dialog::folder_child_editor {

constexpr int kWidth = 260;
constexpr int kHeight = 233;

constexpr int kTextName = 1201;
constexpr int kEditName = 1202;
constexpr int kCheckActive = 1203;
constexpr int kRadioSingle = 1204;
constexpr int kRadioFolder = 1205;
constexpr int kRadioRegister = 1206;
constexpr int kEditSingle = 1207;
constexpr int kButtonSelectFile = 1208;
constexpr int kEditFolder = 1209;
constexpr int kButtonAddWildcard = 1210;
constexpr int kTextKeyName = 1211;
constexpr int kEditRegister = 1212;
constexpr int kButtonOpenRegistry = 1213;
constexpr int kTextValueName = 1214;
constexpr int kEditRegisterValue = 1215;
constexpr int kCheckIncludeSubfolder = 1216;
constexpr int kButtonHelp = 1217;
constexpr int kButtonSave = 1218;
constexpr int kButtonCancel = 1219;
constexpr int kCheckRemoveEmptyFolders = 1220;

} // namespace quill::dialog::folder_child_editor
