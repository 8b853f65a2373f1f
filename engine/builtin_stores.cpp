#include "engine/builtin_stores.h"

#include "platform/text.h"

namespace quill {

namespace {

const char* const kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

// Reads a folder value; empty when missing or not a string.
std::string FolderValue(platform::RegistryKey& key, const char* name) {
    platform::RegistryValue value;
    if (!Succeeded(key.QueryValue(name, value)) ||
        (value.type != platform::ValueType::String &&
         value.type != platform::ValueType::ExpandString)) {
        return {};
    }
    return value.data;
}

// Restores the default cursor however the cleaning ends.
class BusyCursor {
public:
    explicit BusyCursor(platform::Shell& shell) : shell_(shell) { shell_.ShowBusyCursor(true); }
    ~BusyCursor() { shell_.ShowBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    platform::Shell& shell_;
};

} // namespace

void EmptyRecycleBin(platform::Shell& shell) {
    shell.EmptyRecycleBin();
}

void ClearBrowserHistory(platform::Shell& shell) {
    if (!shell.ClearUrlHistory()) {
        throw EOleSysError("Class not registered");
    }
}

void CleanSpecialItem(const std::string& name, platform::Shell& shell, WashLog* log) {
    BusyCursor cursor(shell);
    if (name == kRecycleBinItem) {
        EmptyRecycleBin(shell);
    }
    if (name == kBrowserHistoryItem) {
        ClearBrowserHistory(shell);
    }
    if (log) {
        log->BeginLogSection();
        log->AppendLogRow(LogKind::SpecialItem, false, true, "", name);
        log->EndLogSection();
    }
}

std::vector<std::string> CollectSpecialFiles(platform::Registry& registry) {
    std::vector<std::string> files;
    std::unique_ptr<platform::RegistryKey> key;
    if (!Succeeded(
            registry.OpenKeyForReading(platform::RootKey::CurrentUser, kShellFolders, key)) ||
        !key) {
        return files;
    }
    const std::string cookies = FolderValue(*key, "Cookies");
    files.push_back(cookies.empty() ? std::string() : WithBackslash(cookies) + "index.dat");
    const std::string cache = FolderValue(*key, "Cache");
    files.push_back(cache.empty() ? std::string()
                                  : WithBackslash(cache) + "Content.IE5" + "\\index.dat");
    return files;
}

bool IsSpecialFile(const std::vector<std::string>& specialFiles, const std::string& path) {
    for (std::size_t i = 0; i < specialFiles.size() && i < 2; ++i) {
        if (!specialFiles[i].empty() && text::EqualsNoCase(specialFiles[i], path)) {
            return true;
        }
    }
    return false;
}

} // namespace quill
