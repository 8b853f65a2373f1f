#include "fuzz/fuzz_targets.h"

#include "engine/exclusion_match.h"
#include "engine/name_mask.h"
#include "engine/registry_targets.h"
#include "locations/path_macros.h"
#include "model/item_content.h"
#include "model/item_list.h"
#include "platform/ini_file.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "rules/winapp2_import.h"

#include <exception>
#include <string>
#include <vector>

namespace quill::fuzz {

namespace {

std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The first line and the rest.
std::pair<std::string, std::string> FirstLine(const std::string& text) {
    const auto eol = text.find('\n');
    if (eol == std::string::npos) {
        return {text, {}};
    }
    return {text.substr(0, eol), text.substr(eol + 1)};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto eol = text.find('\n', start);
        const auto end = eol == std::string::npos ? text.size() : eol;
        out.push_back(text.substr(start, end - start));
        if (eol == std::string::npos) {
            break;
        }
        start = eol + 1;
    }
    return out;
}

} // namespace

int IniFile(const std::uint8_t* data, std::size_t size) {
    platform::MemoryFileSystem fs;
    const std::string path = "C:\\fuzz.ini";
    fs.AddFile(path, Text(data, size));
    ::quill::IniFile ini(fs, path);
    // Sections and keys taken from the text itself, so that reads hit.
    const auto [first, rest] = FirstLine(Text(data, size));
    const std::string section = first.size() > 2 ? first.substr(1, first.size() - 2) : first;
    const std::string key = FirstLine(rest).first.substr(0, FirstLine(rest).first.find('='));
    (void)ini.ReadString(section, key, "");
    (void)ini.ReadInteger(section, key, 7);
    (void)ini.ReadBool(section, key, false);
    (void)ParseInteger(key);
    try {
        ini.WriteString(section, key, "value");
        ini.WriteInteger(section, "Count", 3);
        ini.DeleteKey(section, key);
        (void)ini.ReadString(section, "Count", "");
        ini.EraseSection(section);
    } catch (const std::exception&) {
        // A write refused: an outcome, not a fault.
    }
    return 0;
}

int NameMask(const std::uint8_t* data, std::size_t size) {
    const auto [mask, name] = FirstLine(Text(data, size));
    const ::quill::NameMask m(mask);
    (void)m.Matches(name);
    (void)m.Matches(mask);
    return 0;
}

int ExclusionMatch(const std::uint8_t* data, std::size_t size) {
    const auto [path, rest] = FirstLine(Text(data, size));
    const auto slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const ExclusionList list(Lines(rest));
    (void)list.Excludes(folder, name);
    return 0;
}

int PathMacros(const std::uint8_t* data, std::size_t size) {
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    const ::quill::PathMacros macros(system, registry, fs, "C:\\app\\wildcard.ini");
    (void)macros.ExpandPathMacros(Text(data, size));
    return 0;
}

int RegistryEntry(const std::uint8_t* data, std::size_t size) {
    (void)DecodeRegistryEntry(Text(data, size));
    return 0;
}

int ItemFile(const std::uint8_t* data, std::size_t size) {
    platform::MemoryFileSystem fs;
    const std::string path = "C:\\items.txt";
    fs.AddFile(path, Text(data, size));
    // Every section named in the text is loaded as an item.
    const std::string text = Text(data, size);
    int loaded = 0;
    for (const std::string& line : Lines(text)) {
        if (line.size() > 2 && line[0] == '[' && loaded < 16) {
            const auto close = line.find(']');
            const std::string name = line.substr(1, close == std::string::npos ? 0 : close - 1);
            try {
                const tItemContent item(fs, path, name);
                (void)item.Folders.Count();
                (void)item.Registers.Count();
            } catch (const std::exception&) {
                // Reading never fails, but stay on the safe side of the fuzzer.
            }
            ++loaded;
        }
    }
    return 0;
}

int Winapp2(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    for (const rules::Winapp2Entry& entry : rules::ParseWinapp2(text).entries) {
        (void)rules::ConvertEntry(entry, true);
        (void)rules::CategoryOf(entry);
    }
    // The whole import, into a program folder of its own: every entry, so
    // that the writing of every kind of item is reached.
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    fs.AddFolder("C:\\app");
    const ::quill::PathMacros macros(system, registry, fs, "C:\\app\\wildcard.ini");
    const rules::EntryDetector detector(registry, fs, macros);
    try {
        const rules::ImportReport report =
            rules::ImportWinapp2(fs, "C:\\app\\", text, detector, {true}, {"Recycle Bin"});
        (void)report.Text();
    } catch (const std::exception&) {
        // A plug-in file refused (a category name no file can hold): an outcome.
    }
    return 0;
}

} // namespace quill::fuzz
