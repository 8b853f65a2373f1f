#pragma once

#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/registry.h"

#include <cstdint>
#include <string>
#include <vector>

// The settings file wildcard.ini in the program folder: every preference that
// is not a wash item. Each read goes to the file; each write is immediate.

namespace quill {

struct BoolSetting {
    const char* section;
    const char* key;
    bool fallback;
};

struct IntSetting {
    const char* section;
    const char* key;
    std::int32_t fallback;
};

struct StringSetting {
    const char* section;
    const char* key;
};

namespace settings {
inline constexpr BoolSetting AutoRun{"Run", "Auto Run", false};
inline constexpr BoolSetting IsMinimized{"Run", "Is Minimized", false};
inline constexpr BoolSetting UseQuick{"Delete Option", "Use Quick", true};
inline constexpr BoolSetting PromptBefore{"Delete Option", "prompt Before", false};
inline constexpr StringSetting ScheduleOption{"Schedule", "Schedule Option"};
inline constexpr IntSetting Minutes{"Schedule", "Minuts", 2};
inline constexpr BoolSetting WriteToLog{"Log", "Write to Log", true};
inline constexpr BoolSetting DeleteLogOnExit{"Log", "Delete Log On Exit", false};
inline constexpr IntSetting CloseControl{"Hot Key", "Control", 3};
inline constexpr IntSetting CloseChar{"Hot Key", "Char", 5};
inline constexpr IntSetting WashControl{"Hot Key", "Control washer", 1};
inline constexpr IntSetting WashChar{"Hot Key", "Char washer", 3};
inline constexpr BoolSetting DetectAtLoad{"Detect", "Detect directory at load", true};
} // namespace settings

// The exclusion list, also read by every folder/file target collection.
inline constexpr IniList kExclusionList{"Exclude Files", "Count", "Record"};

// Bits of the schedule option.
namespace schedule {
inline constexpr int AtStart = 1;
inline constexpr int AtShutdown = 2;
inline constexpr int Timed = 4;
} // namespace schedule

// "byStart ", "byShutdown " and "byEveryHour ", in this order, for the chosen ones.
std::string FormatScheduleOption(int flags);
// Each word searched anywhere, letter case significant.
int ParseScheduleOption(const std::string& text);

// The values the main window keeps from the file, read once at start-up.
struct RunSettings {
    bool AutoRun = false;
    bool IsMinimized = false;
    bool UseQuick = true;
    bool PromptBefore = false;
    int ScheduleFlags = 0;
    std::int32_t ScheduleMinutes = 2;
    bool WriteToLog = true;
    bool DeleteLogOnExit = false;
};

// A global hot key as stored: a modifier index and a letter index.
struct HotKeySetting {
    std::int32_t modifier = 0; // 0 ALT, 1 CTRL, 2 SHIFT, 3 CTRL+ALT, 4 CTRL+SHIFT
    std::int32_t letter = 0;   // 0 "A" to 25 "Z"
};

// What registration registers for a hot key: modifier flags and virtual key.
struct HotKeyCombination {
    bool valid = false; // false: no hot key is registered
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;
};

// The caption shown for a modifier index ("ALT", "CTRL", ...).
const char* HotKeyModifierText(std::int32_t modifier);
// Indices above the range register as CTRL+SHIFT and "Z"; negative ones
// register nothing.
HotKeyCombination HotKeyForRegistration(HotKeySetting stored);

class SettingsFile {
public:
    // appDir: the program folder with its trailing backslash. EachCall: every
    // read goes to the file and every write replaces it. OneCommand: the file
    // is read once and Commit writes every change with one replace.
    SettingsFile(platform::FileSystem& fs, const std::string& appDir,
                 IniAccess access = IniAccess::EachCall);

    const std::string& Path() const { return ini_.FileName(); }

    bool Read(const BoolSetting& s) const;
    std::int32_t Read(const IntSetting& s) const;
    std::string Read(const StringSetting& s) const;
    // Raise EIniFileException("Unable to write to <path>") on failure.
    void Write(const BoolSetting& s, bool value);
    void Write(const IntSetting& s, std::int32_t value);
    void Write(const StringSetting& s, const std::string& value);

    RunSettings ReadRunSettings() const;

    // The hot keys as the preferences dialog shows them: an index above the
    // range shows as the key's default.
    HotKeySetting CloseHotKeyForDialog() const;
    HotKeySetting WashHotKeyForDialog() const;
    // The hot keys as stored, for registration.
    HotKeySetting CloseHotKey() const;
    HotKeySetting WashHotKey() const;

    // The wildcard list: entries kept as read, empty ones skipped.
    std::vector<std::string> ReadWildcards() const;
    void WriteWildcards(const std::vector<std::string>& list);
    // The exclusion list: entries trimmed, empty ones skipped.
    std::vector<std::string> ReadExclusions() const;
    void WriteExclusions(const std::vector<std::string>& list);

    // The browser profile folder of one Windows user.
    std::string ReadNetscapePath(const std::string& userName) const;
    void WriteNetscapePath(const std::string& userName, const std::string& path);

    // OneCommand: writes the command's changes with one replace of the file.
    // Raise EIniFileException("Unable to write to <path>") on failure.
    void Commit() { ini_.Commit(); }

private:
    struct AtPath {
        const std::string& path;
    };
    SettingsFile(platform::FileSystem& fs, AtPath at, IniAccess access)
        : ini_(fs, at.path, access) {}
    // The same file, read once for several keys.
    SettingsFile OneRead() const;

    IniFile ini_;
};

// The Windows start-up entry: value "Quillmere" of the current user's
// Software\Microsoft\Windows\CurrentVersion\Run, holding the program path and
// " autorun". Written when enabled, deleted otherwise; an entry of older
// versions under HKEY_LOCAL_MACHINE is removed where the user may remove it.
// Raises ERegistryException("Failed to set data for 'Quillmere'") when the
// user's key cannot be opened or the value cannot be written.
void SetRunAtStartup(platform::Registry& registry, bool enabled, const std::string& programPath);

// The data of the start-up entry for a program path; a path holding blanks
// is quoted so that "autorun" stays the first argument.
std::string RunValueData(const std::string& programPath);

} // namespace quill
