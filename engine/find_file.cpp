#include "engine/find_file.h"

#include "platform/text.h"

namespace quill {

namespace {

bool SameNoAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && text::AsciiUpper(a) == text::AsciiUpper(b);
}

} // namespace

TFindFile::TFindFile(platform::FileSystem& fs) : fs_(fs) {}

TFindFile::TFindFile(platform::FileSystem& fs, const platform::TimeZone& zone)
    : fs_(fs), zone_(&zone) {}

TFindFile::~TFindFile() {
    destroying_ = true;
    thread_.reset(); // stops and joins the worker
}

void TFindFile::SetFilename(const std::string& value) {
    if (value.find_first_of("\\/:") != std::string::npos) {
        throw EFindFileError(value + "\n\rInvalid filename specified");
    }
    filename_ = value;
}

void TFindFile::SetLocation(const std::string& value) {
    if (value.find_first_of("*?") != std::string::npos) {
        throw EFindFileError(value + "\n\rlocation cannot to be contained wildcards");
    }
    location_ = value;
}

void TFindFile::SetThreadPriority(TThreadPriority priority) {
    priority_ = priority;
    if (thread_) {
        thread_->SetPriority(priority);
    }
}

std::vector<std::string> TFindFile::FoldersFromLocation() const {
    std::string mask = filename_.empty() ? "*.*" : filename_;
    if (mask.find('.') == std::string::npos) {
        mask += ".*";
    }
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= location_.size()) {
        auto end = location_.find(';', start);
        if (end == std::string::npos) {
            end = location_.size();
        }
        std::string piece = location_.substr(start, end - start);
        start = end + 1;
        if (piece.empty()) {
            continue; // an empty piece never means the current folder
        }
        if (piece.back() != '\\') {
            piece += '\\';
        }
        if (!IsFullFolder(piece)) {
            continue; // nor is a relative one resolved against it
        }
        piece += mask;
        bool seen = false;
        for (const auto& f : folders) {
            seen = seen || SameNoAsciiCase(f, piece);
        }
        if (!seen) {
            folders.push_back(std::move(piece));
        }
    }
    return folders;
}

SearchSettings TFindFile::TakeSnapshot() const {
    SearchSettings s;
    s.folders = IncludeFiles.empty() ? FoldersFromLocation() : IncludeFiles;
    s.exclusions = ExcludeFiles;
    s.subfolders = Subfolders;
    s.attributes = Attributes;
    s.exactAttribute = ExactAttribute;
    s.modifiedBefore = ModifiedBefore;
    s.modifiedAfter = ModifiedAfter;
    s.createdBefore = CreatedBefore;
    s.createdAfter = CreatedAfter;
    s.accessedBefore = AccessedBefore;
    s.accessedAfter = AccessedAfter;
    s.sizeMin = SizeMin;
    s.sizeMax = SizeMax;
    s.containing = Containing;
    s.ignoreCase = IgnoreCase;
    return s;
}

void TFindFile::Execute() {
    if (busy_) {
        return;
    }
    if (Threaded && Dispatcher == nullptr) {
        throw EFindFileError("A threaded search needs a dispatcher");
    }
    SearchSettings settings = TakeSnapshot();
    if (settings.HasDateBounds() && zone_ == nullptr) {
        throw EFindFileError("A search with date bounds needs a time zone");
    }
    auto walk = std::make_unique<SearchWalk>(fs_, zone_, std::move(settings));
    busy_ = true;
    failure_ = nullptr;
    if (Threaded) {
        SearchSink& sink = *this;
        try {
            thread_ = std::make_unique<TSearchThread>(
                sink, *Dispatcher, std::move(walk), priority_,
                [this](const WalkOutcome& outcome) { ThreadEnded(outcome); });
        } catch (...) {
            busy_ = false;
            throw;
        }
        return;
    }
    Finish(walk->Run(static_cast<SearchSink&>(*this)));
}

void TFindFile::ThreadEnded(const WalkOutcome& outcome) {
    thread_.reset(); // the worker has ended its walk: this only joins it
    Finish(outcome);
}

void TFindFile::Finish(const WalkOutcome& outcome) {
    std::exception_ptr failure = failure_ ? failure_ : outcome.failure;
    failure_ = nullptr;
    DeliverCompletion();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

SinkAnswer TFindFile::Failed() {
    try {
        throw;
    } catch (const EFindFileAbort&) {
    } catch (...) {
        if (!failure_) {
            failure_ = std::current_exception();
        }
    }
    return SinkAnswer::Abort;
}

SinkAnswer TFindFile::NewFolder(const std::string& folder) {
    if (destroying_) {
        return SinkAnswer::Abort;
    }
    try {
        return DeliverNewFolder(folder) ? SinkAnswer::Go : SinkAnswer::SkipFolder;
    } catch (...) {
        return Failed();
    }
}

SinkAnswer TFindFile::Found(const std::string& folder, const platform::FileEntry& entry) {
    if (destroying_) {
        return SinkAnswer::Abort;
    }
    try {
        DeliverFound(folder, entry);
        return SinkAnswer::Go;
    } catch (...) {
        return Failed();
    }
}

void TFindFile::DeliverFound(const std::string& folder, const platform::FileEntry& entry) {
    if (OnFound && !destroying_) {
        OnFound(folder, entry);
    }
}

bool TFindFile::DeliverNewFolder(const std::string& folder) {
    bool ignore = false;
    if (OnNewFolder && !destroying_) {
        OnNewFolder(folder, ignore);
    }
    return !ignore;
}

void TFindFile::DeliverCompletion() {
    busy_ = false;
    if (OnComplete && !destroying_) {
        OnComplete();
    }
}

} // namespace quill
