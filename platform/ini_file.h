#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Access to an INI-format text file, read the way the Windows private-profile
// functions read it. Every call goes to the file; nothing is cached.
//
// Reading: lines end in CR LF, LF or CR and are trimmed; "[name]" starts a
// section (the name ends at the last "]"); "key=value" splits at the first
// "="; one pair of matching quotes around the value is removed; names compare
// without regard to case; the first of duplicate sections or keys wins.
//
// Writing keeps every other line as it was, writes CR LF and UTF-8, and
// replaces the file atomically: a failed write leaves the old file intact.

namespace quill {

class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Longest value a read returns, in characters.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// Parses a whole text as a 32-bit integer: decimal with an optional sign, or
// hexadecimal after "0x". Surrounding blanks are not allowed.
std::optional<std::int32_t> ParseInteger(std::string_view text);

class IniFile {
public:
    IniFile(platform::FileSystem& fs, std::string path);

    const std::string& FileName() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Raise EIniFileException("Unable to write to <path>") on failure.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);

    // Reports nothing, whatever happens.
    void DeleteKey(std::string_view section, std::string_view key);

private:
    enum class Load { Ok, Missing, Failed };
    Load LoadText(std::string& text) const;
    void Store(const std::string& text);
    [[noreturn]] void Fail() const;

    platform::FileSystem& fs_;
    std::string path_;
};

// A numbered list: a count key plus one key per entry named by a prefix and
// the entry's index from 0. Readers never look past the count; writers write
// the count, then every entry, and leave higher keys of a longer list alone.
struct IniList {
    const char* section;
    const char* countKey;
    const char* entryPrefix;
};

enum class ListEntries { AsRead, Trimmed };

// Entries that are empty (after trimming, when asked) are skipped.
std::vector<std::string> ReadIniList(const IniFile& ini, const IniList& list, ListEntries form);
void WriteIniList(IniFile& ini, const IniList& list, const std::vector<std::string>& entries);

} // namespace quill
