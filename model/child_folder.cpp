#include "model/child_folder.h"

namespace quill {

tChildFolder::tChildFolder(platform::FileSystem& fs, std::string fileName, std::string sectionName,
                           std::int32_t index)
    : bycategory(byRegister), FileName(std::move(fileName)), SectionName(std::move(sectionName)),
      Index(index), fs_(&fs) {
    ReadWrite(Direction::Read);
}

tChildFolder::tChildFolder(platform::FileSystem& fs, IniFile& ini, std::string sectionName,
                           std::int32_t index)
    : bycategory(byRegister), FileName(ini.FileName()), SectionName(std::move(sectionName)),
      Index(index), fs_(&fs) {
    ReadWrite(ini, Direction::Read);
}

tChildFolder::tChildFolder(const tChildFolder& o)
    : ChildItemName(o.ChildItemName), isactive(o.isactive), bycategory(o.bycategory),
      RegisterName(o.RegisterName), RegisterValueofName(o.RegisterValueofName),
      deletepath(o.deletepath), deletefilename(o.deletefilename),
      IsIncludeSubfolder(o.IsIncludeSubfolder), RemoveEmptyFolders(o.RemoveEmptyFolders),
      FileName(o.FileName), SectionName(o.SectionName), Index(o.Index), fs_(o.fs_) {}

tChildFolder& tChildFolder::operator=(const tChildFolder& o) {
    if (this != &o) {
        ChildItemName = o.ChildItemName;
        isactive = o.isactive;
        bycategory = o.bycategory;
        RegisterName = o.RegisterName;
        RegisterValueofName = o.RegisterValueofName;
        deletepath = o.deletepath;
        deletefilename = o.deletefilename;
        IsIncludeSubfolder = o.IsIncludeSubfolder;
        RemoveEmptyFolders = o.RemoveEmptyFolders;
        FileName = o.FileName;
        SectionName = o.SectionName;
        Index = o.Index;
        fs_ = o.fs_;
    }
    return *this;
}

void tChildFolder::ReadWrite(Direction d) {
    IniFile ini(*fs_, FileName, IniAccess::OneCommand);
    ReadWrite(ini, d);
    ini.Commit();
}

void tChildFolder::ReadWrite(IniFile& ini, Direction d) {
    const std::string p = kKeyPrefix + std::to_string(Index) + ".";
    SyncString(ini, d, SectionName, p + "ChildItemName", ChildItemName);
    SyncBool(ini, d, SectionName, p + "isactive", isactive, false);
    SyncString(ini, d, SectionName, p + "deletepath", deletepath);
    SyncString(ini, d, SectionName, p + "RegisterName", RegisterName);
    SyncString(ini, d, SectionName, p + "RegisterValueofName", RegisterValueofName);
    SyncString(ini, d, SectionName, p + "deletefilename", deletefilename);
    SyncKind(ini, d, SectionName, p + "bycategory", bycategory, byFolder);
    SyncBool(ini, d, SectionName, p + "IsIncludeSubfolder", IsIncludeSubfolder, false);
    const std::string removeEmpty = p + kRemoveEmptyFoldersKey;
    if (d == Direction::Read || RemoveEmptyFolders) {
        SyncBool(ini, d, SectionName, removeEmpty, RemoveEmptyFolders, false);
    } else {
        ini.DeleteKey(SectionName, removeEmpty); // left by a child once at this place
    }
}

} // namespace quill
