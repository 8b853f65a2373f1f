#include "model/catalogue.h"

#include "platform/text.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace quill {

namespace {

bool HasTxtExtension(const std::string& name) {
    return name.size() > 4 &&
           text::EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".txt");
}

// An entry's identity: name and file, compared exactly.
struct EntryKey {
    std::string_view name;
    std::string_view file;
    bool operator==(const EntryKey&) const = default;
};

struct EntryKeyHash {
    std::size_t operator()(const EntryKey& k) const {
        const std::hash<std::string_view> h;
        return h(k.name) * 1000003u ^ h(k.file);
    }
};

EntryKey KeyOf(const titem_property& e) {
    return {e.ItemName, e.txtfilename};
}

} // namespace

std::vector<std::string> WashItemFiles(platform::FileSystem& fs, const std::string& appDir) {
    std::vector<std::string> files{appDir + catalogue_files::kSystemItems,
                                   appDir + catalogue_files::kUserItems};
    const std::string pluginDir = appDir + catalogue_files::kPluginFolder + "\\";
    std::vector<std::string> plugins;
    (void)fs.ListFolder(pluginDir, [&](const platform::FileEntry& e) {
        if (!e.IsDirectory() && HasTxtExtension(e.name)) {
            plugins.push_back(e.name);
        }
        return true;
    });
    // In name order, as NTFS lists them, whatever the file system's own order.
    std::sort(plugins.begin(), plugins.end(), [](const std::string& a, const std::string& b) {
        return text::FoldCaseCopy(a) < text::FoldCaseCopy(b);
    });
    for (const auto& name : plugins) {
        files.push_back(pluginDir + name);
    }
    return files;
}

void LoadCatalogue(platform::FileSystem& fs, const std::string& appDir, titem_list& catalogue) {
    titem_list all(fs);
    for (const auto& file : WashItemFiles(fs, appDir)) {
        all.LoadFromFile(file);
    }
    titem_list order(fs);
    order.LoadFromFile(appDir + catalogue_files::kOrder);

    // Every entry the catalogue gets matches an entry of all: one table of
    // all's entries tells both whether an entry exists and whether the
    // catalogue has it yet.
    std::unordered_map<EntryKey, bool, EntryKeyHash> inCatalogue;
    inCatalogue.reserve(all.Items.size());
    for (const auto& a : all.Items) {
        inCatalogue.try_emplace(KeyOf(a), false);
    }
    catalogue.Clear();
    catalogue.Items.reserve(all.Items.size());
    for (const auto& e : order.Items) {
        const auto it = inCatalogue.find(KeyOf(e));
        if (it != inCatalogue.end()) {
            catalogue.AddCopy(e);
            it->second = true;
        }
    }
    for (const auto& a : all.Items) {
        bool& added = inCatalogue.find(KeyOf(a))->second;
        if (!added) {
            catalogue.AddCopy(a);
            added = true;
        }
    }
}

} // namespace quill
