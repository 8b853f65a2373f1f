// Exclusion patterns: name-only patterns, the folder suffix test, drive
// letters and the rules of the name comparison around dots.

#include "engine/exclusion_match.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

bool Excluded(const std::string& path, const std::string& pattern) {
    return MatchesExclusion(path, pattern);
}

TEST(ExclusionMatch, NameOnlyPatternsApplyInEveryFolder) {
    EXPECT_TRUE(Excluded("C:\\Windows\\Temp\\index.dat", "index.dat"));
    EXPECT_TRUE(Excluded("D:\\x\\y\\z\\INDEX.DAT", "Index.Dat"));
    EXPECT_FALSE(Excluded("C:\\a\\index.dat2", "index.dat"));
    EXPECT_TRUE(Excluded("C:\\a\\b.log", "*.log"));
    EXPECT_TRUE(Excluded("C:\\b.LOG", "*.log"));
    EXPECT_FALSE(Excluded("C:\\a\\b.logx", "*.log"));
}

TEST(ExclusionMatch, FolderPartIsAPlainSuffixOfTheCandidatesFolder) {
    EXPECT_TRUE(Excluded("C:\\Temp\\a.b", "\\Temp\\*.*"));
    EXPECT_FALSE(Excluded("C:\\Temp\\readme", "\\Temp\\*.*")); // no dot
    EXPECT_TRUE(Excluded("C:\\MyTemp\\x.log", "Temp\\*.log")); // not aligned to folders
    EXPECT_FALSE(Excluded("C:\\MyTemp\\x.log", "\\Temp\\*.log"));
    EXPECT_FALSE(Excluded("C:\\Temp\\sub\\x.log", "Temp\\*.log")); // only the folder itself
    EXPECT_TRUE(Excluded("C:\\a\\temp\\x.log", "TEMP\\*.LOG"));
    // An empty name part takes every name in the folder.
    EXPECT_TRUE(Excluded("C:\\a\\temp\\noext", "temp\\"));
}

TEST(ExclusionMatch, CandidateFolderMustBeLongEnough) {
    // The candidate's folder less two characters must not be shorter than
    // the pattern's folder part.
    EXPECT_FALSE(Excluded("C:\\x", "C:\\Temp\\x"));
    EXPECT_FALSE(Excluded("C:\\x", ":\\x")); // a suffix, but "C:\" less two is shorter
    EXPECT_TRUE(Excluded("C:\\ab\\x", "\\ab\\x"));
    EXPECT_TRUE(Excluded("C:\\x", "C:\\x")); // "\" after the drive is removed
}

TEST(ExclusionMatch, DriveLetterMustMatchUnlessWild) {
    EXPECT_TRUE(Excluded("C:\\Windows\\Temp\\a.b", "C:\\WINDOWS\\Temp\\*.*"));
    EXPECT_TRUE(Excluded("c:\\windows\\temp\\a.b", "C:\\WINDOWS\\Temp\\*.*"));
    EXPECT_FALSE(Excluded("D:\\Windows\\Temp\\a.b", "C:\\WINDOWS\\Temp\\*.*"));
    EXPECT_TRUE(Excluded("D:\\Windows\\Temp\\a.b", "*:\\WINDOWS\\Temp\\*.*"));
    EXPECT_TRUE(Excluded("E:\\Windows\\Temp\\a.b", "?:\\WINDOWS\\Temp\\*.*"));
    EXPECT_FALSE(Excluded("\\\\server\\Windows\\Temp\\a.b", "C:\\WINDOWS\\Temp\\*.*"));
    // The drive only names the drive: the rest is still a suffix test.
    EXPECT_TRUE(Excluded("C:\\old\\Windows\\Temp\\a.b", "C:\\WINDOWS\\Temp\\*.*"));
}

TEST(ExclusionMatch, StarNeverReachesPastADotOfTheName) {
    EXPECT_TRUE(Excluded("C:\\a.txt", "*.txt"));
    EXPECT_FALSE(Excluded("C:\\a.b.txt", "*.txt"));
    EXPECT_FALSE(Excluded("C:\\readme", "*.*"));
    EXPECT_TRUE(Excluded("C:\\a.b", "*.*"));
    EXPECT_TRUE(Excluded("C:\\a.b.c", "*.*")); // the closing star takes the rest
    EXPECT_TRUE(Excluded("C:\\a.b.txt", "*"));
    EXPECT_TRUE(Excluded("C:\\readme", "*"));
    EXPECT_TRUE(Excluded("C:\\abc.txt", "a*.txt"));
    EXPECT_TRUE(Excluded("C:\\a.txt", "a*.txt")); // the star may take nothing
    EXPECT_TRUE(Excluded("C:\\a.b.c", "a.*"));
    // At a dot of the name, a star passes over the pattern up to its next dot.
    EXPECT_TRUE(Excluded("C:\\ab.c", "a*x.c"));
    EXPECT_FALSE(Excluded("C:\\ab.c", "a*x.d"));
}

TEST(ExclusionMatch, QuestionMarkIsNeverADot) {
    EXPECT_FALSE(Excluded("C:\\a.b", "a?b"));
    EXPECT_TRUE(Excluded("C:\\a.b", "a?.b")); // "?" may stand for nothing before a dot
    EXPECT_TRUE(Excluded("C:\\ab.b", "a?.b"));
    EXPECT_FALSE(Excluded("C:\\abc.b", "a?.b"));
    EXPECT_TRUE(Excluded("C:\\log1", "log?"));
    EXPECT_TRUE(Excluded("C:\\log", "log?")); // left-over wildcards match nothing
    EXPECT_FALSE(Excluded("C:\\log12", "log?"));
    EXPECT_TRUE(Excluded("C:\\\xC3\x84.txt", "?.txt")); // one ? for a whole letter
}

TEST(ExclusionMatch, ListExcludesWhenAnyPatternMatches) {
    const ExclusionList list({"*.dll", "Temp\\*.log"});
    EXPECT_TRUE(list.Excludes("C:\\x\\", "a.dll"));
    EXPECT_TRUE(list.Excludes("C:\\Temp\\", "a.log"));
    EXPECT_FALSE(list.Excludes("C:\\x\\", "a.log"));
    EXPECT_TRUE(ExclusionList().Empty());
    EXPECT_FALSE(ExclusionList().Excludes("C:\\", "a"));
}

} // namespace
} // namespace quill
