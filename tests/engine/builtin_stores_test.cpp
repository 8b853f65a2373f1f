// Special items: chosen by their exact names, always logged as cleaned.

#include "engine/builtin_stores.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "support/recording_log.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using Calls = std::vector<std::string>;

TEST(SpecialItems, EachNameCleansItsStoreInItsOwnLogSection) {
    platform::MemoryShell shell;
    test::RecordingLog log;
    CleanSpecialItem("Recycle Bin", shell, &log);
    CleanSpecialItem("The history of Internet Explorer", shell, &log);
    EXPECT_EQ(shell.recycleBinEmptied, 1);
    EXPECT_EQ(shell.historyCleared, 1);
    EXPECT_EQ(log.calls, (Calls{"begin", "special ok Recycle Bin", "end", "begin",
                                "special ok The history of Internet Explorer", "end"}));
    EXPECT_EQ(shell.cursorChanges, (std::vector<bool>{true, false, true, false}));
}

TEST(SpecialItems, NameDifferingInCaseCleansNothingButIsLogged) {
    platform::MemoryShell shell;
    test::RecordingLog log;
    CleanSpecialItem("recycle bin", shell, &log);
    CleanSpecialItem("Something else", shell, nullptr);
    EXPECT_EQ(shell.recycleBinEmptied, 0);
    EXPECT_EQ(shell.historyCleared, 0);
    EXPECT_EQ(log.calls, (Calls{"begin", "special ok recycle bin", "end"}));
}

TEST(SpecialItems, MissingHistoryStoreRaisesBeforeTheRowAndRestoresTheCursor) {
    platform::MemoryShell shell;
    shell.historyAvailable = false;
    test::RecordingLog log;
    EXPECT_THROW(CleanSpecialItem(kBrowserHistoryItem, shell, &log), EOleSysError);
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(shell.cursorChanges, (std::vector<bool>{true, false}));
}

TEST(SpecialItems, OnlyTheTwoIndexFilesCountAsSpecial) {
    const std::vector<std::string> files{"C:\\Cookies\\index.dat", ""};
    EXPECT_TRUE(IsSpecialFile(files, "c:\\cookies\\INDEX.DAT"));
    EXPECT_FALSE(IsSpecialFile(files, "C:\\Other\\index.dat"));
    EXPECT_FALSE(IsSpecialFile(files, ""));
    EXPECT_FALSE(IsSpecialFile({}, "C:\\Cookies\\index.dat"));
}

TEST(SpecialItems, IndexFilesComeFromTheShellFolders) {
    platform::MemoryRegistry registry;
    EXPECT_TRUE(CollectSpecialFiles(registry).empty());
    const std::string folders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    registry.PutValue(platform::RootKey::CurrentUser, folders, "Cookies",
                      platform::StringValue("C:\\Cookies"));
    registry.PutValue(platform::RootKey::CurrentUser, folders, "Cache",
                      platform::StringValue("C:\\Cache\\"));
    EXPECT_EQ(CollectSpecialFiles(registry),
              (Calls{"C:\\Cookies\\index.dat", "C:\\Cache\\Content.IE5\\index.dat"}));
    registry.PutValue(platform::RootKey::CurrentUser, folders, "Cookies",
                      platform::StringValue(""));
    EXPECT_EQ(CollectSpecialFiles(registry), (Calls{"", "C:\\Cache\\Content.IE5\\index.dat"}));
}

} // namespace
} // namespace quill
