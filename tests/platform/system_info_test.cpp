// The system facts: the substitute as tests arrange it, and the real ones of
// the machine under Wine.

#include "platform/memory/memory_system_info.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quill::platform {
namespace {

TEST(MemorySystemInfo, StartsWithUserFoldersAndDriveC) {
    MemorySystemInfo info;
    EXPECT_FALSE(info.UserName().empty());
    EXPECT_EQ(info.WindowsFolder(), "C:\\WINDOWS");
    EXPECT_EQ(info.SystemFolder(), "C:\\WINDOWS\\system32");
    EXPECT_EQ(info.DriveTypeOf("C:\\"), DriveType::Fixed);
    EXPECT_EQ(info.DriveRoots(), std::vector<std::string>{"C:\\"});
}

TEST(MemorySystemInfo, TestsSetUserAndFolders) {
    MemorySystemInfo info;
    info.SetUserName("Ann");
    info.SetWindowsFolder("D:\\WinNT");
    info.SetSystemFolder("D:\\WinNT\\System32");
    EXPECT_EQ(info.UserName(), "Ann");
    EXPECT_EQ(info.WindowsFolder(), "D:\\WinNT");
    EXPECT_EQ(info.SystemFolder(), "D:\\WinNT\\System32");
    info.SetUserName("");
    EXPECT_EQ(info.UserName(), ""); // a user name that cannot be had
}

TEST(MemorySystemInfo, DrivesHaveTheirTypesAndListInOrder) {
    MemorySystemInfo info;
    info.SetDrive("Z:\\", DriveType::Remote);
    info.SetDrive("d:", DriveType::CdRom);
    info.SetDrive("A:\\", DriveType::Removable);
    info.SetDrive("R:\\", DriveType::RamDisk);
    EXPECT_EQ(info.DriveTypeOf("Z:\\"), DriveType::Remote);
    EXPECT_EQ(info.DriveTypeOf("D:\\"), DriveType::CdRom);
    EXPECT_EQ(info.DriveTypeOf("a:\\"), DriveType::Removable);
    EXPECT_EQ(info.DriveTypeOf("R:\\"), DriveType::RamDisk);
    EXPECT_EQ(info.DriveTypeOf("Q:\\"), DriveType::NoRootDir);
    EXPECT_EQ(info.DriveRoots(),
              (std::vector<std::string>{"A:\\", "C:\\", "D:\\", "R:\\", "Z:\\"}));

    info.SetDrive("C:\\", DriveType::Remote);
    info.RemoveDrive("d:\\");
    EXPECT_EQ(info.DriveTypeOf("C:\\"), DriveType::Remote);
    EXPECT_EQ(info.DriveTypeOf("D:\\"), DriveType::NoRootDir);
    info.RemoveAllDrives();
    EXPECT_TRUE(info.DriveRoots().empty());
}

class RealSystemInfo : public ::testing::Test {
protected:
    void SetUp() override {
        if (!info) {
            GTEST_SKIP() << "needs the real system";
        }
    }
    std::unique_ptr<SystemInfo> info = test::MakeRealSystemInfo();
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
};

TEST_F(RealSystemInfo, FoldersExistWithoutTrailingBackslash) {
    for (const std::string& folder : {info->WindowsFolder(), info->SystemFolder()}) {
        ASSERT_GT(folder.size(), 3u);
        EXPECT_NE(folder.back(), '\\') << folder;
        const std::uint32_t attributes = env->Fs().GetAttributes(folder);
        ASSERT_NE(attributes, attr::Invalid) << folder;
        EXPECT_NE(attributes & attr::Directory, 0u) << folder;
    }
    const std::string windows = info->WindowsFolder();
    EXPECT_EQ(info->SystemFolder().substr(0, windows.size() + 1), windows + "\\");
}

TEST_F(RealSystemInfo, UserNameIsKnown) {
    EXPECT_FALSE(info->UserName().empty());
}

TEST_F(RealSystemInfo, DriveCIsFixedAndListed) {
    EXPECT_EQ(info->DriveTypeOf("C:\\"), DriveType::Fixed);
    const auto roots = info->DriveRoots();
    EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
    for (const auto& root : roots) {
        EXPECT_NE(info->DriveTypeOf(root), DriveType::NoRootDir) << root;
    }
}

} // namespace
} // namespace quill::platform
