#include "engine/folder_glob.h"

#include "engine/name_mask.h"

namespace quill {

namespace {

bool HasWildcard(std::string_view part) {
    return part.find_first_of("*?") != std::string_view::npos;
}

std::vector<std::string_view> Parts(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

bool HasFolderWildcards(std::string_view path) {
    const std::size_t last = path.find_last_of('\\');
    return last != std::string_view::npos && HasWildcard(path.substr(0, last));
}

std::vector<std::string> MatchPathPattern(platform::FileSystem& fs, const std::string& pattern,
                                          bool lastMayBeFile) {
    const std::vector<std::string_view> parts = Parts(pattern);
    // The plain beginning ("C:" and the folders before the first wildcard).
    std::size_t first = 0;
    std::string base;
    while (first < parts.size() && !HasWildcard(parts[first])) {
        if (first > 0) {
            base += '\\';
        }
        base.append(parts[first]);
        ++first;
    }
    std::vector<std::string> found;
    if (first == parts.size()) {
        if (fs.Exists(base)) {
            found.push_back(base);
        }
        return found;
    }
    std::vector<std::string> current{base};
    for (std::size_t i = first; i < parts.size() && !current.empty(); ++i) {
        const bool last = i + 1 == parts.size();
        std::vector<std::string> next;
        for (const std::string& folder : current) {
            if (!HasWildcard(parts[i])) {
                std::string path = folder + "\\" + std::string(parts[i]);
                const std::uint32_t a = fs.GetAttributes(path);
                const bool folderOk = a != platform::attr::Invalid &&
                                      (a & platform::attr::Directory) &&
                                      !(a & platform::attr::ReparsePoint);
                const bool fileOk = a != platform::attr::Invalid && last && lastMayBeFile;
                if (folderOk || fileOk) {
                    next.push_back(std::move(path));
                }
                continue;
            }
            const NameMask mask{std::string(parts[i])};
            (void)fs.ListFolder(folder, [&](const platform::FileEntry& e) {
                const bool isFolder =
                    e.IsDirectory() && !(e.attributes & platform::attr::ReparsePoint);
                if ((isFolder || (last && lastMayBeFile && !e.IsDirectory())) && e.name != "." &&
                    e.name != ".." && mask.Matches(e.name)) {
                    next.push_back(folder + "\\" + e.name);
                }
                return true;
            });
        }
        current = std::move(next);
    }
    return current;
}

} // namespace quill
