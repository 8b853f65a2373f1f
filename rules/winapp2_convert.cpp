#include "rules/winapp2_convert.h"

#include "platform/text.h"

namespace quill::rules {

namespace {

struct Variable {
    const char* name;
    std::vector<const char*> macros;
};

const std::vector<Variable>& Variables() {
    static const std::vector<Variable> kVariables = {
        {"%AppData%", {"{appdata}"}},
        {"%LocalAppData%", {"{localappdata}"}},
        {"%LocalLowAppData%", {"{localappdatalow}"}},
        {"%UserProfile%", {"{userprofile}"}},
        {"%Documents%", {"{personal}"}},
        {"%ProgramFiles%", {"{program files}", "{programfiles(x86)}"}},
        {"%ProgramData%", {"{commonappdata}"}},
        {"%CommonAppData%", {"{commonappdata}"}},
        {"%SystemDrive%", {"{systemdrive}"}},
        {"%WinDir%", {"{windows}"}},
        {"%SystemRoot%", {"{windows}"}},
        {"%Temp%", {"{temp}"}},
    };
    return kVariables;
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::vector<std::string> ToMacroPaths(const std::string& path, std::string& missing) {
    std::vector<std::string> results{path};
    std::size_t at = 0;
    while ((at = results.front().find('%', at)) != std::string::npos) {
        const std::size_t end = results.front().find('%', at + 1);
        if (end == std::string::npos) {
            break; // a lone percent sign is part of a name
        }
        const std::string name = results.front().substr(at, end - at + 1);
        const Variable* known = nullptr;
        for (const Variable& v : Variables()) {
            if (text::EqualsNoCase(name, v.name)) {
                known = &v;
            }
        }
        if (known == nullptr) {
            missing = name;
            return {};
        }
        std::vector<std::string> next;
        for (const std::string& r : results) {
            for (const char* macro : known->macros) {
                next.push_back(r.substr(0, at) + macro + r.substr(end + 1));
            }
        }
        at += std::string_view(known->macros.front()).size();
        results = std::move(next);
    }
    return results;
}

std::string WholeRootKey(const std::string& key) {
    static constexpr std::pair<const char*, const char*> kRoots[] = {
        {"HKCU", "HKEY_CURRENT_USER"},
        {"HKLM", "HKEY_LOCAL_MACHINE"},
        {"HKCR", "HKEY_CLASSES_ROOT"},
        {"HKU", "HKEY_USERS"},
        {"HKCC", "HKEY_CURRENT_CONFIG"},
        {"HKEY_CURRENT_USER", "HKEY_CURRENT_USER"},
        {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE"},
        {"HKEY_CLASSES_ROOT", "HKEY_CLASSES_ROOT"},
        {"HKEY_USERS", "HKEY_USERS"},
        {"HKEY_CURRENT_CONFIG", "HKEY_CURRENT_CONFIG"},
    };
    const std::size_t slash = key.find('\\');
    const std::string root = key.substr(0, slash);
    for (const auto& [shortName, whole] : kRoots) {
        if (text::EqualsNoCase(root, shortName)) {
            std::string rest = slash == std::string::npos ? "" : key.substr(slash);
            while (!rest.empty() && rest.back() == '\\') {
                rest.pop_back();
            }
            return whole + rest;
        }
    }
    return {};
}

Conversion ConvertEntry(const Winapp2Entry& entry, bool folderWildcards) {
    Conversion result;
    auto skip = [&](std::string why, bool malformed) {
        result.skipped = std::move(why);
        result.malformed = malformed;
        return result;
    };
    if (!entry.problems.empty()) {
        std::string all;
        for (const std::string& p : entry.problems) {
            all += (all.empty() ? "" : "; ") + p;
        }
        return skip(all, true);
    }
    if (entry.fileKeys.empty() && entry.regKeys.empty()) {
        return skip("nothing to remove (no FileKey or RegKey)", true);
    }
    if (!entry.unknown.empty()) {
        return skip("unsupported key " + entry.unknown.front(), false);
    }

    ImportedItem item;
    item.name = entry.name;
    item.category = CategoryOf(entry);
    item.active = entry.defaultOn.value_or(false);
    item.warning = entry.warning;

    std::string missing;
    for (const FileKey& rule : entry.fileKeys) {
        const std::vector<std::string> folders = ToMacroPaths(rule.path, missing);
        if (folders.empty()) {
            return skip("needs " + missing + ", which this program has no folder for", false);
        }
        for (const std::string& folder : folders) {
            const std::string base = WithoutTrailingBackslash(folder);
            if (!folderWildcards && base.find_first_of("*?") != std::string::npos) {
                return skip("wildcards in folder names are not supported", false);
            }
            for (const std::string& mask : rule.patterns) {
                ImportedFolder child;
                child.deletepath = base + "\\" + mask;
                child.name = mask + " in " + base;
                child.includeSubfolders = rule.recurse;
                child.removeEmptyFolders = rule.removeSelf;
                item.folders.push_back(std::move(child));
            }
        }
    }
    for (const RegKey& rule : entry.regKeys) {
        const std::string key = WholeRootKey(rule.key);
        if (key.empty() || key.find('\\') == std::string::npos) {
            return skip("RegKey \"" + rule.key + "\" names no key under a registry root", true);
        }
        ImportedRegister child;
        child.key = key + "\\";
        if (rule.value) {
            child.value = *rule.value;
            child.type = deleteSingleValue;
            child.name = *rule.value + " in " + key;
        } else {
            child.type = deleteKey;
            child.name = key;
        }
        item.registers.push_back(std::move(child));
    }
    // Without every one of its exclusions the item could remove what the
    // rule keeps: an exclusion that cannot be written skips the entry.
    for (const ExcludeKey& rule : entry.excludeKeys) {
        if (rule.kind == ExcludeKey::Kind::Reg) {
            const std::string key = WholeRootKey(rule.where);
            if (key.empty() || key.find('\\') == std::string::npos) {
                return skip("ExcludeKey \"REG|" + rule.where +
                                "\" names no key under a registry root",
                            true);
            }
            item.exclusions.push_back("REG|" + key + (rule.what.empty() ? "" : "|" + rule.what));
            continue;
        }
        const std::vector<std::string> folders = ToMacroPaths(rule.where, missing);
        if (folders.empty()) {
            return skip("needs " + missing + ", which this program has no folder for", false);
        }
        const char* kind = rule.kind == ExcludeKey::Kind::File ? "FILE|" : "PATH|";
        for (const std::string& folder : folders) {
            std::string stored = kind;
            stored += WithoutTrailingBackslash(folder);
            stored += "\\|";
            stored += rule.what;
            item.exclusions.push_back(std::move(stored));
        }
    }
    for (const std::string& key : entry.detect) {
        const std::string whole = WholeRootKey(key);
        if (whole.empty()) {
            return skip("Detect \"" + key + "\" names no registry key", true);
        }
        item.detectKeys.push_back(whole);
    }
    for (const std::string& path : entry.detectFile) {
        const std::vector<std::string> paths = ToMacroPaths(path, missing);
        if (paths.empty()) {
            return skip("needs " + missing + ", which this program has no folder for", false);
        }
        for (const std::string& p : paths) {
            item.detectFiles.push_back(WithoutTrailingBackslash(p));
        }
    }
    result.item = std::move(item);
    return result;
}

} // namespace quill::rules
