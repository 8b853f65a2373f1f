#pragma once

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/system_info.h"

#include <string>

namespace quill {

// Replaces the path macros of stored paths by the folders they stand for:
// {username}, {windows}, {system}, {program files}, {personal}, {netscape},
// {appdata}, then the folders of today's Windows: {localappdata}, {temp},
// {userprofile}, {commonappdata}, {programfiles(x86)}, {systemdrive} and
// {localappdatalow}; each at its first occurrence, in that order. {AnyDrive}
// and any other text in braces stay. Every call reads its sources afresh.
class PathMacros {
public:
    // settingsFile: the full path of wildcard.ini, which holds {netscape}.
    PathMacros(platform::SystemInfo& system, platform::Registry& registry, platform::FileSystem& fs,
               std::string settingsFile);

    // Raises ERegistryException("Invalid data type for '<value>'") when a
    // registry source holds something other than a string.
    std::string ExpandPathMacros(const std::string& text) const;

    // The logon name of the current user; empty when it cannot be had.
    std::string UserName() const;

private:
    std::string RegistryString(platform::RootKey root, const std::string& key,
                               const std::string& value) const;

    platform::SystemInfo& system_;
    platform::Registry& registry_;
    platform::FileSystem& fs_;
    std::string settingsFile_;
};

// Reads a string value (REG_SZ or REG_EXPAND_SZ, used as stored) of an
// existing key; empty when the key or value is missing. Raises
// ERegistryException("Invalid data type for '<value>'") for another type.
std::string ReadRegistryString(platform::Registry& registry, platform::RootKey root,
                               const std::string& key, const std::string& value);

} // namespace quill
