// The removal re-checks every target against what the search found: a
// folder swapped for a link after the search is refused, names Windows would
// rewrite are removed as themselves, names it cannot hold are counted and
// logged. Real files under Wine, the substitute natively.

#include "engine/file_removal.h"
#include "engine/folder_targets.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "support/fake_run_seam.h"
#include "support/recording_log.h"
#include "support/test_env.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include "platform/win32/wide.h"
#include <windows.h>
#endif

namespace quill {
namespace {

using Strings = std::vector<std::string>;

#ifdef _WIN32
using test::RunUnix;
using test::UnixPathOf;
#endif

class RemovalRecheckTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::FileSystem& fs = env->Fs();
    std::string root = env->Root();
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, root + "wildcard.ini"};
    test::FakeRunSeam seam;
    SearchCounters counters;
    TargetContext context{fs, registry, system, macros, seam, counters, root + "wildcard.ini"};
    test::RecordingLog log;
    std::vector<std::string> specialFiles;
    RemovalCounts counts;

    CheckedList Collect(const std::string& path, bool subfolders) {
        tChildFolder child(fs, root + "none.txt", "Item", 0);
        child.bycategory = byFolder;
        child.deletepath = path;
        child.IsIncludeSubfolder = subfolders;
        Strings found;
        CollectFolderTargets(child, found, context);
        CheckedList list;
        for (const auto& f : found) {
            list.push_back({f, true});
        }
        return list;
    }
    void Wash(const CheckedList& list, bool quick) {
        log.calls.clear();
        RemoveTickedFiles(list, quick, counts, {fs, seam, &log, specialFiles});
    }

    // Moves the folder aside and puts a link to target in its place, as an
    // attacker would between the search and the wash. False when links
    // cannot be made here.
    bool SwapForLink(const std::string& folder, const std::string& target) {
        if (auto* memory = env->Memory()) {
            memory->AddFolderLink(root + folder, root + target);
            return true;
        }
#ifdef _WIN32
        const std::string aside = root + folder + "-aside";
        if (!::MoveFileW(platform::win32::Wide(root + folder).c_str(),
                         platform::win32::Wide(aside).c_str())) {
            return false;
        }
        const std::string unixTarget = UnixPathOf(root + target);
        const std::string unixLink = UnixPathOf(root + folder);
        if (unixTarget.empty() || unixLink.empty() ||
            !RunUnix(L"Z:\\bin\\ln -s \"" + platform::win32::Wide(unixTarget) + L"\" \"" +
                     platform::win32::Wide(unixLink) + L"\"")) {
            return false;
        }
        const std::wstring link = platform::win32::Wide(root + folder);
        for (int wait = 0; wait < 100; ++wait) {
            if (::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) {
                return true;
            }
            ::Sleep(50);
        }
#endif
        return false;
    }
    // Removes a link made by SwapForLink (the test folder's cleanup does
    // not follow links, but leaves none behind either).
    void Unlink(const std::string& folder) {
        (void)folder;
        if (env->Memory()) {
            return;
        }
#ifdef _WIN32
        const std::string unixLink = UnixPathOf(root + folder);
        RunUnix(L"Z:\\bin\\rm \"" + platform::win32::Wide(unixLink) + L"\"");
        const std::wstring link = platform::win32::Wide(root + folder);
        for (int wait = 0;
             wait < 100 && ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; ++wait) {
            ::Sleep(50);
        }
#endif
    }
};

TEST_F(RemovalRecheckTest, FolderSwappedForALinkAfterTheSearchIsNeverFollowed) {
    for (const std::string mode : {"quick", "secure"}) {
        SCOPED_TRACE(mode);
        const std::string target = "target-" + mode;
        const std::string other = "other-" + mode;
        env->Put(target + "\\a.tmp", "mine");
        env->Put(target + "\\b.tmp", "mine");
        env->Put(other + "\\a.tmp", "precious");
        env->Put(other + "\\b.tmp", "precious");
        const CheckedList list = Collect(root + target + "\\*.tmp", false);
        ASSERT_EQ(list.size(), 2u);
        if (!SwapForLink(target, other)) {
            GTEST_SKIP() << "folder links cannot be made here";
        }
        const bool quick = mode == "quick";
        Wash(list, quick);
        EXPECT_EQ(counts.removed, 0);
        EXPECT_EQ(counts.failed, 2);
        EXPECT_EQ(env->Get(other + "\\a.tmp"), "precious");
        EXPECT_EQ(env->Get(other + "\\b.tmp"), "precious");
        const std::string row = quick ? "file quick fail " : "file fail ";
        EXPECT_EQ(log.calls, (Strings{row + root + target + "\\a.tmp | Folder Changed",
                                      row + root + target + "\\b.tmp | Folder Changed"}));
        if (auto* memory = env->Memory()) {
            EXPECT_TRUE(memory->History(root + other + "\\a.tmp").empty());
            EXPECT_TRUE(memory->History(root + target + "\\a.tmp").empty());
        } else {
            // The folder moved aside still holds what was found, untouched.
            EXPECT_EQ(env->Get(target + "-aside\\a.tmp"), "mine");
        }
        Unlink(target);
    }
}

TEST_F(RemovalRecheckTest, SubfolderSwappedForALinkIsRefusedAndTheRestRemoved) {
    env->Put("target\\top.tmp", "mine");
    env->Put("target\\sub\\a.tmp", "mine");
    env->Put("target\\sub\\b.tmp", "mine");
    env->Put("other\\a.tmp", "precious");
    env->Put("other\\b.tmp", "precious");
    const CheckedList list = Collect(root + "target\\*.tmp", true);
    ASSERT_EQ(list.size(), 3u);
    if (!SwapForLink("target\\sub", "other")) {
        GTEST_SKIP() << "folder links cannot be made here";
    }
    Wash(list, false);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_EQ(counts.failed, 2);
    EXPECT_EQ(env->Get("target\\top.tmp"), "<missing>");
    EXPECT_EQ(env->Get("other\\a.tmp"), "precious");
    EXPECT_EQ(env->Get("other\\b.tmp"), "precious");
    EXPECT_EQ(std::count_if(log.calls.begin(), log.calls.end(),
                            [](const std::string& c) {
                                return c.find("| Folder Changed") != std::string::npos;
                            }),
              2);
    Unlink("target\\sub");
}

TEST_F(RemovalRecheckTest, FolderReachedThroughALinkTheUserNamedStaysRemovable) {
    env->Put("real\\a.tmp", "old");
    env->MakeFolder("via-holder");
    if (!SwapForLink("via-holder", "real")) {
        GTEST_SKIP() << "folder links cannot be made here";
    }
    // The link was there when the search ran: the files it shows are chosen.
    const CheckedList list = Collect(root + "via-holder\\*.tmp", false);
    ASSERT_EQ(list.size(), 1u);
    Wash(list, true);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_EQ(env->Get("real\\a.tmp"), "<missing>");
    Unlink("via-holder");
#ifdef _WIN32
    ::RemoveDirectoryW(platform::win32::Wide(root + "via-holder-aside").c_str());
#endif
}

TEST_F(RemovalRecheckTest, NamesEndingInADotOrABlankAreRemovedAsThemselves) {
    env->Put("data\\keep.txt", "excluded");
    env->Put("data\\keep.txt.", "dot");
    env->Put("data\\blank.txt ", "blank");
    env->Put("data\\blank.txt", "plain");
    ASSERT_EQ(env->Get("data\\keep.txt."), "dot");
    ASSERT_EQ(env->Get("data\\keep.txt"), "excluded");
    env->Put("wildcard.ini",
             "[Exclude Files]\r\nCount=2\r\nRecord0=keep.txt\r\nRecord1=blank.txt\r\n");
    for (const bool quick : {true, false}) {
        SCOPED_TRACE(quick ? "quick" : "secure");
        // The folder as typed, with a blank and a dot Windows would drop.
        CheckedList list = Collect(root + "data. \\*", false);
        Strings names;
        for (const auto& line : list) {
            names.push_back(line.Text.substr(root.size()));
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (Strings{"data\\blank.txt ", "data\\keep.txt."}));
        Wash(list, quick);
        EXPECT_EQ(counts.removed, 2);
        EXPECT_EQ(counts.failed, 0);
        EXPECT_EQ(env->Get("data\\keep.txt"), "excluded");
        EXPECT_EQ(env->Get("data\\blank.txt"), "plain");
        EXPECT_EQ(env->Get("data\\keep.txt."), "<missing>");
        EXPECT_EQ(env->Get("data\\blank.txt "), "<missing>");
        env->Put("data\\keep.txt.", "dot");
        env->Put("data\\blank.txt ", "blank");
    }
}

#ifdef _WIN32
// Under Wine a Unix name with characters Windows refuses is listed too; it is
// either removed or counted and logged, never passed over.
TEST_F(RemovalRecheckTest, UnixNamesWindowsCannotHoldAreNeverPassedOverSilently) {
    env->Put("data\\fine.tmp", "x");
    const std::string unixFolder = UnixPathOf(root + "data");
    if (unixFolder.empty() ||
        !RunUnix(L"Z:\\bin\\touch \"" + platform::win32::Wide(unixFolder) + L"/a?b.tmp\" \"" +
                 platform::win32::Wide(unixFolder) + L"/c|d.tmp\"")) {
        GTEST_SKIP() << "not running under Wine";
    }
    CheckedList list;
    for (int wait = 0; wait < 100 && list.size() < 3; ++wait) {
        ::Sleep(wait == 0 ? 0 : 50);
        list = Collect(root + "data\\*.tmp", false);
    }
    ASSERT_EQ(list.size(), 3u);
    Wash(list, true);
    EXPECT_EQ(counts.removed + counts.failed, 3);
    EXPECT_EQ(log.calls.size(), 3u);
    for (const auto& call : log.calls) {
        EXPECT_TRUE(call.find(" ok ") != std::string::npos ||
                    call.find("| Invalid Name") != std::string::npos)
            << call;
    }
    RunUnix(L"Z:\\bin\\rm -f \"" + platform::win32::Wide(unixFolder) + L"/a?b.tmp\" \"" +
            platform::win32::Wide(unixFolder) + L"/c|d.tmp\"");
}
#endif

#ifdef _WIN32
// A Unix symbolic link to a file, under Wine: removed as the link in both
// modes, its target neither overwritten nor deleted.
TEST_F(RemovalRecheckTest, UnixFileLinkIsRemovedAsTheLink) {
    for (const bool quick : {true, false}) {
        SCOPED_TRACE(quick ? "quick" : "secure");
        env->Put("data\\target.txt", "precious");
        const std::string unixTarget = UnixPathOf(root + "data\\target.txt");
        const std::string unixLink = UnixPathOf(root + "data\\link.tmp");
        if (unixTarget.empty() ||
            !RunUnix(L"Z:\\bin\\ln -s \"" + platform::win32::Wide(unixTarget) + L"\" \"" +
                     platform::win32::Wide(unixLink) + L"\"")) {
            GTEST_SKIP() << "not running under Wine";
        }
        CheckedList list;
        for (int wait = 0; wait < 100 && list.empty(); ++wait) {
            ::Sleep(wait == 0 ? 0 : 50);
            list = Collect(root + "data\\*.tmp", false);
        }
        ASSERT_EQ(list.size(), 1u);
        Wash(list, quick);
        EXPECT_EQ(env->Get("data\\target.txt"), "precious");
        EXPECT_EQ(counts.removed + counts.failed, 1);
        RunUnix(L"Z:\\bin\\rm -f \"" + platform::win32::Wide(unixLink) + L"\"");
    }
}
#endif

TEST_F(RemovalRecheckTest, NamesWindowsCannotHoldAreCountedAndLogged) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "such names are staged on the substitute";
    }
    memory->AddFile(root + "data\\a?b.tmp", "x");
    memory->AddFile(root + "data\\c|d.tmp", "x");
    env->Put("data\\fine.tmp", "x");
    const CheckedList list = Collect(root + "data\\*.tmp", false);
    ASSERT_EQ(list.size(), 3u);
    for (const bool quick : {true, false}) {
        Wash(list, quick);
        EXPECT_EQ(counts.failed, 2);
        const std::string mode = quick ? "file quick fail " : "file fail ";
        EXPECT_NE(std::find(log.calls.begin(), log.calls.end(),
                            mode + root + "data\\a?b.tmp | Invalid Name"),
                  log.calls.end());
        EXPECT_NE(std::find(log.calls.begin(), log.calls.end(),
                            mode + root + "data\\c|d.tmp | Invalid Name"),
                  log.calls.end());
    }
    EXPECT_EQ(env->Get("data\\fine.tmp"), "<missing>");
}

TEST(RemovalNotes, EachFailureHasItsOwnNote) {
    EXPECT_STREQ(RemovalNote(RemovalOutcome::Locked), "File Locked");
    EXPECT_STREQ(RemovalNote(RemovalOutcome::FolderChanged), "Folder Changed");
    EXPECT_STREQ(RemovalNote(RemovalOutcome::InvalidName), "Invalid Name");
    EXPECT_TRUE(NameWindowsRefuses("a?b"));
    EXPECT_TRUE(NameWindowsRefuses("a\"b"));
    EXPECT_TRUE(NameWindowsRefuses(std::string("a\x01", 2)));
    EXPECT_FALSE(NameWindowsRefuses("keep.txt."));
    EXPECT_FALSE(NameWindowsRefuses("\xE6\x97\xA5.txt"));
}

} // namespace
} // namespace quill
