// The search over real folders (under Wine) and the substitute: masks as
// written, the acceptance test in its order, events, cancellation, errors.

#include "engine/find_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace quill {
namespace {

using Strings = std::vector<std::string>;

class SearchTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::FileSystem& fs = env->Fs();
    std::string root = env->Root();
    // The root as events report it.
    std::string top = root.substr(0, root.size() - 1);

    // Every entry found, as names relative to the root, in the order found.
    Strings Run(TFindFile& search) {
        Strings found;
        search.OnFound = [&](const std::string& folder, const platform::FileEntry& e) {
            const std::string rel = folder.size() > top.size() ? folder.substr(top.size() + 1) : "";
            found.push_back(rel.empty() ? e.name : rel + "\\" + e.name);
        };
        search.Execute();
        return found;
    }
    Strings Sorted(Strings s) {
        std::sort(s.begin(), s.end());
        return s;
    }
};

TEST_F(SearchTest, MaskMatchesLongNamesAsWritten) {
    for (const char* name : {"a.tmp", "B.TMP", "report.tmpl", "x.tmpx", "x.tmp~", "tmp",
                             "c.tmp.bak", "longer name with blanks.tmp"}) {
        env->Put(name, "x");
    }
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    EXPECT_EQ(Sorted(Run(search)), (Strings{"B.TMP", "a.tmp", "longer name with blanks.tmp"}));
    search.IncludeFiles = {root + "?.tmp?"};
    EXPECT_EQ(Sorted(Run(search)), (Strings{"x.tmpx", "x.tmp~"}));
}

TEST_F(SearchTest, NamesStartingWithADotAreNeverReportedNorEntered) {
    env->Put(".profile", "");
    env->Put(".hidden.tmp", "");
    env->Put("seen.tmp", "");
    env->Put(".cache\\inside.tmp", "");
    env->Put("sub\\.x.tmp", "");
    env->Put("sub\\y.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.*"};
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool&) { folders.push_back(f); };
    EXPECT_EQ(Sorted(Run(search)), (Strings{"seen.tmp", "sub\\y.tmp"}));
    EXPECT_EQ(Sorted(folders), (Strings{top, top + "\\sub"}));
}

TEST_F(SearchTest, NamesInAnyScriptAreFoundWhole) {
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC-\xD0\x9F.tmp";
    const std::string umlaut = "\xC3\x84rger.txt";
    env->Put(japanese, "");
    env->Put(umlaut, "");
    env->Put("\xCE\xA9mega\\in.txt", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.*"};
    EXPECT_EQ(Sorted(Run(search)), Sorted({japanese, umlaut, "\xCE\xA9mega\\in.txt"}));
    search.IncludeFiles = {root + "?rger.txt"};
    EXPECT_EQ(Run(search), (Strings{umlaut}));
    search.IncludeFiles = {root + "\xC3\xA4RGER.*"}; // other letter case
    EXPECT_EQ(Run(search), (Strings{umlaut}));
}

TEST_F(SearchTest, OwnEntriesComeBeforeThoseOfSubfolders) {
    env->Put("top.tmp", "");
    env->Put("a\\a1.tmp", "");
    env->Put("a\\deep\\d.tmp", "");
    env->Put("b\\b1.tmp", "");
    env->Put("b\\other.txt", "");
    env->Put("z.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    search.Subfolders = false;
    EXPECT_EQ(Sorted(Run(search)), (Strings{"top.tmp", "z.tmp"}));
    search.Subfolders = true;
    const Strings found = Run(search);
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(Sorted({found[0], found[1]}), (Strings{"top.tmp", "z.tmp"}));
    // Depth first: a's subtree stays together, as does b's.
    const auto at = [&](const std::string& n) {
        return std::find(found.begin(), found.end(), n) - found.begin();
    };
    EXPECT_EQ(at("a\\deep\\d.tmp"), at("a\\a1.tmp") + 1);
    if (env->Memory()) { // the substitute lists in name order
        EXPECT_EQ(found, (Strings{"top.tmp", "z.tmp", "a\\a1.tmp", "a\\deep\\d.tmp", "b\\b1.tmp"}));
    }
}

TEST_F(SearchTest, DriveRootsAreReportedWithTheirBackslash) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "a drive of its own is staged on the substitute";
    }
    memory->AddFile("D:\\x.tmp", "");
    memory->AddFile("D:\\sub\\y.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {"D:\\*.tmp"};
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool&) { folders.push_back(f); };
    Strings found;
    search.OnFound = [&](const std::string& f, const platform::FileEntry& e) {
        found.push_back(f + "|" + e.name);
    };
    search.Execute();
    EXPECT_EQ(folders, (Strings{"D:\\", "D:\\sub"}));
    EXPECT_EQ(found, (Strings{"D:\\|x.tmp", "D:\\sub|y.tmp"}));
}

TEST_F(SearchTest, AttributeFilter) {
    env->Put("file.txt", "");
    env->Put("ro.txt", "");
    ASSERT_TRUE(Succeeded(fs.SetAttributes(root + "ro.txt", platform::attr::ReadOnly)));
    env->MakeFolder("plain");
    env->MakeFolder("hid");
    ASSERT_TRUE(Succeeded(fs.SetAttributes(root + "hid", platform::attr::Hidden)));
    TFindFile search(fs);
    search.IncludeFiles = {root + "*"};
    search.Subfolders = false;
    // Defaults: every file, and folders only with one of the four attributes.
    EXPECT_EQ(Sorted(Run(search)), (Strings{"file.txt", "hid", "ro.txt"}));
    // Folders only, without any other attribute (how profile folders are sought).
    search.Attributes = ff::Directory;
    search.ExactAttribute = true;
    EXPECT_EQ(Run(search), (Strings{"plain"}));
    search.Attributes = ff::Directory | ff::Hidden;
    EXPECT_EQ(Run(search), (Strings{"hid"}));
    // Not exact: any shared attribute.
    search.Attributes = ff::Readonly;
    search.ExactAttribute = false;
    EXPECT_EQ(Run(search), (Strings{"ro.txt"}));
    ASSERT_TRUE(Succeeded(fs.SetAttributes(root + "ro.txt", platform::attr::Normal)));
}

TEST_F(SearchTest, SizeBoundsApplyToFilesOnly) {
    env->Put("empty.dat", "");
    env->Put("ten.dat", std::string(10, 'x'));
    env->Put("hundred.dat", std::string(100, 'x'));
    env->MakeFolder("hid.dat");
    ASSERT_TRUE(Succeeded(fs.SetAttributes(root + "hid.dat", platform::attr::Hidden)));
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.dat"};
    search.SizeMin = 10;
    EXPECT_EQ(Sorted(Run(search)), (Strings{"hid.dat", "hundred.dat", "ten.dat"}));
    search.SizeMin = 0;
    search.SizeMax = 10;
    EXPECT_EQ(Sorted(Run(search)), (Strings{"empty.dat", "hid.dat", "ten.dat"}));
    search.SizeMin = 11;
    EXPECT_EQ(Run(search), (Strings{"hid.dat"}));
}

TEST_F(SearchTest, ExclusionsKeepFilesOutButFoldersAreStillEntered) {
    env->Put("keep.txt", "");
    env->Put("drop.log", "");
    env->Put("Temp\\a.b", "");
    env->Put("Temp\\readme", "");
    env->Put("Temp\\inner\\c.d", "");
    env->Put("x\\index.dat", "");
    env->Put("x\\INDEX.DAT.keep", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*"};
    search.ExcludeFiles = {"*.log", "\\Temp\\*.*", "index.dat"};
    EXPECT_EQ(Sorted(Run(search)),
              (Strings{"Temp\\inner\\c.d", "Temp\\readme", "keep.txt", "x\\INDEX.DAT.keep"}));
}

TEST_F(SearchTest, ContainingLooksIntoFilesOnly) {
    env->Put("hit.txt", "some Secret words");
    env->Put("miss.txt", "nothing here");
    env->Put("edge.txt", std::string(4093, '.') + "secret" + std::string(10, '.'));
    env->Put("second.txt", std::string(5000, '.') + "SECRET");
    env->Put("short.txt", "secre");
    env->MakeFolder("folder.txt");
    ASSERT_TRUE(Succeeded(fs.SetAttributes(root + "folder.txt", platform::attr::Hidden)));
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.txt"};
    search.Containing = "secret";
    EXPECT_EQ(Sorted(Run(search)), (Strings{"edge.txt", "folder.txt", "hit.txt", "second.txt"}));
    search.IgnoreCase = false;
    EXPECT_EQ(Sorted(Run(search)), (Strings{"edge.txt", "folder.txt"}));
}

TEST_F(SearchTest, ContainingFailsForFilesThatCannotBeRead) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "refused reads are staged on the substitute";
    }
    memory->AddFile(root + "held.txt", "secret");
    memory->AddFile(root + "denied.txt", "secret");
    memory->AddFile(root + "open.txt", "secret");
    memory->SetHeldOpen(root + "held.txt", true);
    memory->SetAccessDenied(root + "denied.txt", true);
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.txt"};
    search.Containing = "secret";
    EXPECT_EQ(Run(search), (Strings{"open.txt"}));
}

TEST_F(SearchTest, IgnoredFolderSkipsItsWholeSubtree) {
    env->Put("a\\x.tmp", "");
    env->Put("skip\\y.tmp", "");
    env->Put("skip\\deeper\\z.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool& ignore) {
        folders.push_back(f);
        ignore = f == top + "\\skip";
    };
    EXPECT_EQ(Run(search), (Strings{"a\\x.tmp"}));
    EXPECT_EQ(Sorted(folders), (Strings{top, top + "\\a", top + "\\skip"}));
    // Ignoring the folder given skips everything.
    search.OnNewFolder = [](const std::string&, bool& ignore) { ignore = true; };
    EXPECT_TRUE(Run(search).empty());
}

TEST_F(SearchTest, SilentAbortFromFoundKeepsWhatWasFound) {
    for (const char* name : {"f0.tmp", "f1.tmp", "f2.tmp", "f3.tmp", "f4.tmp", "f5.tmp"}) {
        env->Put(name, "");
    }
    env->Put("sub\\g.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp", root + "*.tmp"};
    int completed = 0;
    search.OnComplete = [&] {
        ++completed;
        EXPECT_FALSE(search.Busy());
    };
    Strings found;
    search.OnFound = [&](const std::string&, const platform::FileEntry& e) {
        found.push_back(e.name);
        if (found.size() == 3) {
            throw EFindFileAbort();
        }
    };
    EXPECT_NO_THROW(search.Execute());
    EXPECT_EQ(found.size(), 3u);
    EXPECT_EQ(completed, 1);
    EXPECT_FALSE(search.Busy());
    // The next search starts afresh.
    found.clear();
    search.OnFound = [&](const std::string&, const platform::FileEntry& e) {
        found.push_back(e.name);
    };
    search.Execute();
    EXPECT_EQ(found.size(), 14u);
    EXPECT_EQ(completed, 2);
}

TEST_F(SearchTest, SilentAbortFromNewFolderKeepsWhatWasFound) {
    env->Put("a.tmp", "");
    env->Put("sub1\\b.tmp", "");
    env->Put("sub2\\c.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    int completed = 0;
    search.OnComplete = [&] { ++completed; };
    int folders = 0;
    search.OnNewFolder = [&](const std::string&, bool&) {
        if (++folders == 2) {
            throw EFindFileAbort();
        }
    };
    EXPECT_EQ(Run(search), (Strings{"a.tmp"}));
    EXPECT_EQ(folders, 2);
    EXPECT_EQ(completed, 1);
}

TEST_F(SearchTest, OtherErrorsEndTheSearchAndLeaveExecuteAfterCompletion) {
    env->Put("a.tmp", "");
    env->Put("b.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    int completed = 0;
    int found = 0;
    search.OnComplete = [&] { ++completed; };
    search.OnFound = [&](const std::string&, const platform::FileEntry&) {
        ++found;
        throw std::runtime_error("broken handler");
    };
    EXPECT_THROW(search.Execute(), std::runtime_error);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(completed, 1);
    EXPECT_FALSE(search.Busy());
}

TEST_F(SearchTest, ExecuteFromAHandlerReturnsAtOnce) {
    env->Put("a.tmp", "");
    env->Put("sub\\b.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    int completed = 0;
    int folders = 0;
    search.OnComplete = [&] { ++completed; };
    search.OnNewFolder = [&](const std::string&, bool&) {
        ++folders;
        EXPECT_TRUE(search.Busy());
        search.Execute();
    };
    EXPECT_EQ(Sorted(Run(search)), (Strings{"a.tmp", "sub\\b.tmp"}));
    EXPECT_EQ(folders, 2);
    EXPECT_EQ(completed, 1);
}

TEST_F(SearchTest, SettingsAreTakenWhenTheSearchStarts) {
    env->Put("a.tmp", "");
    env->Put("sub\\b.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    search.OnNewFolder = [&](const std::string&, bool&) {
        search.Subfolders = false;
        search.IncludeFiles.clear();
        search.ExcludeFiles = {"*"};
    };
    EXPECT_EQ(Sorted(Run(search)), (Strings{"a.tmp", "sub\\b.tmp"}));
}

TEST_F(SearchTest, MissingFoldersContributeNothingAndCompletionStillComes) {
    env->Put("a.tmp", "");
    TFindFile search(fs);
    search.IncludeFiles = {root + "none\\*.tmp", root + "*.tmp"};
    int completed = 0;
    search.OnComplete = [&] { ++completed; };
    EXPECT_EQ(Run(search), (Strings{"a.tmp"}));
    EXPECT_EQ(completed, 1);
}

TEST_F(SearchTest, APathWithoutItsFolderFindsNothing) {
    env->Put("a.tmp", "");
    TFindFile search(fs);
    int completed = 0;
    int folders = 0;
    search.OnComplete = [&] { ++completed; };
    search.OnNewFolder = [&](const std::string&, bool&) { ++folders; };
    for (const Strings& include : {Strings{"*.*"}, Strings{"a.tmp"}, Strings{"C:*.tmp"},
                                   Strings{"relative\\*.tmp"}, Strings{"\\*.tmp"}}) {
        search.IncludeFiles = include;
        EXPECT_TRUE(Run(search).empty()) << include[0];
    }
    // Nor does an empty Location, or one of relative folders.
    search.IncludeFiles.clear();
    for (const char* location : {"", ";", ";;", "relative", "sub\\dir;"}) {
        search.SetLocation(location);
        EXPECT_TRUE(Run(search).empty()) << location;
    }
    EXPECT_EQ(folders, 0);
    EXPECT_EQ(completed, 10);
}

TEST_F(SearchTest, LocationAndFilenameMakeTheFolderList) {
    env->Put("readme", "");
    env->Put("readme.txt", "");
    env->Put("readme2.txt", "");
    env->Put("other\\readme.md", "");
    TFindFile search(fs);
    search.Subfolders = false;
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool&) { folders.push_back(f); };
    search.SetFilename("readme"); // becomes readme.*
    // Duplicates (in any letter case, with or without the backslash) are
    // searched once; empty pieces are skipped.
    std::string upper = top;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
    search.SetLocation(top + ";;" + root + ";" + upper + ";" + root + "other;");
    EXPECT_EQ(Sorted(Run(search)), (Strings{"other\\readme.md", "readme", "readme.txt"}));
    EXPECT_EQ(folders, (Strings{top, top + "\\other"}));
    // An empty Filename is *.*.
    search.SetFilename("");
    search.SetLocation(top);
    EXPECT_EQ(Run(search).size(), 3u);
    // IncludeFiles, when set, is used instead.
    search.IncludeFiles = {root + "other\\*.md"};
    EXPECT_EQ(Run(search), (Strings{"other\\readme.md"}));
}

TEST(FindFileProperties, DefaultsAsPublished) {
    platform::MemoryFileSystem fs;
    TFindFile search(fs);
    EXPECT_EQ(search.Filename(), "*.*");
    EXPECT_EQ(search.Location(), "");
    EXPECT_TRUE(search.IncludeFiles.empty());
    EXPECT_TRUE(search.ExcludeFiles.empty());
    EXPECT_TRUE(search.Subfolders);
    EXPECT_EQ(search.Attributes, ff::Archive | ff::Readonly | ff::Hidden | ff::System);
    EXPECT_FALSE(search.ExactAttribute);
    EXPECT_EQ(search.ModifiedBefore, 0);
    EXPECT_EQ(search.AccessedAfter, 0);
    EXPECT_EQ(search.SizeMin, 0);
    EXPECT_EQ(search.SizeMax, 0);
    EXPECT_TRUE(search.Containing.empty());
    EXPECT_TRUE(search.IgnoreCase);
    EXPECT_FALSE(search.Threaded);
    EXPECT_EQ(search.ThreadPriority(), TThreadPriority::tpNormal);
    EXPECT_FALSE(search.Busy());
}

TEST(FindFileProperties, FilenameWithAFolderIsRefused) {
    platform::MemoryFileSystem fs;
    TFindFile search(fs);
    search.SetFilename("keep.txt");
    try {
        search.SetFilename("C:\\x.txt");
        FAIL() << "no error";
    } catch (const EFindFileError& e) {
        EXPECT_EQ(std::string(e.what()), "C:\\x.txt\n\rInvalid filename specified");
    }
    EXPECT_THROW(search.SetFilename("sub\\x.txt"), EFindFileError);
    EXPECT_THROW(search.SetFilename("sub/x.txt"), EFindFileError);
    EXPECT_THROW(search.SetFilename("C:x.txt"), EFindFileError);
    EXPECT_EQ(search.Filename(), "keep.txt");
}

TEST(FindFileProperties, LocationWithWildcardsIsRefused) {
    platform::MemoryFileSystem fs;
    TFindFile search(fs);
    search.SetLocation("C:\\a;C:\\b");
    try {
        search.SetLocation("C:\\Temp\\*");
        FAIL() << "no error";
    } catch (const EFindFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "C:\\Temp\\*\n\rlocation cannot to be contained wildcards");
    }
    EXPECT_THROW(search.SetLocation("C:\\Te?p"), EFindFileError);
    EXPECT_EQ(search.Location(), "C:\\a;C:\\b");
}

TEST(FindFileProperties, ThreadedWithoutADispatcherIsRefused) {
    platform::MemoryFileSystem fs;
    TFindFile search(fs);
    search.Threaded = true;
    search.IncludeFiles = {"C:\\*.*"};
    EXPECT_THROW(search.Execute(), EFindFileError);
    EXPECT_FALSE(search.Busy());
}

// --- Folders that reparse ---

TEST_F(SearchTest, JunctionsMetOnTheWayDownAreNeverEntered) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "junctions are staged on the substitute; Wine links below";
    }
    memory->AddFile(root + "own.tmp", "");
    memory->AddFile(root + "junction\\inside.tmp", "");
    memory->AddFile(root + "junction\\deeper\\more.tmp", "");
    memory->AddFile(root + "real\\r.tmp", "");
    memory->SetReparsePoint(root + "junction", true);
    ASSERT_EQ(fs.GetAttributes(root + "junction"),
              platform::attr::Directory | platform::attr::ReparsePoint);
    TFindFile search(fs);
    search.IncludeFiles = {root + "*.tmp"};
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool&) { folders.push_back(f); };
    EXPECT_EQ(Run(search), (Strings{"own.tmp", "real\\r.tmp"}));
    EXPECT_EQ(folders, (Strings{top, top + "\\real"}));
    // The folder given is searched as given, even through a junction.
    folders.clear();
    search.IncludeFiles = {root + "junction\\*.tmp"};
    EXPECT_EQ(Run(search), (Strings{"junction\\inside.tmp", "junction\\deeper\\more.tmp"}));
    EXPECT_EQ(folders, (Strings{top + "\\junction", top + "\\junction\\deeper"}));
    // A junction is still an entry of its folder (here hidden, so it passes).
    ASSERT_TRUE(Succeeded(fs.SetAttributes(root + "junction", platform::attr::Hidden)));
    search.IncludeFiles = {root + "junc*"};
    search.Subfolders = false;
    EXPECT_EQ(Run(search), (Strings{"junction"}));
}

} // namespace
} // namespace quill
