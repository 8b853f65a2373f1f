#pragma once

// The wildcard dialog ("Edit Wildcard"): its size and control ids, in dialog
// units (the window tests use them too).

namespace quill::dialog::wildcard {

constexpr int kWidth = 200;
constexpr int kHeight = 169;

constexpr int kTextList = 1701;
constexpr int kListWildcards = 1702;
// The small buttons right of the list, top to bottom.
constexpr int kButtonDelete = 1703;
constexpr int kButtonClear = 1704;
constexpr int kButtonUp = 1705;
constexpr int kButtonDown = 1706;
constexpr int kTextAdd = 1707;
constexpr int kEditNew = 1708;
constexpr int kButtonAdd = 1709;
constexpr int kButtonHelp = 1710;
constexpr int kButtonOk = 1711;
constexpr int kButtonCancel = 1712;

} // namespace quill::dialog::wildcard
