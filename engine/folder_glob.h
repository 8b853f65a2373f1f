#pragma once

#include "platform/file_system.h"

#include <string>
#include <string_view>
#include <vector>

// Folder names with wildcards in a path: "{localappdata}\Google\Chrome\User
// Data\*\Cache" stands for the Cache folder of every profile.

namespace quill {

// True when a folder name of the path (not its last part) holds "*" or "?".
bool HasFolderWildcards(std::string_view path);

// The existing paths that the pattern names, in the order the folders list
// them. "*" and "?" may stand in any part; a part with them matches the
// long names of folders (never of links to folders: no reparse point is
// entered), and the last part also of files when lastMayBeFile. A pattern
// without wildcards gives itself when it exists.
std::vector<std::string> MatchPathPattern(platform::FileSystem& fs, const std::string& pattern,
                                          bool lastMayBeFile);

} // namespace quill
