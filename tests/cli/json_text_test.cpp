// JSON strings for any name: escapes, control characters, non-ASCII text
// kept, and bytes that are not UTF-8 replaced so the output stays valid.

#include "cli/json_text.h"

#include <gtest/gtest.h>

namespace quill::cli {
namespace {

TEST(JsonTextTest, EscapesWhatJsonRequires) {
    EXPECT_EQ(JsonString(""), "\"\"");
    EXPECT_EQ(JsonString("C:\\Temp\\\"quoted\".txt"), "\"C:\\\\Temp\\\\\\\"quoted\\\".txt\"");
    EXPECT_EQ(JsonString("a\tb\nc\rd\be\ff"), "\"a\\tb\\nc\\rd\\be\\ff\"");
    EXPECT_EQ(JsonString(std::string("x\0y\x1f\x7f", 5)), "\"x\\u0000y\\u001f\\u007f\"");
    EXPECT_EQ(JsonString("a/b<|>DeleteKey"), "\"a/b<|>DeleteKey\"");
}

TEST(JsonTextTest, KeepsUtf8AndReplacesWhatIsNot) {
    // Two-, three- and four-byte characters stay as they are.
    const std::string text = "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(JsonString(text), "\"" + text + "\"");
    // A stray continuation byte, a cut sequence, an overlong form, a
    // surrogate and a lead byte beyond U+10FFFF each become U+FFFD.
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(JsonString("a\x80z"), "\"a" + bad + "z\"");
    EXPECT_EQ(JsonString("a\xE6\x97"), "\"a" + bad + bad + "\"");
    EXPECT_EQ(JsonString("\xC0\xAF"), "\"" + bad + bad + "\"");
    EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"" + bad + bad + bad + "\"");
    EXPECT_EQ(JsonString("\xF5\x80\x80\x80"), "\"" + bad + bad + bad + bad + "\"");
    // A Latin-1 name read as bytes.
    EXPECT_EQ(JsonString("na\xEFve"), "\"na" + bad + "ve\"");
}

} // namespace
} // namespace quill::cli
