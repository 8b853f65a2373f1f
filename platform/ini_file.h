#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Access to an INI-format text file, read the way the Windows private-profile
// functions read it (the rules are IniDocument's).
//
// Two ways of access. EachCall: every call reads the file, and every write
// replaces it at once. OneCommand: the file is read and parsed at the first
// call; later calls read and change that document in memory; Commit writes
// every change with one atomic replace. A command that ends without Commit
// (an error on the way) leaves the file as it was, byte for byte. The
// document lives as long as the command, so each command sees what other
// programs wrote before it. Documents outlive their command in the file
// system's cache (IniCache), used again only while the file's stamp is the
// one they were read at.
//
// Reading: lines end in CR LF, LF or CR and are trimmed; "[name]" starts a
// section (the name ends at the last "]"); "key=value" splits at the first
// "="; one pair of matching quotes around the value is removed; names compare
// without regard to case; the first of duplicate sections or keys wins.
//
// Writing keeps every other line as it was, writes CR LF and UTF-8, and
// replaces the file atomically: a failed write leaves the old file intact.

namespace quill {

class IniDocument;

class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Longest value a read returns, in characters.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// Parses a whole text as a 32-bit integer: decimal with an optional sign, or
// hexadecimal after "0x". Surrounding blanks are not allowed.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Most entries a numbered list or child list is read with.
inline constexpr std::int32_t kMaxListEntries = 100000;

enum class IniAccess { EachCall, OneCommand };

class IniFile {
public:
    IniFile(platform::FileSystem& fs, std::string path, IniAccess access = IniAccess::EachCall);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::string& FileName() const { return path_; }
    platform::FileSystem& Files() const { return fs_; }
    IniAccess Access() const { return access_; }

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

    // The count of a numbered list whose entries are keys entryPrefix + k
    // (alone or followed by "." and a field). A count above the number of
    // lines of the file cannot be true: it reads as the number of entries
    // present, one past the highest k found below it. Never more than
    // kMaxListEntries; a negative count reads as it is.
    std::int32_t ReadCount(std::string_view section, std::string_view countKey,
                           std::string_view entryPrefix) const;

    // OneCommand: writes the command's changes with one atomic replace and
    // lets go of the document (the next call reads the file afresh). Raises
    // EIniFileException("Unable to write to <path>") when the replace fails,
    // unless the command only deleted keys. Nothing changed: nothing written.
    void Commit();

private:
    enum class Load { Ok, Missing, Failed };
    struct Held {
        Load load = Load::Missing;
        std::unique_ptr<IniDocument> doc;
        bool changed = false;    // the file is to be written
        bool mustReport = false; // a failed write raises
        // The file's stamp when it was read, for a document that may be kept.
        std::optional<platform::FileStamp> stamp;
        std::size_t textBytes = 0;
    };
    Held& Open() const;
    // Lets go of the document: back to the cache when it still reads as the file.
    void Release() const;
    // A write or erase (report) or a key deletion changed the document.
    void Changed(Held& held, bool report);
    [[noreturn]] void Fail() const;

    platform::FileSystem& fs_;
    std::string path_;
    IniAccess access_;
    mutable std::unique_ptr<Held> held_;
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

// Entries that are empty (after trimming, when asked) are skipped. Each reads
// or writes the file once.
std::vector<std::string> ReadIniList(const IniFile& ini, const IniList& list, ListEntries form);
void WriteIniList(IniFile& ini, const IniList& list, const std::vector<std::string>& entries);

} // namespace quill
