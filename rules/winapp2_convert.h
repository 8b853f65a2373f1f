#pragma once

#include "model/child_register.h"
#include "rules/winapp2_parser.h"

#include <optional>
#include <string>
#include <vector>

// A winapp2 entry turned into what a wash item holds: its paths written with
// the program's path macros, its registry keys with whole root names.

namespace quill::rules {

struct ImportedFolder {
    std::string name;       // shown in the child list
    std::string deletepath; // folder, backslash, mask
    bool includeSubfolders = false;
    bool removeEmptyFolders = false; // REMOVESELF
};

struct ImportedRegister {
    std::string name;
    std::string key; // "HKEY_CURRENT_USER\...\" with its trailing backslash
    std::string value;
    CleanRegisterType type = deleteKey;
};

struct ImportedItem {
    std::string name;
    std::string category;
    bool active = false;
    std::string warning;
    // What the item's removal keeps (tItemContent::Exclusions), with macros.
    std::vector<std::string> exclusions;
    std::vector<ImportedFolder> folders;
    std::vector<ImportedRegister> registers;
    std::vector<std::string> detectKeys;  // whole root names, no trailing backslash
    std::vector<std::string> detectFiles; // with macros; may hold wildcards
};

struct Conversion {
    std::optional<ImportedItem> item;
    // Why the entry cannot be imported, when it cannot.
    std::string skipped;
    // True when the entry's lines are malformed (rather than using what
    // this program does not support).
    bool malformed = false;
};

// folderWildcards: whether folder names with wildcards can be searched.
Conversion ConvertEntry(const Winapp2Entry& entry, bool folderWildcards);

// The path with its %variables% written as the program's macros; every
// alternative when a variable stands for several folders (%ProgramFiles%:
// both program files folders). Empty, with the variable in missing, when a
// variable has no macro.
std::vector<std::string> ToMacroPaths(const std::string& path, std::string& missing);

// "HKCU\Software\X" -> "HKEY_CURRENT_USER\Software\X"; empty when the root
// is not a registry root.
std::string WholeRootKey(const std::string& key);

} // namespace quill::rules
