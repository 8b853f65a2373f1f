#include "settings/settings_file.h"

#include "model/data_files.h"
#include "platform/ini_file.h"
#include "platform/registry_error.h"
#include "platform/text.h"

#include <memory>

namespace quill {

namespace {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValue = "Quillmere";

constexpr IniList kWildcards{"Common", "Wildcard Total", "Wildcard"};

HotKeySetting ForDialog(HotKeySetting stored, const IntSetting& modifier,
                        const IntSetting& letter) {
    if (stored.modifier > 4) {
        stored.modifier = modifier.fallback;
    }
    if (stored.letter > 25) {
        stored.letter = letter.fallback;
    }
    return stored;
}

} // namespace

std::string FormatScheduleOption(int flags) {
    std::string out;
    if (flags & schedule::AtStart) {
        out += "byStart ";
    }
    if (flags & schedule::AtShutdown) {
        out += "byShutdown ";
    }
    if (flags & schedule::Timed) {
        out += "byEveryHour ";
    }
    return out;
}

int ParseScheduleOption(const std::string& text) {
    int flags = 0;
    if (text.find("byStart") != std::string::npos) {
        flags |= schedule::AtStart;
    }
    if (text.find("byShutdown") != std::string::npos) {
        flags |= schedule::AtShutdown;
    }
    if (text.find("byEveryHour") != std::string::npos) {
        flags |= schedule::Timed;
    }
    return flags;
}

const char* HotKeyModifierText(std::int32_t modifier) {
    static const char* const kTexts[] = {"ALT", "CTRL", "SHIFT", "CTRL+ALT", "CTRL+SHIFT"};
    return modifier >= 0 && modifier <= 4 ? kTexts[modifier] : "";
}

HotKeyCombination HotKeyForRegistration(HotKeySetting stored) {
    static const std::uint32_t kModifiers[] = {1, 2, 4, 3, 6};
    HotKeyCombination c;
    if (stored.modifier < 0 || stored.letter < 0) {
        return c;
    }
    c.valid = true;
    c.modifiers = kModifiers[std::min<std::int32_t>(stored.modifier, 4)];
    c.virtualKey = 65 + static_cast<std::uint32_t>(std::min<std::int32_t>(stored.letter, 25));
    return c;
}

SettingsFile::SettingsFile(platform::FileSystem& fs, const std::string& appDir, IniAccess access)
    : ini_(fs, appDir + data_files::kSettings, access) {}

bool SettingsFile::Read(const BoolSetting& s) const {
    return ini_.ReadBool(s.section, s.key, s.fallback);
}

std::int32_t SettingsFile::Read(const IntSetting& s) const {
    return ini_.ReadInteger(s.section, s.key, s.fallback);
}

std::string SettingsFile::Read(const StringSetting& s) const {
    return ini_.ReadString(s.section, s.key, "");
}

void SettingsFile::Write(const BoolSetting& s, bool value) {
    ini_.WriteBool(s.section, s.key, value);
}

void SettingsFile::Write(const IntSetting& s, std::int32_t value) {
    ini_.WriteInteger(s.section, s.key, value);
}

void SettingsFile::Write(const StringSetting& s, const std::string& value) {
    ini_.WriteString(s.section, s.key, value);
}

RunSettings SettingsFile::ReadRunSettings() const {
    if (ini_.Access() == IniAccess::EachCall) {
        return OneRead().ReadRunSettings();
    }
    RunSettings r;
    r.AutoRun = Read(settings::AutoRun);
    r.IsMinimized = Read(settings::IsMinimized);
    r.UseQuick = Read(settings::UseQuick);
    r.PromptBefore = Read(settings::PromptBefore);
    r.ScheduleFlags = ParseScheduleOption(Read(settings::ScheduleOption));
    r.ScheduleMinutes = Read(settings::Minutes);
    r.WriteToLog = Read(settings::WriteToLog);
    r.DeleteLogOnExit = Read(settings::DeleteLogOnExit);
    return r;
}

HotKeySetting SettingsFile::CloseHotKey() const {
    if (ini_.Access() == IniAccess::EachCall) {
        return OneRead().CloseHotKey();
    }
    return {Read(settings::CloseControl), Read(settings::CloseChar)};
}

HotKeySetting SettingsFile::WashHotKey() const {
    if (ini_.Access() == IniAccess::EachCall) {
        return OneRead().WashHotKey();
    }
    return {Read(settings::WashControl), Read(settings::WashChar)};
}

HotKeySetting SettingsFile::CloseHotKeyForDialog() const {
    return ForDialog(CloseHotKey(), settings::CloseControl, settings::CloseChar);
}

HotKeySetting SettingsFile::WashHotKeyForDialog() const {
    return ForDialog(WashHotKey(), settings::WashControl, settings::WashChar);
}

std::vector<std::string> SettingsFile::ReadWildcards() const {
    return ReadIniList(ini_, kWildcards, ListEntries::AsRead);
}

void SettingsFile::WriteWildcards(const std::vector<std::string>& list) {
    WriteIniList(ini_, kWildcards, list);
}

std::vector<std::string> SettingsFile::ReadExclusions() const {
    return ReadIniList(ini_, kExclusionList, ListEntries::Trimmed);
}

void SettingsFile::WriteExclusions(const std::vector<std::string>& list) {
    WriteIniList(ini_, kExclusionList, list);
}

std::string SettingsFile::ReadNetscapePath(const std::string& userName) const {
    return ini_.ReadString(userName, "Netscape Path", "");
}

void SettingsFile::WriteNetscapePath(const std::string& userName, const std::string& path) {
    ini_.WriteString(userName, "Netscape Path", path);
}

SettingsFile SettingsFile::OneRead() const {
    return SettingsFile(ini_.Files(), AtPath{ini_.FileName()}, IniAccess::OneCommand);
}

std::string RunValueData(const std::string& programPath) {
    if (programPath.find(' ') != std::string::npos) {
        return "\"" + programPath + "\" autorun";
    }
    return programPath + " autorun";
}

void SetRunAtStartup(platform::Registry& registry, bool enabled, const std::string& programPath) {
    const std::string failed = std::string("Failed to set data for '") + kRunValue + "'";
    std::unique_ptr<platform::RegistryKey> key;
    if (!Succeeded(registry.OpenKey(platform::RootKey::CurrentUser, kRunKey, key)) || !key) {
        throw ERegistryException(failed);
    }
    if (enabled) {
        const platform::RegistryValue value{platform::ValueType::String, RunValueData(programPath)};
        if (!Succeeded(key->SetValue(kRunValue, value))) {
            throw ERegistryException(failed);
        }
    } else {
        (void)key->DeleteValue(kRunValue); // a missing value is no error
    }
    // Older versions wrote the entry for every user, which a standard user
    // cannot change: removed where it can be, left alone where it cannot.
    std::unique_ptr<platform::RegistryKey> machine;
    if (Succeeded(registry.OpenKey(platform::RootKey::LocalMachine, kRunKey, machine)) && machine) {
        (void)machine->DeleteValue(kRunValue);
    }
}

} // namespace quill
