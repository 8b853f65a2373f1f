#pragma once

// The wash item editor: its size and control ids, in dialog units (the
// window tests use them too).

namespace quill::dialog::wash_item_editor {

constexpr int kWidth = 200;
constexpr int kHeight = 100;

constexpr int kTextName = 1101;
constexpr int kEditName = 1102;
constexpr int kCheckActive = 1103;
constexpr int kTextStoredIn = 1104;
constexpr int kTextStore = 1105;
constexpr int kButtonSave = 1106;
constexpr int kButtonCancel = 1107;

} // namespace quill::dialog::wash_item_editor
