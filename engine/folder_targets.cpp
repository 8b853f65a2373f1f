#include "engine/folder_targets.h"

#include "engine/find_file.h"
#include "engine/folder_glob.h"
#include "engine/registry_targets.h"
#include "engine/typed_path.h"
#include "platform/ini_file.h"
#include "platform/text.h"

#include <memory>

namespace quill {

namespace {

const char* const kAnyDrive = "{ANYDRIVE}";
constexpr IniList kExclusions{"Exclude Files", "Count", "Record"};

// True for "C:\..." and "\\server\share\...": a search never falls back to
// the current folder, so a path must name its folder in full.
bool IsAbsoluteSearchPath(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return true;
    }
    return path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
}

std::string FullPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') {
        return folder + name;
    }
    return folder + "\\" + name;
}

} // namespace

std::int64_t SizeInKB(std::uint64_t bytes) {
    const auto kb = static_cast<std::int64_t>(bytes / 1024);
    return kb > 0 ? kb : 1;
}

std::string ReadRegistryFolder(const tChildFolder& child, const TargetContext& context) {
    const std::string name = context.macros.ExpandPathMacros(text::TrimCopy(child.RegisterName));
    const auto slash = name.find('\\');
    const std::string rootName = slash == std::string::npos ? name : name.substr(0, slash);
    const std::string keyPath = slash == std::string::npos ? "" : name.substr(slash);
    const platform::RootKey root =
        RootKeyFromName(rootName).value_or(platform::RootKey::CurrentUser);
    return ReadRegistryString(context.registry, root, keyPath, child.RegisterValueofName);
}

std::string ResolveChildPath(const tChildFolder& child, const TargetContext& context) {
    switch (child.bycategory) {
    case byRegister: {
        std::string folder = ReadRegistryFolder(child, context);
        if (!folder.empty() && folder.back() != '\\') {
            folder += '\\';
        }
        return folder + "*.*";
    }
    case byFolder:
        return context.macros.ExpandPathMacros(child.deletepath);
    case bySingle:
        return context.macros.ExpandPathMacros(child.deletefilename);
    }
    return {};
}

std::string ListSearchDrives(platform::SystemInfo& system) {
    std::string letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const auto type = system.DriveTypeOf(std::string(1, letter) + ":\\");
        if (type == platform::DriveType::Fixed || type == platform::DriveType::Remote) {
            letters += letter;
        }
    }
    return letters;
}

void CollectFolderTargets(tChildFolder& child, std::vector<std::string>& out,
                          TargetContext& context, const ItemExclusions* keep) {
    child.FoundFiles = std::make_unique<std::vector<std::string>>();
    std::vector<std::string>& found = *child.FoundFiles;

    TFindFile search(context.fs);
    std::string identified; // the folder whose identity was recorded last
    search.OnNewFolder = [&](const std::string&, bool&) {
        context.seam.ProcessMessages();
        if (context.seam.CancelRequested()) {
            throw EFindFileAbort();
        }
    };
    search.OnFound = [&](const std::string& folder, const platform::FileEntry& entry) {
        context.seam.ProcessMessages();
        if (context.seam.CancelRequested()) {
            throw EFindFileAbort();
        }
        // Folders with the archive, read-only, hidden or system attribute pass
        // the search's attribute test; they are no targets. The listing that
        // reported the entry is what says so: no second look at the disk.
        if (entry.IsDirectory()) {
            return;
        }
        if (keep != nullptr && keep->KeepsFile(folder, entry.name)) {
            return;
        }
        // The removal touches the files only while their folder is still
        // this one: told once per folder, before its first target.
        if (folder != identified) {
            identified = folder;
            platform::FolderId id;
            if (Succeeded(context.fs.IdentifyFolder(folder, id))) {
                context.seam.Collected().Record(folder, id);
            } else {
                context.seam.Collected().RecordUnknown(folder);
            }
        }
        found.push_back(FullPath(folder, entry.name));
        context.counters.FoundCount += 1;
        context.counters.FoundSizeKB += SizeInKB(entry.size);
        context.seam.ShowSearchCounters(std::to_string(context.counters.FoundCount),
                                        std::to_string(context.counters.FoundSizeKB) + "KB");
    };

    const std::string path = ResolveChildPath(child, context);
    std::vector<std::string> include;
    if (text::AsciiUpper(path.substr(0, 10)) == kAnyDrive) {
        const std::string rest = path.substr(10);
        for (char letter : ListSearchDrives(context.system)) {
            include.push_back(std::string(1, letter) + rest);
        }
    } else {
        include.push_back(path);
    }
    for (const auto& entry : include) {
        if (!IsAbsoluteSearchPath(entry)) {
            continue;
        }
        // Typed by the user: tidied here, once, as Windows would tidy it;
        // every path derived from it is then taken literally.
        const std::string tidy = NormaliseTypedPath(entry);
        if (!HasFolderWildcards(tidy)) {
            search.IncludeFiles.push_back(tidy);
            continue;
        }
        // Folder names with wildcards: every folder they match now, found
        // without entering a link, searches like a folder named in full.
        const std::size_t slash = tidy.find_last_of('\\');
        const std::string mask = tidy.substr(slash + 1);
        for (const std::string& folder :
             MatchPathPattern(context.fs, tidy.substr(0, slash), false)) {
            search.IncludeFiles.push_back(FullPath(folder, mask));
        }
    }

    if (child.RemoveEmptyFolders) {
        for (const std::string& entry : search.IncludeFiles) {
            context.seam.Emptied().Add(CollectedFolders::FolderOf(entry));
        }
    }

    const IniFile settings(context.fs, context.settingsFile);
    search.ExcludeFiles = ReadIniList(settings, kExclusions, ListEntries::Trimmed);
    search.Subfolders = child.IsIncludeSubfolder;
    if (!search.IncludeFiles.empty()) {
        search.Execute();
    }

    out = std::move(found);
    child.FoundFiles.reset();
}

} // namespace quill
