#include "model/item_content.h"
#include "model/list_section.h"

namespace quill {

tItemContent::tItemContent(platform::FileSystem& fs, const std::string& fileName,
                           const std::string& itemName)
    : tItemContent(fs, IniFile(fs, fileName, IniAccess::OneCommand), itemName) {}

// ini: the item's file, open for this one load.
tItemContent::tItemContent(platform::FileSystem& fs, IniFile&& ini, const std::string& itemName)
    : ItemProperty{itemName, true, false, ini.FileName()}, Folders(fs, ini, itemName),
      Registers(fs, ini, itemName), fs_(&fs) {
    ReadWriteFlags(ini, Direction::Read);
    ReadWriteExtras(ini, Direction::Read);
}

void tItemContent::ReadWriteFlags(Direction d) {
    IniFile ini(*fs_, ItemProperty.txtfilename, IniAccess::OneCommand);
    ReadWriteFlags(ini, d);
    ini.Commit();
}

void tItemContent::ReadWriteFlags(IniFile& ini, Direction d) {
    SyncBool(ini, d, ItemProperty.ItemName, "IsActive", ItemProperty.IsActive, true);
    SyncBool(ini, d, ItemProperty.ItemName, "IsSpecial", ItemProperty.IsSpecial, false);
}

namespace {

std::string ExclusionKey(std::int32_t k) {
    std::string key = tItemContent::kExclusionPrefix;
    key += std::to_string(k);
    return key;
}

} // namespace

void tItemContent::ReadWriteExtras(IniFile& ini, Direction d) {
    const std::string& section = ItemProperty.ItemName;
    if (d == Direction::Read) {
        Warning = ini.ReadString(section, kWarningKey, "");
        Exclusions.clear();
        const std::int32_t n = ini.ReadCount(section, kExclusionTotalKey, kExclusionPrefix);
        for (std::int32_t k = 0; k < n; ++k) {
            std::string rule = ini.ReadString(section, ExclusionKey(k), "");
            if (!rule.empty()) {
                Exclusions.push_back(std::move(rule));
            }
        }
        return;
    }
    if (!Warning.empty()) {
        ini.WriteString(section, kWarningKey, Warning);
    }
    if (!Exclusions.empty()) {
        ini.WriteInteger(section, kExclusionTotalKey, static_cast<std::int32_t>(Exclusions.size()));
        for (std::size_t k = 0; k < Exclusions.size(); ++k) {
            ini.WriteString(section, ExclusionKey(static_cast<std::int32_t>(k)), Exclusions[k]);
        }
    }
}

void tItemContent::Rebind(const std::string& fileName, const std::string& itemName) {
    ItemProperty.txtfilename = fileName;
    ItemProperty.ItemName = itemName;
    Folders.Rebind(fileName, itemName);
    Registers.Rebind(fileName, itemName);
}

void tItemContent::WriteWhole(IniFile& ini) {
    ReadWriteFlags(ini, Direction::Write);
    Folders.Save(ini);
    Registers.Save(ini);
    ReadWriteExtras(ini, Direction::Write);
}

void tItemContent::AppendToFile(const std::string& fileName, const std::string& itemName,
                                bool active) {
    IniFile ini(*fs_, fileName, IniAccess::OneCommand);
    AppendToFile(ini, itemName, active);
    ini.Commit();
}

void tItemContent::AppendToFile(IniFile& ini, const std::string& itemName, bool active) {
    Rebind(ini.FileName(), itemName);
    const std::int32_t n = ini.ReadInteger(kListSection, kListTotal, 0);
    ini.WriteInteger(kListSection, kListTotal, n + 1);
    ini.WriteString(kListSection, ItemKey(n), itemName);
    ItemProperty.IsActive = active;
    WriteWhole(ini);
}

void tItemContent::Rename(const std::string& newName, bool active, std::int32_t position) {
    IniFile ini(*fs_, ItemProperty.txtfilename, IniAccess::OneCommand);
    try {
        ini.EraseSection(ItemProperty.ItemName);
    } catch (const EIniFileException&) {
        // An unreadable file: the writes below raise the same error.
    }
    Rebind(ItemProperty.txtfilename, newName);
    ini.WriteString(kListSection, ItemKey(position), newName);
    ItemProperty.IsActive = active;
    WriteWhole(ini);
    ini.Commit();
}

void tItemContent::RemoveFromFile(platform::FileSystem& fs, const std::string& fileName,
                                  const std::string& itemName, std::int32_t position) {
    IniFile ini(fs, fileName, IniAccess::OneCommand);
    try {
        ini.EraseSection(itemName);
    } catch (const EIniFileException&) {
        // An unreadable file: writing the list below raises the same error.
    }
    const std::int32_t n = ini.ReadCount(kListSection, kListTotal, kItemPrefix);
    for (std::int32_t k = position; k <= n - 2; ++k) {
        ini.WriteString(kListSection, ItemKey(k), ini.ReadString(kListSection, ItemKey(k + 1), ""));
    }
    if (n >= 1) {
        ini.DeleteKey(kListSection, ItemKey(n - 1));
    }
    ini.WriteInteger(kListSection, kListTotal, n >= 1 ? n - 1 : 0);
    ini.Commit();
}

} // namespace quill
