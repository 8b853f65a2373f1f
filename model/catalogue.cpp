#include "model/catalogue.h"

#include "platform/text.h"

#include <algorithm>

namespace quill {

namespace {

bool HasTxtExtension(const std::string& name) {
    return name.size() > 4 &&
           text::EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".txt");
}

} // namespace

std::vector<std::string> WashItemFiles(platform::FileSystem& fs, const std::string& appDir) {
    std::vector<std::string> files{appDir + "const\\system.txt", appDir + "const\\user.txt"};
    const std::string pluginDir = appDir + "plugin\\";
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
    order.LoadFromFile(appDir + "order.ini");

    catalogue.Clear();
    for (const auto& e : order.Items) {
        if (all.Contains(e)) {
            catalogue.AddCopy(e);
        }
    }
    for (const auto& a : all.Items) {
        if (!catalogue.Contains(a)) {
            catalogue.AddCopy(a);
        }
    }
}

} // namespace quill
