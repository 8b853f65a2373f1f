// The wash log's stamp, date and markup.

#include "log/log_markup.h"

#include <gtest/gtest.h>

namespace quill::logmarkup {
namespace {

TEST(LogMarkup, StampCountsDaysSince30December1899) {
    EXPECT_EQ(Stamp({1899, 12, 30, 0, 0, 0, 0}), "0");
    EXPECT_EQ(Stamp({1900, 1, 1, 12, 0, 0, 0}), "2.5");
    EXPECT_EQ(Stamp({2026, 12, 8, 0, 0, 0, 0}), "46364");
    EXPECT_EQ(Stamp({2026, 12, 8, 6, 30, 42, 0}), "46364.2713194444");
    EXPECT_EQ(Stamp({1899, 12, 29, 0, 0, 0, 0}), "-1");
}

TEST(LogMarkup, DateLeavesOutTheTimeAtMidnightOnly) {
    EXPECT_EQ(Date({2026, 12, 8, 6, 30, 42, 0}), "2026-12-08 06:30:42");
    EXPECT_EQ(Date({2026, 1, 2, 0, 0, 0, 0}), "2026-01-02");
    EXPECT_EQ(Date({2026, 1, 2, 0, 0, 1, 0}), "2026-01-02 00:00:01");
}

TEST(LogMarkup, HeadHasNineteenLines) {
    const std::string head = SectionHead("1.5", "D");
    std::size_t lines = 0;
    for (std::size_t at = head.find("\r\n"); at != std::string::npos;
         at = head.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 19u);
    EXPECT_EQ(head.substr(0, head.find("\r\n")),
              "<p align=\"center\"><a name=\"1.5\"><font size=\"4\"><b>D</b></font></p>");
    EXPECT_NE(
        head.find("<td width=\"61%\">\r\n<div align=\"center\"><b>Items</b></div>\r\n</td>\r\n"),
        std::string::npos);
    EXPECT_EQ(IndexLine("1.5", "D"), "<p><a href=\"right.htm#1.5\" target=\"mainFrame\">"
                                     "<font size=\"2\">D</font></a></p>\r\n");
}

TEST(LogMarkup, RowsColourByKindAndOutcome) {
    EXPECT_EQ(Row(LogKind::RegistryEntry, true, false, "", "HKEY_CURRENT_USER\\Software\\x"),
              "<tr>\r\n"
              "<td width=\"14%\"><font size=\"2\" color=\"#FF0000\">Registry Entry</font></td>\r\n"
              "<td width=\"5%\"><font size=\"2\" color=\"#FF0000\">&nbsp;</font></td>\r\n"
              "<td width=\"8%\"><font size=\"2\" color=\"#FF0000\">Fail</font></td>\r\n"
              "<td width=\"61%\"><font size=\"2\" color=\"#FF0000\">HKEY_CURRENT_USER\\Software\\x"
              "</font></td>\r\n"
              "<td width=\"12%\"><font size=\"2\" color=\"#FF0000\">&nbsp;</font></td>\r\n"
              "</tr>\r\n");
    const std::string file = Row(LogKind::FolderFile, false, true, "File Locked", "C:\\a.tmp");
    EXPECT_NE(file.find("color=\"#000000\">Secure<"), std::string::npos);
    EXPECT_NE(file.find(">File Locked<"), std::string::npos);
    EXPECT_NE(Row(LogKind::FolderFile, true, true, "", "x").find(">Quick<"), std::string::npos);
    EXPECT_NE(Row(LogKind::SpecialItem, false, true, "", "Recycle Bin").find("#FF00FF"),
              std::string::npos);
}

TEST(LogMarkup, ItemsCannotCarryMarkup) {
    const std::string row = Row(LogKind::FolderFile, true, true, "", "C:\\<script>&\"x\".tmp");
    EXPECT_NE(row.find("C:\\&lt;script&gt;&amp;&quot;x&quot;.tmp"), std::string::npos);
    EXPECT_EQ(row.find("<script>"), std::string::npos);
}

} // namespace
} // namespace quill::logmarkup
