// Behaviour particular to the in-memory substitute: the failures tests stage.

#include "platform/memory/memory_file_system.h"

#include <gtest/gtest.h>

namespace quill::platform {
namespace {

TEST(MemoryFileSystem, ListsInCaseInsensitiveNameOrder) {
    MemoryFileSystem fs;
    fs.AddFile("C:\\d\\beta", "");
    fs.AddFile("C:\\d\\Alpha", "");
    fs.AddFile("C:\\d\\gamma", "");
    std::string names;
    ASSERT_EQ(fs.ListFolder("C:\\d\\",
                            [&](const FileEntry& e) {
                                names += e.name + ",";
                                return true;
                            }),
              IoResult::Ok);
    EXPECT_EQ(names, "Alpha,beta,gamma,");
}

TEST(MemoryFileSystem, InjectedFailures) {
    MemoryFileSystem fs;
    fs.AddFile("C:\\d\\held.txt", "x");
    fs.AddFile("C:\\d\\denied.txt", "y");
    fs.SetHeldOpen("C:\\d\\held.txt", true);
    fs.SetAccessDenied("C:\\d\\denied.txt", true);
    std::string bytes;
    EXPECT_EQ(fs.ReadWholeFile("C:\\d\\held.txt", bytes), IoResult::SharingViolation);
    EXPECT_EQ(fs.Delete("C:\\d\\held.txt"), IoResult::SharingViolation);
    EXPECT_EQ(fs.ReplaceFileContent("C:\\d\\held.txt", "z"), IoResult::SharingViolation);
    EXPECT_EQ(fs.ReadWholeFile("C:\\d\\denied.txt", bytes), IoResult::AccessDenied);
    EXPECT_EQ(fs.Delete("C:\\d\\denied.txt"), IoResult::AccessDenied);

    fs.SetFreeSpace(3);
    EXPECT_EQ(fs.ReplaceFileContent("C:\\d\\new.txt", "four"), IoResult::DiskFull);
    EXPECT_FALSE(fs.Exists("C:\\d\\new.txt"));
    EXPECT_EQ(fs.ReplaceFileContent("C:\\d\\new.txt", "abc"), IoResult::Ok);
    EXPECT_EQ(fs.ReplaceFileContent("C:\\d\\other.txt", "a"), IoResult::DiskFull);
    EXPECT_EQ(fs.Delete("C:\\d\\new.txt"), IoResult::Ok);
    EXPECT_EQ(fs.ReplaceFileContent("C:\\d\\other.txt", "a"), IoResult::Ok);
}

TEST(MemoryFileSystem, UnknownDriveIsAMissingPath) {
    MemoryFileSystem fs;
    std::string bytes;
    EXPECT_EQ(fs.ReadWholeFile("Q:\\x.txt", bytes), IoResult::PathNotFound);
    fs.AddDrive("Q:");
    EXPECT_EQ(fs.ReadWholeFile("Q:\\x.txt", bytes), IoResult::NotFound);
}

TEST(MemoryFileSystem, FoldersAndFilesMarkedAsReparsePoints) {
    MemoryFileSystem fs;
    fs.AddFile("C:\\d\\junction\\inside.txt", "x");
    fs.AddFile("C:\\d\\link.txt", "y");
    fs.SetReparsePoint("C:\\d\\junction", true);
    fs.SetReparsePoint("C:\\d\\link.txt", true);
    EXPECT_EQ(fs.GetAttributes("C:\\d\\junction"), attr::Directory | attr::ReparsePoint);
    EXPECT_EQ(fs.GetAttributes("C:\\d\\link.txt"), attr::Archive | attr::ReparsePoint);
    std::string listed;
    ASSERT_EQ(fs.ListFolder("C:\\d",
                            [&](const FileEntry& e) {
                                listed += e.name + "=" + std::to_string(e.attributes) + ",";
                                return true;
                            }),
              IoResult::Ok);
    EXPECT_EQ(listed, "junction=1040,link.txt=1056,");
    // Its entries stay, as those of a junction's target would.
    EXPECT_TRUE(fs.Exists("C:\\d\\junction\\inside.txt"));
    // Attribute changes keep the mark; only SetReparsePoint removes it.
    ASSERT_EQ(fs.SetAttributes("C:\\d\\junction", attr::Hidden), IoResult::Ok);
    EXPECT_EQ(fs.GetAttributes("C:\\d\\junction"),
              attr::Directory | attr::ReparsePoint | attr::Hidden);
    fs.SetReparsePoint("C:\\d\\junction", false);
    EXPECT_EQ(fs.GetAttributes("C:\\d\\junction"), attr::Directory | attr::Hidden);
}

TEST(MemoryFileSystem, ReadingHonoursInjectedFailuresAndLinks) {
    MemoryFileSystem fs;
    fs.AddFile("C:\\d\\held.txt", "x");
    fs.AddFile("C:\\d\\denied.txt", "y");
    fs.AddFile("C:\\d\\target.txt", "through");
    fs.AddSymlink("C:\\d\\link.txt", "C:\\d\\target.txt");
    fs.SetHeldOpen("C:\\d\\held.txt", true);
    fs.SetAccessDenied("C:\\d\\denied.txt", true);
    std::unique_ptr<FileSystem::ReadStream> s;
    EXPECT_EQ(fs.OpenForReading("C:\\d\\held.txt", s), IoResult::SharingViolation);
    EXPECT_EQ(fs.OpenForReading("C:\\d\\denied.txt", s), IoResult::AccessDenied);
    ASSERT_EQ(fs.OpenForReading("C:\\d\\link.txt", s), IoResult::Ok);
    char buffer[16];
    std::uint32_t got = 0;
    ASSERT_EQ(s->Read(buffer, sizeof buffer, got), IoResult::Ok);
    EXPECT_EQ(std::string(buffer, got), "through");
    // A file that becomes unreadable while open fails the next read.
    ASSERT_EQ(fs.OpenForReading("C:\\d\\target.txt", s), IoResult::Ok);
    fs.SetAccessDenied("C:\\d\\target.txt", true);
    EXPECT_EQ(s->Read(buffer, sizeof buffer, got), IoResult::AccessDenied);
}

} // namespace
} // namespace quill::platform
