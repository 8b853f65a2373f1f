#pragma once

// The preferences dialog: its size and control ids, in dialog units (the
// window tests use them too).

namespace quill::dialog::preferences {

constexpr int kWidth = 260;
constexpr int kHeight = 150;

constexpr int kTabPages = 1401;
// "Run"
constexpr int kCheckRun = 1410;
constexpr int kCheckMinimized = 1411;
constexpr int kCheckDetect = 1412;
constexpr int kButtonRedetect = 1413;
// "Schedule"
constexpr int kTextSchedule = 1420;
constexpr int kCheckWhenStarted = 1421;
constexpr int kCheckWhenShutdown = 1422;
constexpr int kCheckEvery = 1423;
constexpr int kEditMinutes = 1424;
constexpr int kSpinMinutes = 1425;
constexpr int kTextMinutes = 1426;
// "HotKey"
constexpr int kTextCloseBrowsers = 1430;
constexpr int kComboControl = 1431;
constexpr int kTextPlus = 1432;
constexpr int kComboChar = 1433;
constexpr int kTextWashChecked = 1434;
constexpr int kComboControlNew = 1435;
constexpr int kTextPlusNew = 1436;
constexpr int kComboCharNew = 1437;
// "Options"
constexpr int kCheckEraseSafe = 1440;
constexpr int kCheckWriteToLog = 1441;
constexpr int kCheckDeleteOnExit = 1442;
constexpr int kCheckPrompt = 1443;
// Below the pages.
constexpr int kButtonHelp = 1450;
constexpr int kButtonApply = 1451;
constexpr int kButtonClose = 1452;

} // namespace quill::dialog::preferences
