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

TEST_F(FileSystemContract, AStampChangesWithEveryWriteOfTheFile) {
    const std::string path = root + "stamped.ini";
    FileStamp missing;
    EXPECT_EQ(fs.Stamp(path, missing), IoResult::NotFound);
    ASSERT_EQ(fs.ReplaceFileContent(path, "[S]\r\nk=1\r\n"), IoResult::Ok);
    FileStamp first, again;
    ASSERT_EQ(fs.Stamp(path, first), IoResult::Ok);
    ASSERT_EQ(fs.Stamp(path, again), IoResult::Ok);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first.size, 10u);

    // Written again at once, to the same size: by a replace, then in place.
    ASSERT_EQ(fs.ReplaceFileContent(path, "[S]\r\nk=2\r\n"), IoResult::Ok);
    FileStamp replaced;
    ASSERT_EQ(fs.Stamp(path, replaced), IoResult::Ok);
    EXPECT_NE(replaced, first);
    std::unique_ptr<FileSystem::ExclusiveFile> file;
    ASSERT_EQ(fs.OpenExclusive(path, file), IoResult::Ok);
    std::uint32_t written = 0;
    ASSERT_EQ(file->WriteAt(8, "3", 1, written), IoResult::Ok);
    ASSERT_EQ(file->Close(), IoResult::Ok);
    FileStamp inPlace;
    ASSERT_EQ(fs.Stamp(path, inPlace), IoResult::Ok);
    EXPECT_NE(inPlace, replaced);
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

// --- Appending and exclusive writing ---

TEST_F(FileSystemContract, AppendCreatesThenAppends) {
    const std::string path = root + "log.htm";
    {
        std::unique_ptr<FileSystem::AppendStream> s;
        ASSERT_EQ(fs.OpenForAppend(path, s), IoResult::Ok);
        EXPECT_TRUE(s->Created());
        EXPECT_EQ(s->Write("one\r\n"), IoResult::Ok);
        EXPECT_EQ(s->Close(), IoResult::Ok);
        EXPECT_EQ(s->Close(), IoResult::Ok);
    }
    {
        std::unique_ptr<FileSystem::AppendStream> s;
        ASSERT_EQ(fs.OpenForAppend(path, s), IoResult::Ok);
        EXPECT_FALSE(s->Created());
        EXPECT_EQ(s->Write("two"), IoResult::Ok);
    } // closed by its destructor
    EXPECT_EQ(env->Get("log.htm"), "one\r\ntwo");
    std::unique_ptr<FileSystem::AppendStream> s;
    EXPECT_EQ(fs.OpenForAppend(root + "nodir\\log.htm", s), IoResult::PathNotFound);
    EXPECT_EQ(s, nullptr);
}

TEST_F(FileSystemContract, ExclusiveOpenShutsOutEveryoneElse) {
    const std::string path = root + "x.bin";
    ASSERT_EQ(fs.ReplaceFileContent(path, "12345"), IoResult::Ok);
    std::unique_ptr<FileSystem::ExclusiveFile> f;
    ASSERT_EQ(fs.OpenExclusive(path, f), IoResult::Ok);
    FileSystem::OpenFileFacts facts;
    ASSERT_EQ(f->Facts(facts), IoResult::Ok);
    EXPECT_EQ(facts.size, 5u);
    EXPECT_FALSE(facts.reparsePoint);
    EXPECT_EQ(facts.linkCount, 1u);

    std::unique_ptr<FileSystem::ExclusiveFile> second;
    EXPECT_EQ(fs.OpenExclusive(path, second), IoResult::SharingViolation);
    EXPECT_EQ(fs.Delete(path), IoResult::SharingViolation);
    std::unique_ptr<FileSystem::AppendStream> append;
    EXPECT_EQ(fs.OpenForAppend(path, append), IoResult::SharingViolation);
    ASSERT_EQ(f->Close(), IoResult::Ok);
    EXPECT_EQ(fs.OpenExclusive(path, second), IoResult::Ok);
}

TEST_F(FileSystemContract, ExclusiveOpenRefusesMissingReadOnlyAndFolders) {
    std::unique_ptr<FileSystem::ExclusiveFile> f;
    EXPECT_EQ(fs.OpenExclusive(root + "none", f), IoResult::NotFound);
    ASSERT_EQ(fs.ReplaceFileContent(root + "ro", "r"), IoResult::Ok);
    ASSERT_EQ(fs.SetAttributes(root + "ro", attr::ReadOnly), IoResult::Ok);
    EXPECT_EQ(fs.OpenExclusive(root + "ro", f), IoResult::AccessDenied);
    ASSERT_EQ(fs.CreateFolder(root + "d"), IoResult::Ok);
    EXPECT_NE(fs.OpenExclusive(root + "d", f), IoResult::Ok);
    EXPECT_EQ(f, nullptr);
    ASSERT_EQ(fs.SetAttributes(root + "ro", attr::Normal), IoResult::Ok);
}

TEST_F(FileSystemContract, WriteAtOverwritesAndExtends) {
    const std::string path = root + "w.bin";
    ASSERT_EQ(fs.ReplaceFileContent(path, "abcdef"), IoResult::Ok);
    {
        std::unique_ptr<FileSystem::ExclusiveFile> f;
        ASSERT_EQ(fs.OpenExclusive(path, f), IoResult::Ok);
        std::uint32_t written = 0;
        ASSERT_EQ(f->WriteAt(2, "XY", 2, written), IoResult::Ok);
        EXPECT_EQ(written, 2u);
        ASSERT_EQ(f->WriteAt(5, "0123", 4, written), IoResult::Ok);
        EXPECT_EQ(written, 4u);
        EXPECT_EQ(f->Flush(), IoResult::Ok);
        FileSystem::OpenFileFacts facts;
        ASSERT_EQ(f->Facts(facts), IoResult::Ok);
        EXPECT_EQ(facts.size, 9u);
    }
    EXPECT_EQ(env->Get("w.bin"), "abXYe0123");
}

TEST_F(FileSystemContract, DeleteByHandleRemovesTheFile) {
    const std::string path = root + "gone.bin";
    ASSERT_EQ(fs.ReplaceFileContent(path, "secret"), IoResult::Ok);
    std::unique_ptr<FileSystem::ExclusiveFile> f;
    ASSERT_EQ(fs.OpenExclusive(path, f), IoResult::Ok);
    std::uint32_t written = 0;
    ASSERT_EQ(f->WriteAt(0, "AAAAAA", 6, written), IoResult::Ok);
    EXPECT_EQ(f->DeleteByHandle(), IoResult::Ok);
    EXPECT_EQ(f->Close(), IoResult::Ok);
    EXPECT_FALSE(fs.Exists(path));
    EXPECT_TRUE(List(root).empty());
}

// --- Reading in blocks ---

TEST_F(FileSystemContract, ReadsInBlocksUntilTheEnd) {
    std::string content(10000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i * 7);
    }
    ASSERT_EQ(fs.ReplaceFileContent(root + "big.bin", content), IoResult::Ok);
    std::unique_ptr<FileSystem::ReadStream> s;
    ASSERT_EQ(fs.OpenForReading(root + "big.bin", s), IoResult::Ok);
    std::string back;
    std::vector<std::uint32_t> blocks;
    char buffer[4096];
    for (;;) {
        std::uint32_t got = 99;
        ASSERT_EQ(s->Read(buffer, sizeof buffer, got), IoResult::Ok);
        if (got == 0) {
            break;
        }
        blocks.push_back(got);
        back.append(buffer, got);
    }
    EXPECT_EQ(back, content);
    EXPECT_EQ(blocks, (std::vector<std::uint32_t>{4096, 4096, 1808}));
    std::uint32_t got = 99;
    EXPECT_EQ(s->Read(buffer, sizeof buffer, got), IoResult::Ok);
    EXPECT_EQ(got, 0u);
}

TEST_F(FileSystemContract, ReadingSharesWithWritersButNotWithExclusiveHandles) {
    const std::string path = root + "shared.txt";
    ASSERT_EQ(fs.ReplaceFileContent(path, "abc"), IoResult::Ok);
    std::unique_ptr<FileSystem::AppendStream> writer;
    ASSERT_EQ(fs.OpenForAppend(path, writer), IoResult::Ok);
    std::unique_ptr<FileSystem::ReadStream> s;
    ASSERT_EQ(fs.OpenForReading(path, s), IoResult::Ok);
    char buffer[16];
    std::uint32_t got = 0;
    ASSERT_EQ(s->Read(buffer, sizeof buffer, got), IoResult::Ok);
    EXPECT_EQ(std::string(buffer, got), "abc");
    s.reset();
    ASSERT_EQ(writer->Close(), IoResult::Ok);

    // A reader does not keep others from deleting the file.
    ASSERT_EQ(fs.OpenForReading(path, s), IoResult::Ok);
    std::unique_ptr<FileSystem::ExclusiveFile> f;
    s.reset();
    ASSERT_EQ(fs.OpenExclusive(path, f), IoResult::Ok);
    EXPECT_EQ(fs.OpenForReading(path, s), IoResult::SharingViolation);
    EXPECT_EQ(s, nullptr);
}

TEST_F(FileSystemContract, ReadingRefusesMissingFilesAndFolders) {
    std::unique_ptr<FileSystem::ReadStream> s;
    EXPECT_EQ(fs.OpenForReading(root + "none.txt", s), IoResult::NotFound);
    EXPECT_EQ(fs.OpenForReading(root + "nodir\\none.txt", s), IoResult::PathNotFound);
    ASSERT_EQ(fs.CreateFolder(root + "d"), IoResult::Ok);
    EXPECT_NE(fs.OpenForReading(root + "d", s), IoResult::Ok);
    EXPECT_EQ(s, nullptr);
    ASSERT_EQ(fs.ReplaceFileContent(root + "empty", ""), IoResult::Ok);
    ASSERT_EQ(fs.OpenForReading(root + "empty", s), IoResult::Ok);
    char buffer[8];
    std::uint32_t got = 99;
    EXPECT_EQ(s->Read(buffer, sizeof buffer, got), IoResult::Ok);
    EXPECT_EQ(got, 0u);
}

TEST_F(FileSystemContract, NamesEndingInADotOrABlankAreThemselves) {
    ASSERT_EQ(fs.ReplaceFileContent(root + "keep.txt", "plain"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "keep.txt.", "dot"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "keep.txt ", "blank"), IoResult::Ok);
    EXPECT_EQ(List(root).size(), 3u);
    std::string bytes;
    ASSERT_EQ(fs.ReadWholeFile(root + "keep.txt.", bytes), IoResult::Ok);
    EXPECT_EQ(bytes, "dot");
    EXPECT_EQ(fs.Delete(root + "keep.txt."), IoResult::Ok);
    EXPECT_EQ(fs.Delete(root + "keep.txt "), IoResult::Ok);
    ASSERT_EQ(fs.ReadWholeFile(root + "keep.txt", bytes), IoResult::Ok);
    EXPECT_EQ(bytes, "plain");
    EXPECT_EQ(List(root).size(), 1u);
}

TEST_F(FileSystemContract, StaleTempFilesOfAReplaceAreRemovedAndNothingElse) {
    ASSERT_EQ(fs.ReplaceFileContent(root + "~quill-1a-2b-0.tmp", "left by a crash"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "~quill-notes.txt", "mine"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "other.tmp", "mine"), IoResult::Ok);
    ASSERT_EQ(fs.CreateFolder(root + "~quill-dir.tmp"), IoResult::Ok);
    int removed = -1;
    EXPECT_EQ(fs.RemoveStaleTempFiles(root, removed), IoResult::Ok);
    EXPECT_EQ(removed, 1);
    EXPECT_FALSE(fs.Exists(root + "~quill-1a-2b-0.tmp"));
    EXPECT_TRUE(fs.Exists(root + "~quill-notes.txt"));
    EXPECT_TRUE(fs.Exists(root + "other.tmp"));
    EXPECT_TRUE(fs.Exists(root + "~quill-dir.tmp"));
}

TEST_F(FileSystemContract, ReplaceKeepsAttributesAndLeavesNoTempFile) {
    const std::string path = root + "h.ini";
    ASSERT_EQ(fs.ReplaceFileContent(path, "one"), IoResult::Ok);
    ASSERT_EQ(fs.SetAttributes(path, attr::Hidden), IoResult::Ok);
    const std::uint32_t before = fs.GetAttributes(path);
    ASSERT_EQ(fs.ReplaceFileContent(path, "two"), IoResult::Ok);
    EXPECT_EQ(fs.GetAttributes(path), before);
    EXPECT_EQ(List(root).size(), 1u);
}

TEST_F(FileSystemContract, AnOpenFolderWorksOnItsOwnEntries) {
    ASSERT_EQ(fs.CreateFolder(root + "A"), IoResult::Ok);
    ASSERT_EQ(fs.CreateFolder(root + "B"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "A\\x.txt", "x"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "A\\ro.txt", "r"), IoResult::Ok);
    ASSERT_EQ(fs.SetAttributes(root + "A\\ro.txt", attr::ReadOnly), IoResult::Ok);
    FolderId a, a2, b;
    ASSERT_EQ(fs.IdentifyFolder(root + "A", a), IoResult::Ok);
    ASSERT_EQ(fs.IdentifyFolder(root + "a\\", a2), IoResult::Ok);
    ASSERT_EQ(fs.IdentifyFolder(root + "B", b), IoResult::Ok);
    EXPECT_EQ(a, a2);
    EXPECT_NE(a, b);
    EXPECT_NE(fs.IdentifyFolder(root + "none", b), IoResult::Ok);

    std::unique_ptr<FileSystem::OpenFolder> folder;
    ASSERT_EQ(fs.OpenFolderAt(root + "A", folder), IoResult::Ok);
    EXPECT_EQ(folder->Identity(), a);
    EXPECT_EQ(folder->GetAttributes("none.txt"), attr::Invalid);
    EXPECT_NE(folder->GetAttributes("x.txt") & attr::Directory, attr::Directory);
    EXPECT_EQ(folder->Delete("ro.txt"), IoResult::AccessDenied);
    EXPECT_EQ(folder->SetAttributes("ro.txt", attr::Normal), IoResult::Ok);
    EXPECT_EQ(folder->Delete("ro.txt"), IoResult::Ok);
    EXPECT_EQ(folder->Delete("none.txt"), IoResult::NotFound);
    std::unique_ptr<FileSystem::ExclusiveFile> file;
    ASSERT_EQ(folder->OpenExclusive("x.txt", file), IoResult::Ok);
    std::uint32_t written = 0;
    EXPECT_EQ(file->WriteAt(0, "yy", 2, written), IoResult::Ok);
    EXPECT_EQ(file->DeleteByHandle(), IoResult::Ok);
    EXPECT_EQ(file->Close(), IoResult::Ok);
    folder.reset();
    EXPECT_TRUE(List(root + "A").empty());
}

TEST_F(FileSystemContract, AnOpenFolderRemovesOnlyEmptySubfolders) {
    ASSERT_EQ(fs.CreateFolder(root + "P"), IoResult::Ok);
    ASSERT_EQ(fs.CreateFolder(root + "P\\Empty"), IoResult::Ok);
    ASSERT_EQ(fs.CreateFolder(root + "P\\Full"), IoResult::Ok);
    ASSERT_EQ(fs.CreateFolder(root + "P\\Nested"), IoResult::Ok);
    ASSERT_EQ(fs.CreateFolder(root + "P\\Nested\\Inner"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "P\\Full\\f.txt", "f"), IoResult::Ok);
    ASSERT_EQ(fs.ReplaceFileContent(root + "P\\file.txt", "x"), IoResult::Ok);
    std::unique_ptr<FileSystem::OpenFolder> folder;
    ASSERT_EQ(fs.OpenFolderAt(root + "P", folder), IoResult::Ok);
    EXPECT_EQ(folder->RemoveEmptyFolder("Full"), IoResult::AccessDenied);
    EXPECT_EQ(folder->RemoveEmptyFolder("Nested"), IoResult::AccessDenied);
    EXPECT_EQ(folder->RemoveEmptyFolder("file.txt"), IoResult::AccessDenied);
    EXPECT_EQ(folder->RemoveEmptyFolder("none"), IoResult::NotFound);
    EXPECT_EQ(folder->RemoveEmptyFolder("Empty"), IoResult::Ok);
    folder.reset();
    EXPECT_FALSE(fs.Exists(root + "P\\Empty"));
    EXPECT_TRUE(fs.Exists(root + "P\\Full\\f.txt"));
    EXPECT_TRUE(fs.Exists(root + "P\\Nested\\Inner"));
    EXPECT_TRUE(fs.Exists(root + "P\\file.txt"));
}

} // namespace
} // namespace quill::platform
