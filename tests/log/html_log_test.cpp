// The HTML wash log written to real files (the substitute natively).

#include "log/html_log.h"

#include "log/log_markup.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <deque>

namespace quill {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

// Hands out the given times one reading after the other, then the last again.
class SteppingClock final : public platform::WallClock {
public:
    std::deque<platform::LocalTime> times;
    platform::LocalTime Now() override {
        const platform::LocalTime t = times.front();
        if (times.size() > 1) {
            times.pop_front();
        }
        return t;
    }
};

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class HtmlLogTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    SteppingClock clock;
    HtmlWashLog log{env->Fs(), clock, env->Root()};

    const platform::LocalTime t1{2026, 12, 8, 6, 30, 42, 0};
    const platform::LocalTime t2{2026, 12, 8, 6, 30, 43, 0};
};

TEST_F(HtmlLogTest, FirstSectionCreatesBothFilesWithExactMarkup) {
    clock.times = {t1, t2};
    log.BeginLogSection();
    EXPECT_TRUE(log.SectionOpen());
    log.AppendLogRow(LogKind::FolderFile, true, true, "", "C:\\a.txt");
    log.AppendLogRow(LogKind::FolderFile, false, false, "File Locked", "C:\\b.txt");
    log.EndLogSection();
    EXPECT_FALSE(log.SectionOpen());

    // The stamp comes from the first reading, the date from the second.
    const std::string stamp = logmarkup::Stamp(t1);
    const std::string date = logmarkup::Date(t2);
    EXPECT_EQ(
        env->Get("left.htm"),
        kBom + "<p><a href=\"right.htm#" + stamp +
            "\" target=\"mainFrame\"><font size=\"2\">2026-12-08 06:30:43</font></a></p>\r\n");
    const std::string right = env->Get("right.htm");
    EXPECT_EQ(right,
              kBom + logmarkup::SectionHead(stamp, date) +
                  logmarkup::Row(LogKind::FolderFile, true, true, "", "C:\\a.txt") +
                  logmarkup::Row(LogKind::FolderFile, false, false, "File Locked", "C:\\b.txt") +
                  "</table>\r\n");
    EXPECT_EQ(Count(right, "\r\n"), 19u + 7u + 7u + 1u);
    EXPECT_EQ(right.rfind(kBom), 0u);
}

TEST_F(HtmlLogTest, SectionWithoutRowsHasHeadAndEnd) {
    clock.times = {t1};
    log.BeginLogSection();
    log.EndLogSection();
    const std::string stamp = logmarkup::Stamp(t1);
    EXPECT_EQ(env->Get("right.htm"),
              kBom + logmarkup::SectionHead(stamp, logmarkup::Date(t1)) + "</table>\r\n");
    EXPECT_EQ(Count(env->Get("left.htm"), "\r\n"), 1u);
}

TEST_F(HtmlLogTest, WashWithTwoSpecialItemsWritesThreeSectionsAndAppendsOnly) {
    clock.times = {t1, t1, t2};
    log.BeginLogSection();
    log.AppendLogRow(LogKind::FolderFile, true, true, "", "C:\\x.tmp");
    log.EndLogSection();
    for (const char* name : {"Recycle Bin", "The history of Internet Explorer"}) {
        log.BeginLogSection();
        log.AppendLogRow(LogKind::SpecialItem, false, true, "", name);
        log.EndLogSection();
    }
    const std::string left = env->Get("left.htm");
    const std::string right = env->Get("right.htm");
    EXPECT_EQ(Count(left, "<p><a href=\"right.htm#"), 3u);
    EXPECT_EQ(Count(left, "\r\n"), 3u);
    EXPECT_EQ(Count(right, "</table>\r\n"), 3u);
    EXPECT_EQ(Count(right, "<a name=\""), 3u);
    EXPECT_EQ(Count(left, kBom), 1u); // the mark only where the file began
    EXPECT_EQ(Count(right, kBom), 1u);
    EXPECT_EQ(Count(right, "color=\"#FF00FF\">Special Item</font>"), 2u);
}

TEST_F(HtmlLogTest, FailedRegistryRowIsRedWithBlankModeAndNote) {
    clock.times = {t1};
    log.BeginLogSection();
    log.AppendLogRow(LogKind::RegistryEntry, true, false, "", "HKEY_CURRENT_USER\\Software\\X");
    log.EndLogSection();
    const std::string right = env->Get("right.htm");
    EXPECT_NE(
        right.find("<tr>\r\n"
                   "<td width=\"14%\"><font size=\"2\" color=\"#FF0000\">Registry "
                   "Entry</font></td>\r\n"
                   "<td width=\"5%\"><font size=\"2\" color=\"#FF0000\">&nbsp;</font></td>\r\n"
                   "<td width=\"8%\"><font size=\"2\" color=\"#FF0000\">Fail</font></td>\r\n"
                   "<td width=\"61%\"><font size=\"2\" "
                   "color=\"#FF0000\">HKEY_CURRENT_USER\\Software\\X</font></td>\r\n"
                   "<td width=\"12%\"><font size=\"2\" color=\"#FF0000\">&nbsp;</font></td>\r\n"
                   "</tr>\r\n"),
        std::string::npos);
}

TEST_F(HtmlLogTest, UnwritableFolderRaisesAnIoError) {
    HtmlWashLog missing(env->Fs(), clock, env->Root() + "nodir\\");
    try {
        missing.BeginLogSection();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("I/O error"), std::string::npos);
        EXPECT_EQ(e.Code(), 3);
    }
    EXPECT_FALSE(missing.SectionOpen());
}

TEST_F(HtmlLogTest, RowWithoutSectionRaisesAnIoError) {
    EXPECT_THROW(log.AppendLogRow(LogKind::FolderFile, true, true, "", "x"), EInOutError);
}

TEST_F(HtmlLogTest, ErrorInTheMiddleOfASectionClosesBothFiles) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "only the substitute fills the disk";
    }
    clock.times = {t1};
    log.BeginLogSection();
    memory->SetFreeSpace(10);
    try {
        log.AppendLogRow(LogKind::FolderFile, true, true, "", "C:\\a.txt");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "I/O error 112");
    }
    EXPECT_FALSE(log.SectionOpen());
    memory->SetFreeSpace(std::nullopt);
    // The files are free again: they can be deleted, and the next wash starts anew.
    EXPECT_EQ(env->Fs().Delete(env->Root() + "left.htm"), platform::IoResult::Ok);
    EXPECT_EQ(env->Fs().Delete(env->Root() + "right.htm"), platform::IoResult::Ok);
    log.BeginLogSection();
    log.EndLogSection();
    EXPECT_EQ(env->Get("left.htm").rfind(kBom, 0), 0u);
}

TEST_F(HtmlLogTest, FilesHeldByAnotherProgramRaiseSharingError) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "staged on the substitute";
    }
    env->Put("left.htm", "");
    memory->SetHeldOpen(env->Root() + "left.htm", true);
    clock.times = {t1};
    try {
        log.BeginLogSection();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "I/O error 32");
    }
    // right.htm, opened first, was closed again.
    EXPECT_FALSE(log.SectionOpen());
    EXPECT_EQ(env->Fs().Delete(env->Root() + "right.htm"), platform::IoResult::Ok);
}

} // namespace
} // namespace quill
