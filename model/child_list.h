#pragma once

#include "model/child_folder.h"
#include "model/child_register.h"
#include "model/ini_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quill {

// The ordered children of one wash item, of one kind. The child at position i
// has Index i and shares the list's FileName and SectionName.
template <class Child> class tChildList {
public:
    // Binds the list and loads its children from the file.
    tChildList(platform::FileSystem& fs, std::string fileName, std::string sectionName)
        : FileName(std::move(fileName)), SectionName(std::move(sectionName)), fs_(&fs) {
        IniFile ini(fs, FileName, IniAccess::OneCommand);
        LoadChildren(ini, ReadWriteTotal(ini, Direction::Read));
    }
    // The same, reading from the command's open file.
    tChildList(platform::FileSystem& fs, IniFile& ini, std::string sectionName)
        : FileName(ini.FileName()), SectionName(std::move(sectionName)), fs_(&fs) {
        LoadChildren(ini, ReadWriteTotal(ini, Direction::Read));
    }

    std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }

    // Reads the stored total (a negative one counts as 0, one above what
    // the file holds as the children present), or writes Count. Returns the
    // total read or written.
    std::int32_t ReadWriteTotal(Direction d) {
        IniFile ini(*fs_, FileName, IniAccess::OneCommand);
        const std::int32_t total = ReadWriteTotal(ini, d);
        ini.Commit();
        return total;
    }
    std::int32_t ReadWriteTotal(IniFile& ini, Direction d) {
        const std::string key = std::string(Child::kKeyPrefix) + ".Total";
        if (d == Direction::Write) {
            ini.WriteInteger(SectionName, key, Count());
            return Count();
        }
        const std::int32_t total = ini.ReadCount(SectionName, key, Child::kKeyPrefix);
        return total > 0 ? total : 0;
    }

    // Replaces the children by those stored at positions 0 to total - 1.
    void LoadChildren(std::int32_t total) {
        IniFile ini(*fs_, FileName, IniAccess::OneCommand);
        LoadChildren(ini, total);
    }
    void LoadChildren(IniFile& ini, std::int32_t total) {
        Items.clear();
        Items.reserve(static_cast<std::size_t>(total));
        for (std::int32_t i = 0; i < total; ++i) {
            Items.emplace_back(*fs_, ini, SectionName, i);
        }
    }

    // Appends a copy of the child; the caller gives it Index = Count().
    void Add(const Child& child) { Items.push_back(child); }

    void Replace(const Child& child, std::int32_t index) {
        if (index >= 0 && index < Count()) {
            Assign(Items[static_cast<std::size_t>(index)], child);
        }
    }

    void Delete(std::int32_t index) {
        if (index < 0 || index > Count() - 1) {
            return;
        }
        for (std::int32_t k = index; k < Count() - 1; ++k) {
            Assign(Items[static_cast<std::size_t>(k)], Items[static_cast<std::size_t>(k) + 1]);
        }
        Items.pop_back();
        for (std::size_t i = 0; i < Items.size(); ++i) {
            Items[i].Index = static_cast<std::int32_t>(i);
        }
    }

    static void Assign(Child& target, const Child& source) { target = source; }

    // Writes the total and every child with one replace of the file; on
    // failure the file stays as it was.
    void Save() {
        IniFile ini(*fs_, FileName, IniAccess::OneCommand);
        Save(ini);
        ini.Commit();
    }
    void Save(IniFile& ini) {
        ReadWriteTotal(ini, Direction::Write);
        for (auto& child : Items) {
            child.ReadWrite(ini, Direction::Write);
        }
    }

    // Memory only: the list and every child now belong to another file and item.
    void Rebind(const std::string& fileName, const std::string& sectionName) {
        FileName = fileName;
        SectionName = sectionName;
        for (auto& child : Items) {
            child.FileName = fileName;
            child.SectionName = sectionName;
        }
    }

    std::vector<Child> Items;
    std::string FileName;
    std::string SectionName;

private:
    platform::FileSystem* fs_;
};

using tFolder = tChildList<tChildFolder>;
using tRegister = tChildList<tChildRegister>;

} // namespace quill
