#pragma once

// The profile detection dialog: its size and control ids, in dialog units
// (the window tests use them too).

namespace quill::dialog::profile_detection {

constexpr int kWidth = 260;
constexpr int kHeight = 152;

constexpr int kTextFirstLine = 1801;
constexpr int kTextSecondLine = 1802;
constexpr int kListFolders = 1803;
constexpr int kButtonAuto = 1804;
constexpr int kButtonManual = 1805;
constexpr int kCheckDontShow = 1806;
constexpr int kButtonOk = 1807;
constexpr int kButtonCancel = 1808;

} // namespace quill::dialog::profile_detection
