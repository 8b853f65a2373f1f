// The folders a wash leaves empty, removed for the children that ask for it.

#include "engine/empty_folders.h"
#include "platform/memory/memory_file_system.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class EmptiedFoldersTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    const std::string cache = "C:\\Users\\u\\App\\Cache";

    void SetUp() override {
        fs.AddFolder(cache + "\\a\\b\\c");           // empty all the way down
        fs.AddFile(cache + "\\d\\keep.txt", "kept"); // still holds a file
        fs.AddFolder(cache + "\\d\\e");
        fs.AddFolder("C:\\Elsewhere\\Empty");
        fs.AddFolderLink(cache + "\\link", "C:\\Elsewhere");
    }
};

TEST_F(EmptiedFoldersTest, EmptyFoldersGoDeepestFirstAndNothingThatHoldsAnything) {
    EXPECT_EQ(RemoveEmptiedFolders(fs, {cache}, nullptr), 4); // c, b, a, d\e
    EXPECT_FALSE(fs.Exists(cache + "\\a"));
    EXPECT_FALSE(fs.Exists(cache + "\\d\\e"));
    EXPECT_TRUE(fs.Exists(cache + "\\d\\keep.txt"));
    // The link holds no file of the tree, yet neither it nor what it leads
    // to is touched; the root holds the link, so it stays, as its parents do.
    EXPECT_TRUE(fs.Exists(cache + "\\link"));
    EXPECT_TRUE(fs.Exists("C:\\Elsewhere\\Empty"));
    EXPECT_TRUE(fs.Exists(cache));
}

TEST_F(EmptiedFoldersTest, TheRootGoesWhenEmptiedButNeverItsParents) {
    fs.AddFolder("C:\\Users\\u\\Other\\Logs\\old");
    EmptiedFolderRoots roots;
    roots.Add("C:\\Users\\u\\Other\\Logs\\");
    roots.Add("c:\\users\\u\\other\\logs"); // the same folder once
    ASSERT_EQ(roots.Folders().size(), 1u);
    EXPECT_EQ(RemoveEmptiedFolders(fs, roots.Folders(), nullptr), 2);
    EXPECT_FALSE(fs.Exists("C:\\Users\\u\\Other\\Logs"));
    EXPECT_TRUE(fs.Exists("C:\\Users\\u\\Other")); // empty now, but above the root
    // Drive roots, missing folders and links as roots are left alone.
    EXPECT_EQ(RemoveEmptiedFolders(fs, {"C:\\", "C:\\Missing", cache + "\\link"}, nullptr), 0);
    EXPECT_TRUE(fs.Exists("C:\\Elsewhere\\Empty"));
}

TEST_F(EmptiedFoldersTest, ARootNoLongerTheFolderCollectedIsLeftAlone) {
    platform::FolderId was;
    ASSERT_TRUE(Succeeded(fs.IdentifyFolder(cache, was)));
    CollectedFolders collected;
    collected.Record(cache, was);
    fs.AddFolderLink(cache, "C:\\Elsewhere"); // swapped for a link since
    EXPECT_EQ(RemoveEmptiedFolders(fs, {cache}, &collected), 0);
    EXPECT_TRUE(fs.Exists("C:\\Elsewhere\\Empty"));
}

} // namespace
} // namespace quill
