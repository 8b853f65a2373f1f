#include "locations/path_macros.h"

#include "platform/ini_file.h"
#include "platform/registry_error.h"
#include "platform/text.h"

#include <memory>

namespace quill {

namespace {

const char* const kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kCurrentVersion = "software\\microsoft\\windows\\currentversion";

// The drive of a folder, such as "C:"; empty for a folder without a drive
// letter (a network path).
std::string DriveOf(const std::string& folder) {
    if (folder.size() >= 2 && folder[1] == ':' &&
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'))) {
        return folder.substr(0, 2);
    }
    return {};
}

// Position of the first occurrence of macro in text, comparing ASCII letters
// without case.
std::size_t FindMacro(const std::string& upperText, const char* macro) {
    return upperText.find(text::AsciiUpper(macro));
}

} // namespace

std::string ReadRegistryString(platform::Registry& registry, platform::RootKey root,
                               const std::string& key, const std::string& value) {
    std::unique_ptr<platform::RegistryKey> handle;
    if (!Succeeded(registry.OpenKeyForReading(root, key, handle)) || !handle) {
        return {};
    }
    platform::RegistryValue data;
    if (!Succeeded(handle->QueryValue(value, data))) {
        return {};
    }
    if (data.type != platform::ValueType::String &&
        data.type != platform::ValueType::ExpandString) {
        throw ERegistryException("Invalid data type for '" + value + "'");
    }
    return data.data;
}

PathMacros::PathMacros(platform::SystemInfo& system, platform::Registry& registry,
                       platform::FileSystem& fs, std::string settingsFile)
    : system_(system), registry_(registry), fs_(fs), settingsFile_(std::move(settingsFile)) {}

std::string PathMacros::UserName() const {
    return system_.UserName();
}

std::string PathMacros::RegistryString(platform::RootKey root, const std::string& key,
                                       const std::string& value) const {
    return ReadRegistryString(registry_, root, key, value);
}

std::string PathMacros::ExpandPathMacros(const std::string& input) const {
    using platform::KnownFolder;
    using platform::RootKey;
    enum Source {
        User,
        Windows,
        System,
        ProgramFiles,
        Personal,
        Netscape,
        AppData,
        LocalAppData,
        Temp,
        UserProfile,
        CommonAppData,
        ProgramFilesX86,
        SystemDrive,
        LocalAppDataLow,
    };
    struct Macro {
        const char* name;
        Source source;
    };
    // The first seven are those of the older versions, in their order; the
    // folders of today's Windows follow, so that a value inserted by one of
    // the first seven reads as it always did.
    static constexpr Macro kMacros[] = {
        {"{username}", User},
        {"{windows}", Windows},
        {"{system}", System},
        {"{program files}", ProgramFiles},
        {"{personal}", Personal},
        {"{netscape}", Netscape},
        {"{appdata}", AppData},
        {"{localappdata}", LocalAppData},
        {"{temp}", Temp},
        {"{userprofile}", UserProfile},
        {"{commonappdata}", CommonAppData},
        {"{programfiles(x86)}", ProgramFilesX86},
        {"{systemdrive}", SystemDrive},
        {"{localappdatalow}", LocalAppDataLow},
    };

    std::string result = input;
    for (const Macro& m : kMacros) {
        const std::size_t at = FindMacro(text::AsciiUpper(result), m.name);
        if (at == std::string::npos) {
            continue;
        }
        std::string value;
        switch (m.source) {
        case User:
            value = UserName();
            if (value.empty()) {
                return {}; // without a user name nothing can be named
            }
            break;
        case Windows:
            value = system_.WindowsFolder();
            break;
        case System:
            value = system_.SystemFolder();
            break;
        case ProgramFiles:
            value = RegistryString(RootKey::LocalMachine, kCurrentVersion, "ProgramFilesDir");
            break;
        case Personal:
            value = RegistryString(RootKey::CurrentUser, kShellFolders, "Personal");
            break;
        case Netscape: {
            const std::string user = UserName();
            if (!user.empty()) {
                value = IniFile(fs_, settingsFile_).ReadString(user, "Netscape Path", "");
            }
            break;
        }
        case AppData:
            value = RegistryString(RootKey::CurrentUser, kShellFolders, "AppData");
            break;
        case LocalAppData:
            value = RegistryString(RootKey::CurrentUser, kShellFolders, "Local AppData");
            break;
        case Temp:
            value = system_.TempFolder();
            break;
        case UserProfile:
            value = system_.FolderOf(KnownFolder::UserProfile);
            break;
        case CommonAppData:
            value = system_.FolderOf(KnownFolder::CommonAppData);
            break;
        case ProgramFilesX86:
            value = RegistryString(RootKey::LocalMachine, kCurrentVersion, "ProgramFilesDir (x86)");
            break;
        case SystemDrive:
            value = DriveOf(system_.WindowsFolder());
            break;
        case LocalAppDataLow:
            value = system_.FolderOf(KnownFolder::LocalAppDataLow);
            break;
        }
        const bool always = m.source == Windows || m.source == System;
        if (value.empty() && !always) {
            continue; // the macro stays in the text
        }
        result.replace(at, std::string_view(m.name).size(), value);
    }
    return result;
}

} // namespace quill
