#pragma once

// The exclusion list: its size and control ids, in dialog units (the window
// tests use them too).

namespace quill::dialog::exclusion {

constexpr int kWidth = 310;
constexpr int kHeight = 172;

constexpr int kTextList = 1501;
constexpr int kListEntries = 1502;
// The small buttons right of the list, top to bottom.
constexpr int kButtonWildcard = 1503;
constexpr int kButtonFiles = 1504;
constexpr int kButtonUp = 1505;
constexpr int kButtonDown = 1506;
constexpr int kButtonClear = 1507;
constexpr int kButtonDelete = 1508;
constexpr int kButtonHelp = 1509;
constexpr int kButtonApply = 1510;
constexpr int kButtonCancel = 1511;

} // namespace quill::dialog::exclusion
