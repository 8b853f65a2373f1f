#pragma once

#include "model/item_list.h"
#include "platform/file_system.h"
#include "rules/winapp2_detect.h"

#include <string>
#include <string_view>
#include <vector>

// Import of winapp2.ini: every entry that applies on this machine becomes one
// wash item, written into a plug-in file per category in the program's
// plugin folder ("plugin\winapp2 <category>.txt"), so that it loads, orders,
// checks and exports like any other. Importing removes nothing on disk or in
// the registry.

namespace quill::rules {

struct ImportOptions {
    // Also the entries whose programs this machine does not have.
    bool allEntries = false;
};

struct ImportReport {
    int read = 0;
    int imported = 0;
    int notDetected = 0;
    // "Name: why", for entries that use what this program does not support.
    std::vector<std::string> unsupported;
    // "Name (line N): what is wrong", for malformed entries and lines.
    std::vector<std::string> malformed;
    // Plug-in files written, full paths.
    std::vector<std::string> files;

    // The report shown at the end of an import.
    std::string Text() const;
};

// existingNames: the items already in the catalogue (outside the files this
// import rewrites); an entry of such a name is not imported, so that no
// item hides another. A category file imported before is rewritten whole:
// its items are replaced by this import's. Raises EIniFileException("Unable
// to write to <file>") when a plug-in file cannot be written; the files
// written before it stay.
ImportReport ImportWinapp2(platform::FileSystem& fs, const std::string& appDir,
                           std::string_view text, const EntryDetector& detector,
                           const ImportOptions& options,
                           const std::vector<std::string>& existingNames);

// The names an import may not take: every item of the catalogue but those
// of the files an earlier import wrote (which this one rewrites).
std::vector<std::string> NamesTakenOutsideImports(const std::string& appDir,
                                                  const std::vector<titem_property>& catalogue);

// The plug-in file of a category: appDir + "plugin\winapp2 <category>.txt",
// characters a file name cannot hold replaced by "_".
std::string CategoryFile(const std::string& appDir, const std::string& category);

} // namespace quill::rules
