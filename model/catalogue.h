#pragma once

#include "model/item_list.h"
#include "platform/file_system.h"

#include <string>
#include <vector>

namespace quill {

// The catalogue's files, relative to the program folder.
namespace catalogue_files {
inline constexpr const char* kSystemItems = "const\\system.txt"; // shipped with the program
inline constexpr const char* kUserItems = "const\\user.txt";
inline constexpr const char* kPluginFolder = "plugin";
inline constexpr const char* kOrder = "order.ini";
} // namespace catalogue_files

// The wash-item files of the program folder appDir (with trailing
// backslash), in loading order: const\system.txt, const\user.txt, then each
// plugin\*.txt in the order the folder lists them.
std::vector<std::string> WashItemFiles(platform::FileSystem& fs, const std::string& appDir);

// Rebuilds the catalogue from every wash-item file and order.ini: the
// remembered order first, then every item not remembered, in file order.
void LoadCatalogue(platform::FileSystem& fs, const std::string& appDir, titem_list& catalogue);

} // namespace quill
