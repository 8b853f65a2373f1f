#include "engine/collected_folders.h"

#include "platform/text.h"

namespace quill {

std::string CollectedFolders::FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) {
        return {};
    }
    if (slash > 0 && path[slash - 1] == ':') {
        return path.substr(0, slash + 1); // a drive root keeps its backslash
    }
    return path.substr(0, slash);
}

std::string CollectedFolders::NameOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CollectedFolders::Key(const std::string& folder) {
    std::string key = text::FoldCaseCopy(folder);
    while (key.size() > 1 && key.back() == '\\' && key[key.size() - 2] != ':') {
        key.pop_back();
    }
    return key;
}

void CollectedFolders::Record(const std::string& folder, const platform::FolderId& id) {
    ids_[Key(folder)] = id;
}

void CollectedFolders::RecordUnknown(const std::string& folder) {
    ids_[Key(folder)] = platform::FolderId{~0ull, ~0ull};
}

const platform::FolderId* CollectedFolders::Find(const std::string& folder) const {
    const auto it = ids_.find(Key(folder));
    return it == ids_.end() ? nullptr : &it->second;
}

} // namespace quill
