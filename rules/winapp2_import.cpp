#include "rules/winapp2_import.h"

#include "model/item_content.h"
#include "model/list_section.h"
#include "platform/ini_file.h"
#include "platform/text.h"

#include <map>
#include <set>

namespace quill::rules {

namespace {

// Case-folded names, for the look-ups of the import.
class NameSet {
public:
    bool Contains(const std::string& name) const { return names_.count(text::FoldCaseCopy(name)); }
    void Add(const std::string& name) { names_.insert(text::FoldCaseCopy(name)); }

private:
    std::set<std::string> names_;
};

// Writes the items of one category as the whole content of its plug-in
// file, with one replace.
void WriteCategory(platform::FileSystem& fs, const std::string& path,
                   const std::vector<ImportedItem>& items) {
    IniFile ini(fs, path, IniAccess::OneCommand);
    // What an earlier import wrote goes: its items and its list.
    for (const std::string& old :
         ReadIniList(ini, IniList{kListSection, kListTotal, kItemPrefix}, ListEntries::AsRead)) {
        ini.EraseSection(old);
    }
    ini.EraseSection(kListSection);
    for (const ImportedItem& imported : items) {
        tItemContent item(fs, ini, imported.name);
        for (const ImportedFolder& f : imported.folders) {
            tChildFolder child(fs, ini, imported.name, item.Folders.Count());
            child.ChildItemName = f.name;
            child.isactive = true;
            child.bycategory = byFolder;
            child.deletepath = f.deletepath;
            child.IsIncludeSubfolder = f.includeSubfolders;
            child.RemoveEmptyFolders = f.removeEmptyFolders;
            item.Folders.Add(child);
        }
        for (const ImportedRegister& r : imported.registers) {
            tChildRegister child(fs, ini, imported.name, item.Registers.Count());
            child.ChildItemName = r.name;
            child.isactive = true;
            child.RegisterKeyName = r.key;
            child.RegisterSingleValue = r.value;
            child.CleanRegisterType = r.type;
            item.Registers.Add(child);
        }
        item.Warning = imported.warning;
        item.Exclusions = imported.exclusions;
        item.AppendToFile(ini, imported.name, imported.active);
    }
    ini.Commit();
}

} // namespace

std::vector<std::string> NamesTakenOutsideImports(const std::string& appDir,
                                                  const std::vector<titem_property>& catalogue) {
    const std::string prefix = text::FoldCaseCopy(CategoryFile(appDir, ""));
    const std::string imported = prefix.substr(0, prefix.size() - 4); // without ".txt"
    std::vector<std::string> taken;
    for (const titem_property& item : catalogue) {
        if (text::FoldCaseCopy(item.txtfilename).rfind(imported, 0) != 0) {
            taken.push_back(item.ItemName);
        }
    }
    return taken;
}

std::string CategoryFile(const std::string& appDir, const std::string& category) {
    std::string name = "winapp2 " + category;
    for (char& c : name) {
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 32) {
            c = '_';
        }
    }
    return appDir + "plugin\\" + name + ".txt";
}

ImportReport ImportWinapp2(platform::FileSystem& fs, const std::string& appDir,
                           std::string_view text, const EntryDetector& detector,
                           const ImportOptions& options,
                           const std::vector<std::string>& existingNames) {
    const Winapp2File file = ParseWinapp2(text);
    ImportReport report;
    for (const std::string& stray : file.strayLines) {
        report.malformed.push_back(stray + " (outside any entry)");
    }
    NameSet taken;
    for (const std::string& name : existingNames) {
        taken.Add(name);
    }
    std::map<std::string, std::vector<ImportedItem>> byCategory;
    for (const Winapp2Entry& entry : file.entries) {
        ++report.read;
        const std::string label = entry.name.empty() ? "(no name)" : entry.name;
        Conversion c = ConvertEntry(entry, true);
        if (!c.item) {
            (c.malformed ? report.malformed : report.unsupported)
                .push_back(label + " (line " + std::to_string(entry.line) + "): " + c.skipped);
            continue;
        }
        if (taken.Contains(c.item->name)) {
            report.unsupported.push_back(label + ": an item of that name exists already");
            continue;
        }
        if (!options.allEntries && !detector.Applies(*c.item)) {
            ++report.notDetected;
            continue;
        }
        taken.Add(c.item->name);
        byCategory[c.item->category].push_back(std::move(*c.item));
        ++report.imported;
    }
    if (!byCategory.empty() && !fs.Exists(appDir + "plugin")) {
        (void)fs.CreateFolder(appDir + "plugin"); // a failure shows as the write's
    }
    for (const auto& [category, items] : byCategory) {
        const std::string path = CategoryFile(appDir, category);
        WriteCategory(fs, path, items);
        report.files.push_back(path);
    }
    return report;
}

std::string ImportReport::Text() const {
    std::string out =
        "Entries read: " + std::to_string(read) + "\r\nImported: " + std::to_string(imported) +
        "\r\nSkipped, program not found on this computer: " + std::to_string(notDetected) +
        "\r\nSkipped, not supported: " + std::to_string(unsupported.size()) +
        "\r\nSkipped, malformed: " + std::to_string(malformed.size());
    auto list = [&out](const char* heading, const std::vector<std::string>& lines) {
        if (lines.empty()) {
            return;
        }
        out += "\r\n\r\n";
        out += heading;
        for (const std::string& line : lines) {
            out += "\r\n" + line;
        }
    };
    list("Not supported:", unsupported);
    list("Malformed:", malformed);
    return out;
}

} // namespace quill::rules
