#pragma once

#include "model/child_list.h"
#include "model/item_property.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quill {

// One wash item with its children, loaded from its wash-item file.
class tItemContent {
public:
    // Keys of the item's section beside its flags and children, written only
    // for an item that has them (items of older versions have none).
    static constexpr const char* kWarningKey = "Warning";
    static constexpr const char* kExclusionTotalKey = "Exclude.Total";
    static constexpr const char* kExclusionPrefix = "Exclude";

    // Reads the item's flags and both child lists from section itemName,
    // parsing the file once.
    tItemContent(platform::FileSystem& fs, const std::string& fileName,
                 const std::string& itemName);
    // The same, reading from a command's open file.
    tItemContent(platform::FileSystem& fs, IniFile& ini, const std::string& itemName)
        : tItemContent(fs, std::move(ini), itemName) {}

    // "IsActive" then "IsSpecial" in the item's section.
    void ReadWriteFlags(Direction d);
    void ReadWriteFlags(IniFile& ini, Direction d);

    // Memory only: binds the item, both lists and every child to another
    // file and name.
    void Rebind(const std::string& fileName, const std::string& itemName);

    // The three commands below each read the file once and replace it once;
    // a failure leaves it as it was.

    // Writes the whole item as the new last item of a file, creating it.
    void AppendToFile(const std::string& fileName, const std::string& itemName, bool active);
    // The same, within a command's open file (committed by the caller).
    void AppendToFile(IniFile& ini, const std::string& itemName, bool active);

    // Rewrites the item's section under a new (or the same) name, listed at
    // position of the file's item list; the section moves to the end.
    void Rename(const std::string& newName, bool active, std::int32_t position);

    // Removes an item's section and its entry at position from a file.
    static void RemoveFromFile(platform::FileSystem& fs, const std::string& fileName,
                               const std::string& itemName, std::int32_t position);

    // Shown when the user checks the item; empty: none.
    std::string Warning;
    // What the item's own removal keeps, one rule per entry (item_exclusions.h
    // reads them): "FILE|folder\|name", "PATH|folder\|mask" (that folder and
    // below), "REG|key" or "REG|key|value".
    std::vector<std::string> Exclusions;

    titem_property ItemProperty;
    tFolder Folders;
    tRegister Registers;

private:
    tItemContent(platform::FileSystem& fs, IniFile&& ini, const std::string& itemName);
    void WriteWhole(IniFile& ini);
    void ReadWriteExtras(IniFile& ini, Direction d);

    platform::FileSystem* fs_;
};

} // namespace quill
