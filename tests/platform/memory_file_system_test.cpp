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

} // namespace
} // namespace quill::platform
