#pragma once

#include "engine/date_bounds.h"
#include "engine/exclusion_match.h"
#include "engine/file_attributes.h"
#include "engine/name_mask.h"
#include "engine/phrase_search.h"
#include "platform/clock.h"
#include "platform/file_system.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

// The walk of one search over the folder trees, with every filter; it
// reports to a sink and knows nothing of threads or handlers.

namespace quill {

// What one search works with, copied when it starts.
struct SearchSettings {
    std::vector<std::string> folders; // folder + backslash + mask, each searched
    std::vector<std::string> exclusions;
    bool subfolders = true;
    TFileAttributes attributes = ff::Default;
    bool exactAttribute = false;
    TDateTime modifiedBefore = 0, modifiedAfter = 0;
    TDateTime createdBefore = 0, createdAfter = 0;
    TDateTime accessedBefore = 0, accessedAfter = 0;
    std::int64_t sizeMin = 0, sizeMax = 0; // bytes, 0: no bound
    std::string containing;
    bool ignoreCase = true;

    [[nodiscard]] bool HasDateBounds() const;
};

enum class SinkAnswer { Go, SkipFolder, Abort };

class SearchSink {
public:
    virtual ~SearchSink() = default;
    // A folder is about to be searched; SkipFolder skips it with its subtree.
    virtual SinkAnswer NewFolder(const std::string& folder) = 0;
    // An entry passed every test.
    virtual SinkAnswer Found(const std::string& folder, const platform::FileEntry& entry) = 0;
    // True when the search is to end at the next step.
    virtual bool StopRequested() = 0;
};

struct WalkOutcome {
    bool aborted = false;
    std::exception_ptr failure; // an error of the walk itself
};

// The folder as events carry it: without its trailing backslash, except a
// drive root ("C:\" stays, "C:\Temp\" becomes "C:\Temp").
std::string ReportedFolder(const std::string& folderWithBackslash);

// True for "X:\..." and "\\server\share\...": a search never falls back to
// the current folder, so a folder must be named in full.
bool IsFullFolder(const std::string& folder);

class SearchWalk {
public:
    // zone converts file times for the date bounds; it may be null when
    // the settings have none.
    SearchWalk(platform::FileSystem& fs, const platform::TimeZone* zone, SearchSettings settings);

    // Walks every folder entry in order. Folders that reparse (junctions,
    // links, mount points) met on the way down are never entered; the folder
    // an entry names is searched as given.
    WalkOutcome Run(SearchSink& sink);

private:
    void SearchFolder(std::string& folder, const NameMask& mask);
    bool Accept(const std::string& folder, const platform::FileEntry& e);
    bool TimeAdmitted(const DateBounds& bounds, platform::FileTime time) const;
    bool Continuing();

    platform::FileSystem& fs_;
    const platform::TimeZone* zone_;
    SearchSettings settings_;
    ExclusionList exclusions_;
    DateBounds created_, modified_, accessed_;
    std::unique_ptr<PhraseSearch> phrase_;
    SearchSink* sink_ = nullptr;
    bool aborted_ = false;
    std::string path_; // scratch for the content test
};

} // namespace quill
