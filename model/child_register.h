#pragma once

#include "model/ini_record.h"
#include "platform/file_system.h"

#include <cstdint>
#include <string>

namespace quill {

// What a registry child removes.
enum CleanRegisterType : std::uint8_t {
    deleteKey = 0,         // the key with all its subkeys
    deleteAllValues = 1,   // every value of the key
    deleteSingleValue = 2, // one named value
};

// One registry child of a wash item, bound to its place in a wash-item file.
class tChildRegister {
public:
    static constexpr const char* kKeyPrefix = "tRegister";

    tChildRegister(platform::FileSystem& fs, std::string fileName, std::string sectionName,
                   std::int32_t index);
    // The same, reading from the command's open file.
    tChildRegister(platform::FileSystem& fs, IniFile& ini, std::string sectionName,
                   std::int32_t index);

    // Reads or writes the child's keys; a write is one replace of the file.
    void ReadWrite(Direction d);
    // The same inside a command on the child's file.
    void ReadWrite(IniFile& ini, Direction d);

    std::string ChildItemName;
    std::string RegisterKeyName;
    std::string RegisterSingleValue;
    ::quill::CleanRegisterType CleanRegisterType = deleteKey;
    bool isactive = false;
    std::string FileName;
    std::string SectionName;
    std::int32_t Index = 0;

private:
    platform::FileSystem* fs_;
};

} // namespace quill
