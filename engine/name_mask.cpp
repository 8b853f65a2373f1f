#include "engine/name_mask.h"

#include "engine/code_points.h"
#include "platform/text.h"

namespace quill {

namespace {

// True when the characters n[i, i+ln) and m[j, j+lm) are the same letter,
// whatever its case.
bool SameCharacter(std::string_view n, std::size_t i, std::size_t ln, std::string_view m,
                   std::size_t j, std::size_t lm) {
    if (ln == 1 && lm == 1) {
        return AsciiUpper(n[i]) == AsciiUpper(m[j]);
    }
    if (ln == lm && n.compare(i, ln, m, j, lm) == 0) {
        return true;
    }
    return ln > 1 && lm > 1 && text::EqualsNoCase(n.substr(i, ln), m.substr(j, lm));
}

bool Glob(std::string_view n, std::string_view m) {
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t star = std::string_view::npos; // the last "*" of the mask met
    std::size_t resume = 0;                    // where that star's run ends
    while (i < n.size()) {
        if (j < m.size() && m[j] == '*') {
            star = j++;
            resume = i;
            continue;
        }
        const std::size_t ln = CodePointLength(n, i);
        if (j < m.size()) {
            const std::size_t lm = CodePointLength(m, j);
            if (m[j] == '?' || SameCharacter(n, i, ln, m, j, lm)) {
                i += ln;
                j += lm;
                continue;
            }
        }
        if (star == std::string_view::npos) {
            return false;
        }
        // The star takes one more character and the rest is tried again.
        resume += CodePointLength(n, resume);
        i = resume;
        j = star + 1;
    }
    while (j < m.size() && m[j] == '*') {
        ++j;
    }
    return j == m.size();
}

} // namespace

NameMask::NameMask(std::string mask) : mask_(std::move(mask)) {
    dotStarOptional_ = mask_.size() >= 2 && mask_.compare(mask_.size() - 2, 2, ".*") == 0;
}

bool NameMask::Matches(std::string_view name) const {
    if (Glob(name, mask_)) {
        return true;
    }
    return dotStarOptional_ && Glob(name, std::string_view(mask_).substr(0, mask_.size() - 2));
}

bool MatchesMask(std::string_view name, std::string_view mask) {
    return NameMask(std::string(mask)).Matches(name);
}

} // namespace quill
