// The file search: masks as written, exclusions, attributes, events.

#include "engine/find_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using Strings = std::vector<std::string>;

class FindFileTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    std::string root = env->Root();

    Strings Run(TFindFile& search) {
        Strings found;
        search.OnFound = [&](const std::string& folder, const platform::FileEntry& e) {
            found.push_back(folder + "|" + e.name);
        };
        search.Execute();
        return found;
    }
};

TEST(MaskMatch, LongNamesOnly) {
    EXPECT_TRUE(MatchesMask("a.tmp", "*.tmp"));
    EXPECT_TRUE(MatchesMask("A.TMP", "*.tmp"));
    EXPECT_FALSE(MatchesMask("report.tmpl", "*.tmp"));
    EXPECT_FALSE(MatchesMask("x.tmpx", "*.tmp"));
    EXPECT_FALSE(MatchesMask("x.tmp~", "*.tmp"));
    EXPECT_TRUE(MatchesMask("readme", "*.*"));
    EXPECT_TRUE(MatchesMask("log1.txt", "log?.txt"));
    EXPECT_FALSE(MatchesMask("log12.txt", "log?.txt"));
    EXPECT_TRUE(MatchesMask("\xC3\x84rger.tmp", "\xC3\xA4*.TMP"));
}

TEST(ExclusionMatch, NamesFoldersAndDrives) {
    auto m = [](const std::string& pattern, const std::string& folder, const std::string& name) {
        return ExclusionPattern(pattern).Matches(folder, name);
    };
    EXPECT_TRUE(m("index.dat", "C:\\ANY\\WHERE\\", "INDEX.DAT"));
    EXPECT_TRUE(m("*.log", "C:\\X\\", "A.LOG"));
    EXPECT_TRUE(m("\\Temp\\*.*", "C:\\TEMP\\", "A.B"));
    EXPECT_FALSE(m("\\Temp\\*.*", "C:\\TEMP\\", "README"));
    EXPECT_TRUE(m("Temp\\*.log", "C:\\MYTEMP\\", "X.LOG")); // a plain suffix test
    EXPECT_FALSE(m("Temp\\*.log", "C:\\TEMP\\SUB\\", "X.LOG"));
    EXPECT_TRUE(m("C:\\WINDOWS\\Temp\\*.*", "C:\\WINDOWS\\TEMP\\", "A.B"));
    EXPECT_FALSE(m("D:\\WINDOWS\\Temp\\*.*", "C:\\WINDOWS\\TEMP\\", "A.B"));
    EXPECT_TRUE(m("?:\\WINDOWS\\Temp\\*.*", "C:\\WINDOWS\\TEMP\\", "A.B"));
    EXPECT_TRUE(m("*:\\Temp\\", "E:\\TEMP\\", "ANY"));
    EXPECT_FALSE(m("*.txt", "C:\\", "A.B.TXT")); // a star stops at a dot
    EXPECT_TRUE(m("*", "C:\\", "A.B.TXT"));
    EXPECT_FALSE(m("a?b", "C:\\", "A.B"));
    EXPECT_TRUE(m("a?.b", "C:\\", "A.B"));
    EXPECT_FALSE(m("C:\\Temp\\x", "C:\\", "X")); // candidate folder too short
}

TEST_F(FindFileTest, OwnFilesBeforeSubfoldersDotNamesSkipped) {
    env->Put("a.tmp", "");
    env->Put("b.txt", "");
    env->Put(".hidden.tmp", "");
    env->Put("sub\\c.tmp", "");
    env->Put(".cache\\d.tmp", "");
    env->Put("report.tmpl", "");
    TFindFile search(env->Fs());
    search.IncludeFiles = {root + "*.tmp"};
    search.Subfolders = false;
    const std::string folder = root.substr(0, root.size() - 1);
    EXPECT_EQ(Run(search), (Strings{folder + "|a.tmp"}));
    search.Subfolders = true;
    EXPECT_EQ(Run(search), (Strings{folder + "|a.tmp", folder + "\\sub|c.tmp"}));
}

TEST_F(FindFileTest, FoldersPassOnlyWithAnAttribute) {
    env->MakeFolder("plain");
    env->MakeFolder("hid");
    ASSERT_TRUE(Succeeded(env->Fs().SetAttributes(root + "hid", platform::attr::Hidden)));
    TFindFile search(env->Fs());
    search.IncludeFiles = {root + "*"};
    search.Subfolders = false;
    const Strings found = Run(search);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("|hid"), std::string::npos);
    search.Attributes = ff::Directory;
    search.ExactAttribute = true;
    const Strings dirs = Run(search);
    ASSERT_EQ(dirs.size(), 1u);
    EXPECT_NE(dirs[0].find("|plain"), std::string::npos);
}

TEST_F(FindFileTest, IgnoredFolderAbortAndReentrantExecute) {
    env->Put("x\\a.tmp", "");
    env->Put("y\\b.tmp", "");
    env->Put("y\\z\\c.tmp", "");
    TFindFile search(env->Fs());
    search.IncludeFiles = {root + "*.tmp"};
    int completed = 0;
    search.OnComplete = [&] { ++completed; };
    search.OnNewFolder = [&](const std::string& folder, bool& ignore) {
        ignore = folder.size() > 2 && folder.substr(folder.size() - 2) == "\\y";
        search.Execute(); // returns at once
    };
    Strings found = Run(search);
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(completed, 1);
    search.OnNewFolder = nullptr;
    search.OnFound = [&](const std::string&, const platform::FileEntry& e) {
        found.push_back(e.name);
        throw EFindFileAbort();
    };
    found.clear();
    search.Execute();
    EXPECT_EQ(found, (Strings{"a.tmp"}));
    EXPECT_EQ(completed, 2);
    EXPECT_FALSE(search.Busy());
}

TEST_F(FindFileTest, JunctionsAreNeverEntered) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "links are staged on the substitute";
    }
    memory->AddFile("C:\\Users\\me\\Documents\\thesis.tmp", "precious");
    memory->AddFolder(root + "link");
    ASSERT_TRUE(Succeeded(memory->SetAttributes(root + "link", platform::attr::Directory)));
    memory->AddFile(root + "link\\inside.tmp", "");
    memory->AddFile(root + "own.tmp", "");
    // Mark the folder as a reparse point after it is filled.
    memory->SetReparsePoint(root + "link", true);
    TFindFile search(env->Fs());
    search.IncludeFiles = {root + "*.tmp"};
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool&) { folders.push_back(f); };
    const Strings found = Run(search);
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(folders.size(), 1u);
    // The folder given is searched as given, link or not.
    search.IncludeFiles = {root + "link\\*.tmp"};
    EXPECT_EQ(Run(search).size(), 1u);
}

TEST_F(FindFileTest, NoFolderPartFindsNothing) {
    TFindFile search(env->Fs());
    search.IncludeFiles = {"*.*"};
    int completed = 0;
    search.OnComplete = [&] { ++completed; };
    EXPECT_TRUE(Run(search).empty());
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(ReportedFolder("C:\\"), "C:\\");
    EXPECT_EQ(ReportedFolder("C:\\Temp\\"), "C:\\Temp");
}

} // namespace
} // namespace quill
