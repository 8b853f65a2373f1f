#pragma once

// The registry entry editor: its size and control ids, in dialog units (the
// window tests use them too).

namespace quill::dialog::registry_child_editor {

constexpr int kWidth = 260;
constexpr int kHeight = 164;

constexpr int kTextName = 1301;
constexpr int kEditName = 1302;
constexpr int kCheckActive = 1303;
constexpr int kTextKeyName = 1304;
constexpr int kEditKeyName = 1305;
constexpr int kButtonOpenRegistry = 1306;
constexpr int kRadioSingleValue = 1307;
constexpr int kRadioAllValues = 1308;
constexpr int kRadioWholeKey = 1309;
constexpr int kTextValueName = 1310;
constexpr int kEditValueName = 1311;
constexpr int kButtonHelp = 1312;
constexpr int kButtonSave = 1313;
constexpr int kButtonCancel = 1314;

} // namespace quill::dialog::registry_child_editor
