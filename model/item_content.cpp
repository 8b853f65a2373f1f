#include "model/item_content.h"
#include "model/list_section.h"

namespace quill {

tItemContent::tItemContent(platform::FileSystem& fs, const std::string& fileName,
                           const std::string& itemName)
    : ItemProperty{itemName, true, false, fileName}, Folders(fs, fileName, itemName),
      Registers(fs, fileName, itemName), fs_(&fs) {
    ReadWriteFlags(Direction::Read);
}

void tItemContent::ReadWriteFlags(Direction d) {
    IniFile ini(*fs_, ItemProperty.txtfilename);
    SyncBool(ini, d, ItemProperty.ItemName, "IsActive", ItemProperty.IsActive, true);
    SyncBool(ini, d, ItemProperty.ItemName, "IsSpecial", ItemProperty.IsSpecial, false);
}

void tItemContent::Rebind(const std::string& fileName, const std::string& itemName) {
    ItemProperty.txtfilename = fileName;
    ItemProperty.ItemName = itemName;
    Folders.Rebind(fileName, itemName);
    Registers.Rebind(fileName, itemName);
}

void tItemContent::WriteWhole() {
    ReadWriteFlags(Direction::Write);
    Folders.Save();
    Registers.Save();
}

void tItemContent::AppendToFile(const std::string& fileName, const std::string& itemName,
                                bool active) {
    Rebind(fileName, itemName);
    IniFile ini(*fs_, fileName);
    const std::int32_t n = ini.ReadInteger(kListSection, kListTotal, 0);
    ini.WriteInteger(kListSection, kListTotal, n + 1);
    ini.WriteString(kListSection, ItemKey(n), itemName);
    ItemProperty.IsActive = active;
    WriteWhole();
}

void tItemContent::Rename(const std::string& newName, bool active, std::int32_t position) {
    IniFile ini(*fs_, ItemProperty.txtfilename);
    try {
        ini.EraseSection(ItemProperty.ItemName);
    } catch (const EIniFileException&) {
        // The section is written anew below; a failed erase leaves old keys only.
    }
    Rebind(ItemProperty.txtfilename, newName);
    ini.WriteString(kListSection, ItemKey(position), newName);
    ItemProperty.IsActive = active;
    WriteWhole();
}

void tItemContent::RemoveFromFile(platform::FileSystem& fs, const std::string& fileName,
                                  const std::string& itemName, std::int32_t position) {
    IniFile ini(fs, fileName);
    try {
        ini.EraseSection(itemName);
    } catch (const EIniFileException&) {
        // Ignored: the list entry goes all the same.
    }
    const std::int32_t n = ini.ReadInteger(kListSection, kListTotal, 0);
    for (std::int32_t k = position; k <= n - 2; ++k) {
        ini.WriteString(kListSection, ItemKey(k), ini.ReadString(kListSection, ItemKey(k + 1), ""));
    }
    if (n >= 1) {
        ini.DeleteKey(kListSection, ItemKey(n - 1));
    }
    ini.WriteInteger(kListSection, kListTotal, n >= 1 ? n - 1 : 0);
}

} // namespace quill
