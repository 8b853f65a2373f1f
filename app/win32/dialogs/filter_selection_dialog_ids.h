#pragma once

// The filter selection dialog ("Select files by wildcard"): its size and
// control ids, in dialog units (the window tests use them too).

namespace quill::dialog::filter_selection {

constexpr int kWidth = 230;
constexpr int kHeight = 187;

constexpr int kTextFolder = 1601;
constexpr int kTextFolderPath = 1602;
constexpr int kTreeFolders = 1603;
constexpr int kTextWildcard = 1604;
constexpr int kComboWildcard = 1605;
constexpr int kButtonEditWildcard = 1606;
constexpr int kButtonOk = 1607;
constexpr int kButtonCancel = 1608;

} // namespace quill::dialog::filter_selection
