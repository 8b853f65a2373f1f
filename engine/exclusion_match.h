#pragma once

#include <string>
#include <string_view>
#include <vector>

// Exclusion patterns: the files a search never reports.
//
// A pattern without a backslash is a name pattern that applies in every
// folder (*.dll, index.dat). A pattern with a folder part also asks that the
// candidate's folder end with that part, as plain text (Temp\ matches
// C:\MyTemp\ too); a leading drive letter must equal the candidate's drive
// unless it is * or ?. ASCII letters compare without regard to case.
//
// In the name part a "*" never reaches past a "." of the candidate name
// (*.txt matches a.txt, not a.b.txt; *.* needs a dot), "?" stands for one
// character other than "." and may also stand for nothing before a "."; a
// pattern ending in stars takes the whole rest of the name (* alone matches
// every name).

namespace quill {

class ExclusionPattern {
public:
    explicit ExclusionPattern(std::string_view pattern);

    // folder is the candidate's folder with its trailing backslash, name its
    // name; both in any case.
    [[nodiscard]] bool Matches(std::string_view folder, std::string_view name) const;

private:
    bool hasFolder_ = false;
    char drive_ = 0; // 0: none, else the upper-case letter, '*' or '?'
    std::string folder_;
    std::string name_;
};

// The patterns of one search, prepared once for every candidate.
class ExclusionList {
public:
    ExclusionList() = default;
    explicit ExclusionList(const std::vector<std::string>& patterns);

    [[nodiscard]] bool Excludes(std::string_view folder, std::string_view name) const;
    [[nodiscard]] bool Empty() const { return patterns_.empty(); }

private:
    std::vector<ExclusionPattern> patterns_;
};

// One-off test of a full path (folder, backslash, name) against a pattern.
bool MatchesExclusion(std::string_view path, std::string_view pattern);

} // namespace quill
