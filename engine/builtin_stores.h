#pragma once

#include "log/wash_log.h"
#include "platform/registry.h"
#include "platform/shell.h"

#include <stdexcept>
#include <string>
#include <vector>

// Special items: stores that are emptied by built-in code chosen by the wash
// item's name, and the two browser index files that stay locked while the
// browser shell runs.

namespace quill {

inline constexpr const char* kRecycleBinItem = "Recycle Bin";
inline constexpr const char* kBrowserHistoryItem = "The history of Internet Explorer";

// Raised when the browser's URL history store is not available.
class EOleSysError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Cleans one special item by its exact name and, when a log is given, writes
// a log section of its own with one successful row. A name that is not
// recognised cleans nothing and is logged all the same.
void CleanSpecialItem(const std::string& name, platform::Shell& shell, WashLog* log);

void EmptyRecycleBin(platform::Shell& shell);
void ClearBrowserHistory(platform::Shell& shell);

// The cookies and cache index files of the current user: entry 0 the
// cookies index, entry 1 the cache index. A missing or empty folder value
// leaves an empty entry so that the positions keep their meaning.
std::vector<std::string> CollectSpecialFiles(platform::Registry& registry);

// True when a failed removal of path is that of a browser index file, which
// counts as removed.
bool IsSpecialFile(const std::vector<std::string>& specialFiles, const std::string& path);

} // namespace quill
