#include "rules/winapp2_parser.h"

#include "platform/text.h"

#include <charconv>

namespace quill::rules {

namespace {

// Splits at every separator; parts are trimmed.
std::vector<std::string> Split(std::string_view s, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = s.find(separator, start);
        parts.push_back(text::TrimCopy(s.substr(start, end - start)));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// "FileKey12" for base "FileKey": true. The number may be left out
// ("Detect" alone), but nothing else may follow the base.
bool IsNumbered(std::string_view key, std::string_view base) {
    if (key.size() < base.size() || !text::EqualsNoCase(key.substr(0, base.size()), base)) {
        return false;
    }
    for (char c : key.substr(base.size())) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

void ReadFileKey(Winapp2Entry& entry, std::string_view key, std::string_view value) {
    std::vector<std::string> parts = Split(value, '|');
    if (parts.size() < 2 || parts[0].empty()) {
        entry.problems.push_back(std::string(key) + ": a folder and file masks are needed");
        return;
    }
    FileKey rule;
    rule.path = parts[0];
    for (std::string& mask : Split(parts[1], ';')) {
        if (!mask.empty()) {
            rule.patterns.push_back(std::move(mask));
        }
    }
    if (rule.patterns.empty()) {
        entry.problems.push_back(std::string(key) + ": no file mask");
        return;
    }
    for (std::size_t i = 2; i < parts.size(); ++i) {
        if (text::EqualsNoCase(parts[i], "RECURSE")) {
            rule.recurse = true;
        } else if (text::EqualsNoCase(parts[i], "REMOVESELF")) {
            rule.recurse = true;
            rule.removeSelf = true;
        } else {
            entry.problems.push_back(std::string(key) + ": unknown flag \"" + parts[i] + "\"");
            return;
        }
    }
    entry.fileKeys.push_back(std::move(rule));
}

void ReadRegKey(Winapp2Entry& entry, std::string_view key, std::string_view value) {
    std::vector<std::string> parts = Split(value, '|');
    if (parts[0].empty() || parts.size() > 2 || (parts.size() == 2 && parts[1].empty())) {
        entry.problems.push_back(std::string(key) +
                                 ": a key, or a key and one value name, is needed");
        return;
    }
    RegKey rule;
    rule.key = parts[0];
    if (parts.size() == 2) {
        rule.value = parts[1];
    }
    entry.regKeys.push_back(std::move(rule));
}

void ReadExcludeKey(Winapp2Entry& entry, std::string_view key, std::string_view value) {
    std::vector<std::string> parts = Split(value, '|');
    ExcludeKey rule;
    if (text::EqualsNoCase(parts[0], "FILE")) {
        rule.kind = ExcludeKey::Kind::File;
    } else if (text::EqualsNoCase(parts[0], "PATH")) {
        rule.kind = ExcludeKey::Kind::Path;
    } else if (text::EqualsNoCase(parts[0], "REG")) {
        rule.kind = ExcludeKey::Kind::Reg;
    } else {
        entry.problems.push_back(std::string(key) + ": FILE, PATH or REG expected");
        return;
    }
    if (parts.size() < 2 || parts[1].empty() || parts.size() > 3) {
        entry.problems.push_back(std::string(key) + ": a folder or key is needed");
        return;
    }
    rule.where = parts[1];
    if (parts.size() == 3) {
        rule.what = parts[2];
    }
    if (rule.kind == ExcludeKey::Kind::File && rule.what.empty()) {
        entry.problems.push_back(std::string(key) + ": a file name is needed");
        return;
    }
    entry.excludeKeys.push_back(std::move(rule));
}

void ReadKey(Winapp2Entry& entry, std::string_view key, std::string_view value) {
    if (text::EqualsNoCase(key, "LangSecRef")) {
        int number = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (ec != std::errc() || end != value.data() + value.size()) {
            entry.problems.push_back("LangSecRef: not a number");
            return;
        }
        entry.langSecRef = number;
    } else if (text::EqualsNoCase(key, "Section")) {
        entry.section = value;
    } else if (text::EqualsNoCase(key, "DetectOS")) {
        entry.detectOs = value;
    } else if (text::EqualsNoCase(key, "SpecialDetect")) {
        entry.specialDetect = true;
    } else if (IsNumbered(key, "DetectFile")) {
        entry.detectFile.emplace_back(value);
    } else if (IsNumbered(key, "Detect")) {
        entry.detect.emplace_back(value);
    } else if (text::EqualsNoCase(key, "Warning")) {
        entry.warning = value;
    } else if (text::EqualsNoCase(key, "Default")) {
        if (text::EqualsNoCase(value, "True")) {
            entry.defaultOn = true;
        } else if (text::EqualsNoCase(value, "False")) {
            entry.defaultOn = false;
        } else {
            entry.problems.push_back("Default: True or False expected");
        }
    } else if (IsNumbered(key, "FileKey")) {
        ReadFileKey(entry, key, value);
    } else if (IsNumbered(key, "RegKey")) {
        ReadRegKey(entry, key, value);
    } else if (IsNumbered(key, "ExcludeKey")) {
        ReadExcludeKey(entry, key, value);
    } else {
        entry.unknown.push_back(std::string(key) + "=" + std::string(value));
    }
}

} // namespace

Winapp2File ParseWinapp2(std::string_view all) {
    if (all.substr(0, 3) == "\xEF\xBB\xBF") {
        all.remove_prefix(3);
    }
    Winapp2File file;
    Winapp2Entry* entry = nullptr;
    int number = 0;
    std::size_t at = 0;
    while (at < all.size()) {
        std::size_t end = all.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        const std::string_view line = text::Trim(all.substr(at, end - at));
        at = end;
        if (at < all.size() && all[at] == '\r' && at + 1 < all.size() && all[at + 1] == '\n') {
            ++at;
        }
        ++at;
        ++number;

        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            std::string name = text::TrimCopy(line.substr(1, line.size() - 2));
            // Entry names end in " *".
            if (!name.empty() && name.back() == '*' &&
                (name.size() == 1 || name[name.size() - 2] == ' ')) {
                name = text::TrimCopy(std::string_view(name).substr(0, name.size() - 1));
            }
            file.entries.emplace_back();
            entry = &file.entries.back();
            entry->name = std::move(name);
            entry->line = number;
            if (entry->name.empty()) {
                entry->problems.push_back("the entry has no name");
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        if (entry == nullptr) {
            file.strayLines.push_back("line " + std::to_string(number) + ": " + std::string(line));
            continue;
        }
        if (eq == std::string_view::npos || eq == 0) {
            entry->problems.push_back("line " + std::to_string(number) +
                                      " is not a key=value line: " + std::string(line));
            continue;
        }
        ReadKey(*entry, text::Trim(line.substr(0, eq)), text::Trim(line.substr(eq + 1)));
    }
    return file;
}

std::string CategoryOf(const Winapp2Entry& entry) {
    struct Named {
        int number;
        const char* name;
    };
    static constexpr Named kCategories[] = {
        {3006, "Edge (Chromium)"}, {3021, "Applications"},  {3022, "Internet"},
        {3023, "Multimedia"},      {3024, "Utilities"},     {3025, "Windows"},
        {3026, "Firefox"},         {3027, "Opera"},         {3029, "Google Chrome"},
        {3030, "Thunderbird"},     {3031, "Windows Store"}, {3033, "Vivaldi"},
        {3034, "Brave"},
    };
    if (entry.langSecRef) {
        for (const Named& c : kCategories) {
            if (c.number == *entry.langSecRef) {
                return c.name;
            }
        }
    }
    if (!entry.section.empty()) {
        return entry.section;
    }
    return "Other";
}

} // namespace quill::rules
