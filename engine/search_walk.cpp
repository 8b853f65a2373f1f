#include "engine/search_walk.h"

namespace quill {

namespace {

bool StartsWithDot(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool SearchSettings::HasDateBounds() const {
    return modifiedBefore != 0 || modifiedAfter != 0 || createdBefore != 0 || createdAfter != 0 ||
           accessedBefore != 0 || accessedAfter != 0;
}

std::string ReportedFolder(const std::string& f) {
    if (f.size() > 1 && f.back() == '\\' && f[f.size() - 2] != ':') {
        return f.substr(0, f.size() - 1);
    }
    return f;
}

bool IsFullFolder(const std::string& folder) {
    if (folder.size() >= 3 && IsLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\') {
        return true;
    }
    return folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\' && folder[2] != '\\';
}

SearchWalk::SearchWalk(platform::FileSystem& fs, const platform::TimeZone* zone,
                       SearchSettings settings)
    : fs_(fs), zone_(zone), settings_(std::move(settings)), exclusions_(settings_.exclusions),
      created_(settings_.createdBefore, settings_.createdAfter),
      modified_(settings_.modifiedBefore, settings_.modifiedAfter),
      accessed_(settings_.accessedBefore, settings_.accessedAfter) {
    if (!settings_.containing.empty()) {
        phrase_ = std::make_unique<PhraseSearch>(settings_.containing, settings_.ignoreCase);
    }
}

bool SearchWalk::Continuing() {
    if (!aborted_ && sink_->StopRequested()) {
        aborted_ = true;
    }
    return !aborted_;
}

WalkOutcome SearchWalk::Run(SearchSink& sink) {
    sink_ = &sink;
    aborted_ = false;
    WalkOutcome outcome;
    try {
        for (const std::string& entry : settings_.folders) {
            if (!Continuing()) {
                break;
            }
            const auto cut = entry.find_last_of("\\:");
            if (cut == std::string::npos) {
                continue; // no folder part: nothing to search
            }
            std::string folder = entry.substr(0, cut + 1);
            if (!IsFullFolder(folder)) {
                continue; // relative: never resolved against the current folder
            }
            const NameMask mask(entry.substr(cut + 1));
            SearchFolder(folder, mask);
        }
    } catch (...) {
        aborted_ = true;
        outcome.failure = std::current_exception();
    }
    outcome.aborted = aborted_;
    sink_ = nullptr;
    return outcome;
}

void SearchWalk::SearchFolder(std::string& folder, const NameMask& mask) {
    if (!Continuing()) {
        return;
    }
    const std::string reported = ReportedFolder(folder);
    switch (sink_->NewFolder(reported)) {
    case SinkAnswer::Go:
        break;
    case SinkAnswer::SkipFolder:
        return;
    case SinkAnswer::Abort:
        aborted_ = true;
        return;
    }

    std::vector<std::string> subfolders;
    (void)fs_.ListFolder(folder, [&](const platform::FileEntry& e) {
        if (!Continuing()) {
            return false;
        }
        if (StartsWithDot(e.name)) {
            return true;
        }
        if (settings_.subfolders && e.IsDirectory() &&
            (e.attributes & platform::attr::ReparsePoint) == 0) {
            subfolders.push_back(e.name);
        }
        if (mask.Matches(e.name) && Accept(folder, e) &&
            sink_->Found(reported, e) == SinkAnswer::Abort) {
            aborted_ = true;
            return false;
        }
        return true;
    });

    const std::size_t length = folder.size();
    for (const std::string& name : subfolders) {
        if (!Continuing()) {
            break;
        }
        folder.append(name).push_back('\\');
        SearchFolder(folder, mask);
        folder.resize(length);
    }
}

bool SearchWalk::TimeAdmitted(const DateBounds& bounds, platform::FileTime time) const {
    if (!bounds.Active()) {
        return true;
    }
    platform::LocalTime local;
    if (zone_ == nullptr || !zone_->ToLocalTime(time, local)) {
        return false;
    }
    return bounds.Admits(ToDayAndTime(local));
}

bool SearchWalk::Accept(const std::string& folder, const platform::FileEntry& e) {
    if (!AttributesPass(FileAttributeSet(e.attributes), settings_.attributes,
                        settings_.exactAttribute)) {
        return false;
    }
    const bool file = !e.IsDirectory();
    if (file) {
        const auto size = static_cast<std::int64_t>(e.size);
        if (settings_.sizeMin != 0 && size < settings_.sizeMin) {
            return false;
        }
        if (settings_.sizeMax != 0 && size > settings_.sizeMax) {
            return false;
        }
    }
    if (!TimeAdmitted(created_, e.creationTime) || !TimeAdmitted(modified_, e.lastWriteTime) ||
        !TimeAdmitted(accessed_, e.lastAccessTime)) {
        return false;
    }
    if (!exclusions_.Empty() && exclusions_.Excludes(folder, e.name)) {
        return false;
    }
    if (file && phrase_) {
        path_.assign(folder).append(e.name);
        return phrase_->FileContains(fs_, path_);
    }
    return true;
}

} // namespace quill
