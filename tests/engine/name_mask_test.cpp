// Masks matched against long names: what the mask says, nothing more.

#include "engine/name_mask.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(NameMask, NearMissesOfAnExtensionDoNotMatch) {
    const NameMask tmp("*.tmp");
    EXPECT_TRUE(tmp.Matches("a.tmp"));
    EXPECT_TRUE(tmp.Matches("A.TMP"));
    EXPECT_TRUE(tmp.Matches("a.b.tmp"));
    EXPECT_TRUE(tmp.Matches(".tmp"));
    EXPECT_FALSE(tmp.Matches("report.tmpl"));
    EXPECT_FALSE(tmp.Matches("x.tmpx"));
    EXPECT_FALSE(tmp.Matches("x.tmp~"));
    EXPECT_FALSE(tmp.Matches("tmp"));
    EXPECT_FALSE(tmp.Matches("xtmp"));
}

TEST(NameMask, StarTakesAnyRunQuestionMarkExactlyOne) {
    EXPECT_TRUE(MatchesMask("log1.txt", "log?.txt"));
    EXPECT_FALSE(MatchesMask("log12.txt", "log?.txt"));
    EXPECT_FALSE(MatchesMask("log.txt", "log?.txt"));
    EXPECT_TRUE(MatchesMask("abcabd", "*abd")); // the star gives back what it took
    EXPECT_TRUE(MatchesMask("aXbXc", "a*b*c"));
    EXPECT_FALSE(MatchesMask("aXbXd", "a*b*c"));
    EXPECT_TRUE(MatchesMask("anything at all", "*"));
    EXPECT_TRUE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("a", ""));
    EXPECT_TRUE(MatchesMask("~df12.tmp", "~*.tmp"));
}

TEST(NameMask, StarDotStarIsEveryNameAndDotStarMayBeMissing) {
    EXPECT_TRUE(MatchesMask("readme", "*.*"));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.*"));
    EXPECT_TRUE(MatchesMask(".profile", "*.*"));
    EXPECT_TRUE(MatchesMask("readme", "readme.*"));
    EXPECT_TRUE(MatchesMask("README.TXT", "readme.*"));
    EXPECT_FALSE(MatchesMask("readme2.txt", "readme.*"));
    EXPECT_FALSE(MatchesMask("read", "readme.*"));
}

TEST(NameMask, NamesInAnyScriptMatchWholeCharacters) {
    const std::string umlaut = "\xC3\x84rger.txt";               // Ärger.txt
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC.tmp"; // 日本.tmp
    EXPECT_TRUE(MatchesMask(umlaut, "\xC3\xA4*.TXT"));           // ä*.TXT, letter case folded
    EXPECT_TRUE(MatchesMask(umlaut, "?rger.txt"));               // one ? for the whole letter
    EXPECT_FALSE(MatchesMask(umlaut, "??rger.txt"));
    EXPECT_TRUE(MatchesMask(japanese, "??.tmp"));
    EXPECT_FALSE(MatchesMask(japanese, "?.tmp"));
    EXPECT_FALSE(MatchesMask(japanese, "???.tmp"));
    EXPECT_TRUE(MatchesMask(japanese, "\xE6\x97\xA5*"));
    EXPECT_FALSE(MatchesMask(japanese, "\xE6\x9C\xAC*"));
    // Cyrillic capital and small Pe are one letter.
    EXPECT_TRUE(MatchesMask("\xD0\x9F.txt", "\xD0\xBF.TXT"));
}

} // namespace
} // namespace quill
