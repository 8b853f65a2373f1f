#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Walks folder trees and reports every entry that matches a mask and the
// filters, through three events: a folder is about to be searched, an entry
// was found, the search is complete.

namespace quill {

// Raised by the property checks.
class EFindFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by an event handler to end a search silently.
class EFindFileAbort {};

// The attribute set of an entry.
namespace ff {
inline constexpr unsigned Archive = 1;
inline constexpr unsigned Readonly = 2;
inline constexpr unsigned Hidden = 4;
inline constexpr unsigned System = 8;
inline constexpr unsigned Directory = 16;
} // namespace ff

// The attribute set of platform attribute bits; other bits are ignored.
unsigned FileAttributeSet(std::uint32_t attributes);

// True when name matches mask as written: case-insensitive, "*" any run of
// characters, "?" one character, "*.*" and "*" every name.
bool MatchesMask(const std::string& name, const std::string& mask);

// One exclusion pattern, prepared once for many candidates.
class ExclusionPattern {
public:
    explicit ExclusionPattern(const std::string& pattern);
    // candidateFolder ends with a backslash; both as found, any case.
    bool Matches(const std::string& candidateFolderUpper, const std::string& nameUpper) const;

private:
    bool hasFolder_ = false;
    char drive_ = 0; // 0: none, else the upper-case letter, '*' or '?'
    std::string folder_;
    std::string name_;
};

class TFindFile {
public:
    explicit TFindFile(platform::FileSystem& fs) : fs_(fs) {}
    TFindFile(const TFindFile&) = delete;
    TFindFile& operator=(const TFindFile&) = delete;

    // Entries of the form folder + backslash + mask; each is searched.
    std::vector<std::string> IncludeFiles;
    // Exclusion patterns matched against every candidate's full path.
    std::vector<std::string> ExcludeFiles;
    bool Subfolders = true;
    unsigned Attributes = ff::Archive | ff::Readonly | ff::Hidden | ff::System;
    bool ExactAttribute = false;
    std::uint64_t SizeMin = 0; // 0: no bound
    std::uint64_t SizeMax = 0;

    std::function<void(const std::string& folder, const platform::FileEntry& entry)> OnFound;
    std::function<void(const std::string& folder, bool& ignoreFolder)> OnNewFolder;
    std::function<void()> OnComplete;

    // Runs one search on the calling thread; returns at once when a search
    // is already running (called again from a handler). OnComplete is always
    // delivered, also after an abort.
    void Execute();

    bool Busy() const { return busy_; }

private:
    struct Run;
    void SearchFolder(Run& run, const std::string& folder, const std::string& mask);
    bool Accept(const Run& run, const std::string& folderUpper, const platform::FileEntry& e) const;

    platform::FileSystem& fs_;
    bool busy_ = false;
};

// The folder as handlers see it: without its trailing backslash, except a
// drive root ("C:\").
std::string ReportedFolder(const std::string& folderWithBackslash);

} // namespace quill
