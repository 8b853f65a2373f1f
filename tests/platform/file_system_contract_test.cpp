// What every implementation of the file-system service guarantees; runs on
// the substitute natively and on real files under Wine.

#include "support/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace quill::platform {
namespace {

class FileSystemContract : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    FileSystem& fs = env->Fs();
    std::string root = env->Root();

    std::vector<FileEntry> List(const std::string& folder) {
        std::vector<FileEntry> out;
        EXPECT_EQ(fs.ListFolder(folder,
                                [&](const FileEntry& e) {
                                    out.push_back(e);
                                    return true;
                                }),
                  IoResult::Ok);
        return out;
    }
};

TEST_F(FileSystemContract, MissingFilesAndFoldersAreTold) {
    std::string bytes = "stale";
    EXPECT_EQ(fs.ReadWholeFile(root + "none.txt", bytes), IoResult::NotFound);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(fs.ReadWholeFile(root + "nodir\\none.txt", bytes), IoResult::PathNotFound);
    EXPECT_EQ(fs.ReplaceFileContent(root + "nodir\\x.txt", "x"), IoResult::PathNotFound);
    EXPECT_FALSE(fs.Exists(root + "none.txt"));
    EXPECT_EQ(fs.GetAttributes(root + "none.txt"), attr::Invalid);
    EXPECT_EQ(fs.Delete(root + "none.txt"), IoResult::NotFound);
    EXPECT_NE(fs.ListFolder(root + "nodir", [](const FileEntry&) { return true; }), IoResult::Ok);
}

TEST_F(FileSystemContract, ReplaceCreatesAndReplacesWholeContent) {
    const std::string path = root + "a.txt";
    ASSERT_EQ(fs.ReplaceFileContent(path, "first content"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(path, "second"), IoResult::Ok);
    std::string bytes;
    ASSERT_EQ(fs.ReadWholeFile(path, bytes), IoResult::Ok);
    EXPECT_EQ(bytes, "second");
    ASSERT_EQ(fs.ReplaceFileContent(path, std::string("\0\r\n\xff", 4)), IoResult::Ok);
    ASSERT_EQ(fs.ReadWholeFile(path, bytes), IoResult::Ok);
    EXPECT_EQ(bytes, std::string("\0\r\n\xff", 4));
    // No temporary file is left beside it.
    EXPECT_EQ(List(root).size(), 1u);
}

TEST_F(FileSystemContract, ReadOnlyFileIsNeitherReplacedNorDeleted) {
    const std::string path = root + "ro.txt";
    ASSERT_EQ(fs.ReplaceFileContent(path, "keep"), IoResult::Ok);
    ASSERT_EQ(fs.SetAttributes(path, attr::ReadOnly), IoResult::Ok);
    EXPECT_EQ(fs.ReplaceFileContent(path, "lost"), IoResult::AccessDenied);
    EXPECT_EQ(fs.Delete(path), IoResult::AccessDenied);
    std::string bytes;
    ASSERT_EQ(fs.ReadWholeFile(path, bytes), IoResult::Ok);
    EXPECT_EQ(bytes, "keep");
    EXPECT_EQ(List(root).size(), 1u);
    ASSERT_EQ(fs.SetAttributes(path, attr::Normal), IoResult::Ok);
    EXPECT_EQ(fs.Delete(path), IoResult::Ok);
    EXPECT_FALSE(fs.Exists(path));
}

TEST_F(FileSystemContract, ListsEntriesWithNamesSizesAndKinds) {
    const std::string unicode = "\xE6\x97\xA5\xE6\x9C\xAC-\xD0\x9F.txt";
    ASSERT_EQ(fs.CreateFolder(root + "Sub"), IoResult::Ok);
    EXPECT_EQ(fs.CreateFolder(root + "Sub"), IoResult::AlreadyExists);
    ASSERT_EQ(fs.ReplaceFileContent(root + "b.dat", "12345"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + unicode, ""), IoResult::Ok);
    auto entries = List(root);
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Sub");
    EXPECT_TRUE(entries[0].IsDirectory());
    EXPECT_EQ(entries[1].name, "b.dat");
    EXPECT_FALSE(entries[1].IsDirectory());
    EXPECT_EQ(entries[1].size, 5u);
    EXPECT_NE(entries[1].lastWriteTime, 0u);
    EXPECT_EQ(entries[2].name, unicode);
    EXPECT_TRUE(fs.Exists(root + "SUB"));
    EXPECT_TRUE(List(root + "Sub").empty());
    EXPECT_NE(fs.GetAttributes(root + "sub") & attr::Directory, 0u);
}

TEST_F(FileSystemContract, ListingStopsWhenTheVisitorSaysSo) {
    for (const char* n : {"1", "2", "3"}) {
        ASSERT_EQ(fs.ReplaceFileContent(root + n, n), IoResult::Ok);
    }
    int seen = 0;
    EXPECT_EQ(fs.ListFolder(root, [&](const FileEntry&) { return ++seen < 2; }), IoResult::Ok);
    EXPECT_EQ(seen, 2);
}

TEST_F(FileSystemContract, FoldersAreNotFiles) {
    ASSERT_EQ(fs.CreateFolder(root + "d"), IoResult::Ok);
    EXPECT_NE(fs.Delete(root + "d"), IoResult::Ok);
    EXPECT_NE(fs.ReplaceFileContent(root + "d", "x"), IoResult::Ok);
    EXPECT_TRUE(fs.Exists(root + "d"));
}

} // namespace
} // namespace quill::platform
