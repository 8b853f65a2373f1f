#pragma once

#include <string>
#include <string_view>

// A file mask matched against long names in the program, so that it means
// what it says: the system's own directory search also matches the short
// 8.3 names, which lets *.tmp find report.tmpl.

namespace quill {

class NameMask {
public:
    // "*" stands for any run of characters, "?" for exactly one character;
    // letters compare without regard to case. A mask ending in ".*" also
    // matches the name without the dot and what follows ("readme.*" matches
    // readme, "*.*" every name).
    explicit NameMask(std::string mask);

    [[nodiscard]] bool Matches(std::string_view name) const;
    [[nodiscard]] const std::string& Text() const { return mask_; }

private:
    std::string mask_;
    bool dotStarOptional_ = false;
};

// One-off form of NameMask(mask).Matches(name).
bool MatchesMask(std::string_view name, std::string_view mask);

} // namespace quill
