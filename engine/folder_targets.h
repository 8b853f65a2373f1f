#pragma once

#include "engine/item_exclusions.h"
#include "engine/run_seam.h"
#include "locations/path_macros.h"
#include "model/child_folder.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/system_info.h"

#include <string>
#include <vector>

// Folder/file children turned into the full paths of the files they name.

namespace quill {

// What target collection works with; the main window hands it over.
struct TargetContext {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::SystemInfo& system;
    const PathMacros& macros;
    RunSeam& seam;
    SearchCounters& counters;
    std::string settingsFile; // wildcard.ini, whose exclusion list applies
};

// The folder named by the child's registry value; empty when the key or
// value is missing. Raises ERegistryException for a value that is not a string.
std::string ReadRegistryFolder(const tChildFolder& child, const TargetContext& context);

// The search path of the child: folder plus mask.
std::string ResolveChildPath(const tChildFolder& child, const TargetContext& context);

// Letters of the fixed and network drives, in alphabetical order ("CDZ").
std::string ListSearchDrives(platform::SystemInfo& system);

// Fills out with the child's targets in the order the search reports them.
// A search path without a folder part, and {AnyDrive} without any qualifying
// drive, yield nothing. Folder names with wildcards ("User Data\*\Cache")
// search every folder they match at this moment, found without entering a
// link to a folder. Cancellation returns what was found so far.
// Files the child's item keeps (keep, when given) are never listed. A child
// that removes the folders it leaves empty has its own folders recorded in
// the seam for the end of the wash.
void CollectFolderTargets(tChildFolder& child, std::vector<std::string>& out,
                          TargetContext& context, const ItemExclusions* keep = nullptr);

// The kilobytes a file adds to the running size: its size / 1024, at least 1.
std::int64_t SizeInKB(std::uint64_t bytes);

} // namespace quill
