#include "engine/empty_folders.h"

#include "platform/text.h"

#include <algorithm>

namespace quill {

namespace {

// Deeper than any folder Windows can name: a tree that goes on (a loop the
// listing could not tell) is cut there.
constexpr int kMaxDepth = 512;

bool IsPlainFolder(std::uint32_t attributes) {
    return attributes != platform::attr::Invalid && (attributes & platform::attr::Directory) &&
           !(attributes & platform::attr::ReparsePoint);
}

// Appends the subfolders of folder, each after its own subfolders.
void SubfoldersDeepestFirst(platform::FileSystem& fs, const std::string& folder, int depth,
                            std::vector<std::string>& out) {
    if (depth >= kMaxDepth) {
        return;
    }
    std::vector<std::string> subfolders;
    (void)fs.ListFolder(folder, [&](const platform::FileEntry& e) {
        if (e.name != "." && e.name != ".." && IsPlainFolder(e.attributes)) {
            subfolders.push_back(folder + "\\" + e.name);
        }
        return true;
    });
    for (const std::string& sub : subfolders) {
        SubfoldersDeepestFirst(fs, sub, depth + 1, out);
        out.push_back(sub);
    }
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

void EmptiedFolderRoots::Add(const std::string& folder) {
    const std::string tidy = WithoutTrailingBackslash(folder);
    for (const std::string& known : folders_) {
        if (text::EqualsNoCase(known, tidy)) {
            return;
        }
    }
    folders_.push_back(tidy);
}

int RemoveEmptiedFolders(platform::FileSystem& fs, const std::vector<std::string>& roots,
                         const CollectedFolders* collected) {
    // Deeper roots first: one root may lie inside another.
    std::vector<std::string> ordered = roots;
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    int removed = 0;
    for (const std::string& root : ordered) {
        // A drive's root has no parent to remove it from, nor should it go.
        const std::string parent = CollectedFolders::FolderOf(root);
        if (root.size() <= 3 || parent.empty() || !IsPlainFolder(fs.GetAttributes(root))) {
            continue;
        }
        if (const platform::FolderId* was = collected ? collected->Find(root) : nullptr) {
            platform::FolderId now;
            if (!Succeeded(fs.IdentifyFolder(root, now)) || !(now == *was)) {
                continue;
            }
        }
        std::vector<std::string> folders;
        SubfoldersDeepestFirst(fs, root, 0, folders);
        folders.push_back(root);
        for (const std::string& folder : folders) {
            std::unique_ptr<platform::FileSystem::OpenFolder> held;
            if (!Succeeded(fs.OpenFolderAt(CollectedFolders::FolderOf(folder), held))) {
                continue;
            }
            if (Succeeded(held->RemoveEmptyFolder(CollectedFolders::NameOf(folder)))) {
                ++removed;
            }
        }
    }
    return removed;
}

} // namespace quill
