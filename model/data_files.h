#pragma once

// The program's own data files other than the catalogue's, by their names in
// the program folder.

namespace quill::data_files {

inline constexpr const char* kSettings = "wildcard.ini";
inline constexpr const char* kLogFrame = "log.htm";      // shipped: shows the two below
inline constexpr const char* kLogIndex = "left.htm";     // one line per wash
inline constexpr const char* kLogSections = "right.htm"; // what each wash removed
inline constexpr const char* kHelp = "help.chm";

} // namespace quill::data_files
