#include "engine/find_file.h"

#include "platform/text.h"

namespace quill {

namespace {

bool IsAscii(const std::string& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Glob match of folded texts: "*" any run, "?" one byte of the name.
bool Glob(const char* n, const char* m) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*m == '*') {
            star = m++;
            resume = n;
        } else if (*m == '?' || *m == *n) {
            ++m;
            ++n;
        } else if (star) {
            m = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*m == '*') {
        ++m;
    }
    return *m == 0;
}

// Compares a name with a pattern name the way exclusions do: a "*" never
// reaches past a "." of the name, and a "?" never stands for a ".".
bool ExclusionNameMatch(const std::string& c, const std::string& p) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        if (i >= c.size() || j >= p.size()) {
            while (j < p.size() && (p[j] == '*' || p[j] == '?')) {
                ++j;
            }
            return i >= c.size() && j >= p.size();
        }
        if (c[i] == p[j] || (p[j] == '?' && c[i] != '.')) {
            ++i;
            ++j;
        } else if (c[i] == '.') {
            if (p[j] == '?') {
                ++j;
            } else if (p[j] == '*') {
                while (j < p.size() && p[j] != '.') {
                    ++j;
                }
            } else {
                return false;
            }
        } else if (p[j] == '*') {
            ++i;
        } else {
            return false;
        }
    }
}

} // namespace

unsigned FileAttributeSet(std::uint32_t a) {
    unsigned set = 0;
    if (a & platform::attr::Archive) {
        set |= ff::Archive;
    }
    if (a & platform::attr::ReadOnly) {
        set |= ff::Readonly;
    }
    if (a & platform::attr::Hidden) {
        set |= ff::Hidden;
    }
    if (a & platform::attr::System) {
        set |= ff::System;
    }
    if (a & platform::attr::Directory) {
        set |= ff::Directory;
    }
    return set;
}

bool MatchesMask(const std::string& name, const std::string& mask) {
    if (mask == "*" || mask == "*.*") {
        return true;
    }
    if (IsAscii(name) && IsAscii(mask)) {
        return Glob(text::AsciiUpper(name).c_str(), text::AsciiUpper(mask).c_str());
    }
    return Glob(text::FoldCaseCopy(name).c_str(), text::FoldCaseCopy(mask).c_str());
}

ExclusionPattern::ExclusionPattern(const std::string& pattern) {
    const std::string upper = text::AsciiUpper(pattern);
    const auto slash = upper.rfind('\\');
    if (slash == std::string::npos) {
        name_ = upper;
        return;
    }
    hasFolder_ = true;
    folder_ = upper.substr(0, slash + 1);
    name_ = upper.substr(slash + 1);
    if (folder_.size() >= 2 && folder_[1] == ':') {
        drive_ = folder_[0];
        folder_.erase(0, 2);
    }
}

bool ExclusionPattern::Matches(const std::string& folder, const std::string& name) const {
    if (hasFolder_) {
        if (drive_ && drive_ != '*' && drive_ != '?' && (folder.empty() || folder[0] != drive_)) {
            return false;
        }
        if (folder.size() < folder_.size() + 2) {
            return false;
        }
        if (folder.compare(folder.size() - folder_.size(), folder_.size(), folder_) != 0) {
            return false;
        }
    }
    // An empty name and a lone "*" match every name; the step-by-step
    // comparison would stop a lone star at the first dot.
    return name_.empty() || name_ == "*" || ExclusionNameMatch(name, name_);
}

std::string ReportedFolder(const std::string& f) {
    if (f.size() > 1 && f.back() == '\\' && f[f.size() - 2] != ':') {
        return f.substr(0, f.size() - 1);
    }
    return f;
}

struct TFindFile::Run {
    std::vector<ExclusionPattern> exclusions;
    bool subfolders;
    unsigned attributes;
    bool exact;
    std::uint64_t sizeMin;
    std::uint64_t sizeMax;
    bool aborted = false;
};

bool TFindFile::Accept(const Run& run, const std::string& folderUpper,
                       const platform::FileEntry& e) const {
    const unsigned set = FileAttributeSet(e.attributes);
    if (run.exact ? set != run.attributes : (set != 0 && (set & run.attributes) == 0)) {
        return false;
    }
    if (!e.IsDirectory()) {
        if (run.sizeMin != 0 && e.size < run.sizeMin) {
            return false;
        }
        if (run.sizeMax != 0 && e.size > run.sizeMax) {
            return false;
        }
    }
    if (!run.exclusions.empty()) {
        const std::string name = text::AsciiUpper(e.name);
        for (const auto& p : run.exclusions) {
            if (p.Matches(folderUpper, name)) {
                return false;
            }
        }
    }
    return true;
}

void TFindFile::SearchFolder(Run& run, const std::string& folder, const std::string& mask) {
    const std::string reported = ReportedFolder(folder);
    bool ignore = false;
    if (OnNewFolder) {
        OnNewFolder(reported, ignore);
    }
    if (ignore || run.aborted) {
        return;
    }
    const std::string folderUpper =
        run.exclusions.empty() ? std::string() : text::AsciiUpper(folder);
    std::vector<std::string> subfolders;
    (void)fs_.ListFolder(folder, [&](const platform::FileEntry& e) {
        if (e.name.empty() || e.name[0] == '.') {
            return true;
        }
        if (MatchesMask(e.name, mask) && Accept(run, folderUpper, e) && OnFound) {
            OnFound(reported, e);
        }
        // A junction or directory link is never entered: it may lead far
        // outside the folder the item names.
        if (run.subfolders && e.IsDirectory() && !(e.attributes & platform::attr::ReparsePoint)) {
            subfolders.push_back(e.name);
        }
        return !run.aborted;
    });
    for (const auto& name : subfolders) {
        if (run.aborted) {
            return;
        }
        SearchFolder(run, folder + name + "\\", mask);
    }
}

void TFindFile::Execute() {
    if (busy_) {
        return;
    }
    busy_ = true;
    Run run;
    for (const auto& p : ExcludeFiles) {
        run.exclusions.emplace_back(p);
    }
    run.subfolders = Subfolders;
    run.attributes = Attributes;
    run.exact = ExactAttribute;
    run.sizeMin = SizeMin;
    run.sizeMax = SizeMax;
    const std::vector<std::string> entries = IncludeFiles;
    try {
        for (const auto& entry : entries) {
            if (run.aborted) {
                break;
            }
            const auto split = entry.find_last_of("\\:");
            if (split == std::string::npos) {
                continue; // no folder: never the current folder
            }
            std::string folder = entry.substr(0, split + 1);
            if (folder.back() == ':') {
                folder += '\\';
            }
            SearchFolder(run, folder, entry.substr(split + 1));
        }
    } catch (...) {
        // A handler's error, the silent abort among them, ends the walk.
        run.aborted = true;
    }
    busy_ = false;
    if (OnComplete) {
        OnComplete();
    }
}

} // namespace quill
