#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The community rule database winapp2.ini read into its entries, key by key,
// without judging what the keys name: which entries apply on this machine
// and what they become is decided later.

namespace quill::rules {

// FileKeyN=path|patterns[|RECURSE|REMOVESELF]
struct FileKey {
    std::string path;                  // as written, with its %variables%
    std::vector<std::string> patterns; // one or more masks
    bool recurse = false;
    bool removeSelf = false;
};

// RegKeyN=key or RegKeyN=key|valuename
struct RegKey {
    std::string key;                  // as written, the root possibly abbreviated
    std::optional<std::string> value; // one value only, when given
};

// ExcludeKeyN=FILE|folder\|name, PATH|folder\|mask or REG|key[|value]
struct ExcludeKey {
    enum class Kind { File, Path, Reg };
    Kind kind = Kind::File;
    std::string where; // the folder or the key
    std::string what;  // the file name, the mask or the value name; may be empty
};

struct Winapp2Entry {
    std::string name; // the section name without its closing " *"
    int line = 0;     // of the section header, from 1
    std::optional<int> langSecRef;
    std::string section;                 // the free category name of Section=
    std::vector<std::string> detect;     // registry keys
    std::vector<std::string> detectFile; // files or folders
    std::string detectOs;
    bool specialDetect = false;
    std::string warning;
    std::optional<bool> defaultOn;
    std::vector<FileKey> fileKeys;
    std::vector<RegKey> regKeys;
    std::vector<ExcludeKey> excludeKeys;
    // Keys this reader does not know or could not read, as "Key=value".
    std::vector<std::string> unknown;
    // What was wrong with the entry's lines; an entry with problems is not
    // imported.
    std::vector<std::string> problems;
};

struct Winapp2File {
    std::vector<Winapp2Entry> entries;
    // Lines outside any entry that are neither blank nor comments.
    std::vector<std::string> strayLines;
};

// text: the whole file, UTF-8 (a byte-order mark is skipped); any line end.
Winapp2File ParseWinapp2(std::string_view text);

// The category an entry is filed under: the name of its LangSecRef number,
// else its Section text, else "Other".
std::string CategoryOf(const Winapp2Entry& entry);

} // namespace quill::rules
