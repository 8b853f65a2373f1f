#include "platform/text.h"
#include "platform/wide_text.h"

#include <gtest/gtest.h>

namespace quill::text {
namespace {

TEST(Text, TrimRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(Trim(" \t\r\n\x01"
                   "abc d\x1f\x7f"),
              "abc d\x1f\x7f");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
}

TEST(Text, CaseInsensitiveComparisonCoversScriptsBeyondAscii) {
    EXPECT_TRUE(EqualsNoCase("Temporary FILES", "temporary files"));
    EXPECT_TRUE(EqualsNoCase("\xC3\x84RGER", "\xC3\xA4rger"));         // Ärger
    EXPECT_TRUE(EqualsNoCase("\xD0\x9F\xD0\xA0", "\xD0\xBF\xD1\x80")); // ПР / пр
    EXPECT_TRUE(EqualsNoCase("\xCE\xA3", "\xCF\x83"));                 // Σ / σ
    EXPECT_FALSE(EqualsNoCase("abc", "abd"));
    EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
    EXPECT_EQ(FoldCaseCopy("ABC\xC3\x84"), FoldCaseCopy("abc\xC3\xA4"));
}

TEST(Text, AsciiUpperLeavesOtherLettersAlone) {
    EXPECT_EQ(AsciiUpper("hkey_Current_user\xC3\xA4"), "HKEY_CURRENT_USER\xC3\xA4");
}

TEST(Text, FileTextIsUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFname=\xC3\xA9"), "name=\xC3\xA9");
    // 0xE9 alone is not UTF-8: é in Windows-1252; 0x80 is the euro sign.
    EXPECT_EQ(DecodeFileText("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(DecodeFileText("plain"), "plain");
}

TEST(Text, FirstCodePointsNeverSplitsACharacter) {
    EXPECT_EQ(FirstCodePoints("a\xC3\xA9z", 2), "a\xC3\xA9");
    EXPECT_EQ(FirstCodePoints("ab", 5), "ab");
}

TEST(WideText, RoundTripsEveryScriptAndUnpairedSurrogates) {
    const std::string samples[] = {"plain", "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x98\x80 emoji",
                                   "\xD0\x9F\xD1\x80\xD0\xB8"};
    for (const auto& s : samples) {
        EXPECT_EQ(FromUtf16(ToUtf16(s)), s);
    }
    EXPECT_EQ(ToUtf16("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
    const std::u16string lone{u'a', 0xD800, u'b'};
    EXPECT_EQ(ToUtf16(FromUtf16(lone)), lone);
}

} // namespace
} // namespace quill::text
