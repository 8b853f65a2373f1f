#include "engine/exclusion_match.h"

#include "engine/code_points.h"

namespace quill {

namespace {

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = AsciiUpper(c);
    }
    return out;
}

// True when the last suffix.size() characters of text are suffix (which is
// already upper-case), ignoring the case of ASCII letters.
bool EndsWithUpper(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    const std::size_t start = text.size() - suffix.size();
    for (std::size_t k = 0; k < suffix.size(); ++k) {
        if (AsciiUpper(text[start + k]) != suffix[k]) {
            return false;
        }
    }
    return true;
}

bool OnlyStars(std::string_view p, std::size_t j) {
    for (; j < p.size(); ++j) {
        if (p[j] != '*') {
            return false;
        }
    }
    return true;
}

// c is the candidate name in any case, p the upper-case pattern name.
bool NameMatches(std::string_view c, std::string_view p) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        if (i >= c.size() || j >= p.size()) {
            while (j < p.size() && (p[j] == '*' || p[j] == '?')) {
                ++j;
            }
            return i >= c.size() && j >= p.size();
        }
        const std::size_t lc = CodePointLength(c, i);
        const std::size_t lp = CodePointLength(p, j);
        const bool same = lc == 1 ? (lp == 1 && AsciiUpper(c[i]) == p[j])
                                  : (lc == lp && c.compare(i, lc, p, j, lp) == 0);
        if (same || (p[j] == '?' && c[i] != '.')) {
            i += lc;
            j += lp;
        } else if (c[i] == '.') {
            if (p[j] == '?') {
                ++j;
            } else if (p[j] == '*') {
                if (OnlyStars(p, j)) {
                    return true; // a closing star takes the rest, dots and all
                }
                while (j < p.size() && p[j] != '.') {
                    ++j;
                }
            } else {
                return false;
            }
        } else if (p[j] == '*') {
            i += lc;
        } else {
            return false;
        }
    }
}

} // namespace

ExclusionPattern::ExclusionPattern(std::string_view pattern) {
    const std::string upper = Upper(pattern);
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

bool ExclusionPattern::Matches(std::string_view folder, std::string_view name) const {
    if (hasFolder_) {
        if (drive_ != 0 && drive_ != '*' && drive_ != '?' &&
            (folder.empty() || AsciiUpper(folder[0]) != drive_)) {
            return false;
        }
        if (static_cast<std::ptrdiff_t>(folder.size()) - 2 <
            static_cast<std::ptrdiff_t>(folder_.size())) {
            return false;
        }
        if (!EndsWithUpper(folder, folder_)) {
            return false;
        }
    }
    return name_.empty() || NameMatches(name, name_);
}

ExclusionList::ExclusionList(const std::vector<std::string>& patterns) {
    patterns_.reserve(patterns.size());
    for (const auto& p : patterns) {
        patterns_.emplace_back(p);
    }
}

bool ExclusionList::Excludes(std::string_view folder, std::string_view name) const {
    for (const auto& p : patterns_) {
        if (p.Matches(folder, name)) {
            return true;
        }
    }
    return false;
}

bool MatchesExclusion(std::string_view path, std::string_view pattern) {
    const auto slash = path.rfind('\\');
    const std::size_t cut = slash == std::string_view::npos ? 0 : slash + 1;
    return ExclusionPattern(pattern).Matches(path.substr(0, cut), path.substr(cut));
}

} // namespace quill
