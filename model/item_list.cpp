#include "model/item_list.h"
#include "model/list_section.h"

#include "platform/ini_file.h"
#include "platform/text.h"

#include <algorithm>
#include <utility>

namespace quill {

void titem_list::LoadFromFile(const std::string& path) {
    const IniFile ini(*fs_, path, IniAccess::OneCommand);
    const std::int32_t n = ini.ReadCount(kListSection, kListTotal, kItemPrefix);
    Items.reserve(Items.size() + static_cast<std::size_t>(std::max(n, 0)));
    for (std::int32_t k = 0; k < n; ++k) {
        const std::string v = ini.ReadString(kListSection, ItemKey(k), "");
        if (text::Trim(v).empty()) {
            continue;
        }
        titem_property e;
        const auto sep = v.find(kOrderSeparator);
        if (sep != std::string::npos) {
            e.ItemName = v.substr(0, sep);
            e.txtfilename = ini.ReadString(v, "txtfilename", "");
        } else {
            e.ItemName = v;
            e.txtfilename = path;
        }
        e.IsActive = ini.ReadBool(v, "IsActive", true);
        e.IsSpecial = ini.ReadBool(v, "IsSpecial", false);
        Items.push_back(std::move(e));
    }
}

void titem_list::SaveToFile(const std::string& path) const {
    IniFile ini(*fs_, path, IniAccess::OneCommand);
    ini.WriteInteger(kListSection, kListTotal, Count());
    for (std::int32_t i = 0; i < Count(); ++i) {
        const titem_property& e = Items[static_cast<std::size_t>(i)];
        const std::string v = e.ItemName + kOrderSeparator + e.txtfilename;
        ini.WriteString(kListSection, ItemKey(i), v);
        ini.WriteString(v, "txtfilename", e.txtfilename);
        ini.WriteBool(v, "IsActive", e.IsActive);
        ini.WriteBool(v, "IsSpecial", e.IsSpecial);
    }
    ini.Commit();
}

bool titem_list::Contains(const titem_property& entry) const {
    for (const auto& e : Items) {
        if (e.ItemName == entry.ItemName && e.txtfilename == entry.txtfilename) {
            return true;
        }
    }
    return false;
}

void titem_list::AddCopy(const titem_property& entry) {
    if (!entry.ItemName.empty()) {
        Items.push_back(entry);
    }
}

void titem_list::MoveUp(std::int32_t i) {
    if (i >= 1 && i <= Count() - 1) {
        std::swap(Items[static_cast<std::size_t>(i) - 1], Items[static_cast<std::size_t>(i)]);
    }
}

void titem_list::MoveDown(std::int32_t i) {
    if (i >= 0 && i <= Count() - 2) {
        std::swap(Items[static_cast<std::size_t>(i)], Items[static_cast<std::size_t>(i) + 1]);
    }
}

} // namespace quill
