#pragma once

#include "model/ini_record.h"
#include "platform/file_system.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quill {

// Where a folder/file child finds its files.
enum bycategory : std::uint8_t {
    byRegister = 0, // every file of the folder named by a registry value
    byFolder = 1,   // the files matching a mask in a folder
    bySingle = 2,   // one file
};

// One folder/file child of a wash item, bound to its place in a wash-item file.
class tChildFolder {
public:
    static constexpr const char* kKeyPrefix = "tFolder";
    // Written only for a child that has it set: files of older versions,
    // and children without it, keep exactly the keys they always had.
    static constexpr const char* kRemoveEmptyFoldersKey = "RemoveEmptyFolders";

    // Binds the child and reads its keys; missing keys give the defaults.
    tChildFolder(platform::FileSystem& fs, std::string fileName, std::string sectionName,
                 std::int32_t index);
    // The same, reading from the command's open file.
    tChildFolder(platform::FileSystem& fs, IniFile& ini, std::string sectionName,
                 std::int32_t index);
    // Copies persistent fields and binding; never FoundFiles.
    tChildFolder(const tChildFolder& other);
    tChildFolder& operator=(const tChildFolder& other);

    // Reads or writes the child's keys; a write is one replace of the file.
    void ReadWrite(Direction d);
    // The same inside a command on the child's file.
    void ReadWrite(IniFile& ini, Direction d);

    std::string ChildItemName;
    bool isactive = false;
    ::quill::bycategory bycategory = byFolder;
    std::string RegisterName;
    std::string RegisterValueofName;
    std::string deletepath;
    std::string deletefilename;
    bool IsIncludeSubfolder = false;
    // After a wash, also remove the folders its removal left empty, from the
    // deepest up to the child's own folder (never a folder above it).
    bool RemoveEmptyFolders = false;
    std::string FileName;
    std::string SectionName;
    std::int32_t Index = 0;
    // Paths found by one target collection; absent otherwise.
    std::unique_ptr<std::vector<std::string>> FoundFiles;

private:
    platform::FileSystem* fs_;
};

} // namespace quill
