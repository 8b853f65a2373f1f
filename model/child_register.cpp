#include "model/child_register.h"

namespace quill {

tChildRegister::tChildRegister(platform::FileSystem& fs, std::string fileName,
                               std::string sectionName, std::int32_t index)
    : FileName(std::move(fileName)), SectionName(std::move(sectionName)), Index(index), fs_(&fs) {
    ReadWrite(Direction::Read);
}

tChildRegister::tChildRegister(platform::FileSystem& fs, IniFile& ini, std::string sectionName,
                               std::int32_t index)
    : FileName(ini.FileName()), SectionName(std::move(sectionName)), Index(index), fs_(&fs) {
    ReadWrite(ini, Direction::Read);
}

void tChildRegister::ReadWrite(Direction d) {
    IniFile ini(*fs_, FileName, IniAccess::OneCommand);
    ReadWrite(ini, d);
    ini.Commit();
}

void tChildRegister::ReadWrite(IniFile& ini, Direction d) {
    const std::string p = kKeyPrefix + std::to_string(Index) + ".";
    SyncString(ini, d, SectionName, p + "ChildItemName", ChildItemName);
    SyncString(ini, d, SectionName, p + "RegisterKeyName", RegisterKeyName);
    SyncString(ini, d, SectionName, p + "RegisterSingleValue", RegisterSingleValue);
    SyncBool(ini, d, SectionName, p + "isactive", isactive, false);
    SyncKind(ini, d, SectionName, p + "CleanRegisterType", CleanRegisterType, deleteKey);
}

} // namespace quill
