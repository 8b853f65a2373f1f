// The wash-item file as written and rewritten by the item operations.

#include "model/wash_items.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

const char* const kExample =
    "[Common]\r\n"
    "Total=2\r\n"
    "Item0=Temporary files\r\n"
    "Item1=Recycle Bin\r\n"
    "[Temporary files]\r\n"
    "IsActive=1\r\n"
    "IsSpecial=0\r\n"
    "tFolder.Total=1\r\n"
    "tFolder0.ChildItemName=Windows temporary folder\r\n"
    "tFolder0.isactive=1\r\n"
    "tFolder0.deletepath={windows}\\Temp\\log*.txt\r\n"
    "tFolder0.RegisterName=\r\n"
    "tFolder0.RegisterValueofName=\r\n"
    "tFolder0.deletefilename=\r\n"
    "tFolder0.bycategory=1\r\n"
    "tFolder0.IsIncludeSubfolder=1\r\n"
    "tRegister.Total=1\r\n"
    "tRegister0.ChildItemName=Recent documents list\r\n"
    "tRegister0.RegisterKeyName=HKEY_CURRENT_USER\\Software\\Example\\Recent\r\n"
    "tRegister0.RegisterSingleValue=\r\n"
    "tRegister0.isactive=1\r\n"
    "tRegister0.CleanRegisterType=1\r\n"
    "[Recycle Bin]\r\n"
    "IsActive=1\r\n"
    "IsSpecial=1\r\n"
    "tFolder.Total=0\r\n"
    "tRegister.Total=0\r\n";

class ItemFileTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::FileSystem& fs = env->Fs();
    std::string scratch = env->Root() + "scratch.txt"; // never written
    std::string file = env->Root() + "items.txt";

    void WriteExample() {
        tItemContent temp(fs, scratch, "Temporary files");
        tChildFolder f(fs, scratch, "Temporary files", 0);
        f.ChildItemName = "Windows temporary folder";
        f.isactive = true;
        f.deletepath = "{windows}\\Temp\\log*.txt";
        f.bycategory = byFolder;
        f.IsIncludeSubfolder = true;
        temp.Folders.Add(f);
        tChildRegister r(fs, scratch, "Temporary files", 0);
        r.ChildItemName = "Recent documents list";
        r.RegisterKeyName = "HKEY_CURRENT_USER\\Software\\Example\\Recent";
        r.isactive = true;
        r.CleanRegisterType = deleteAllValues;
        temp.Registers.Add(r);
        temp.AppendToFile(file, "Temporary files", true);

        tItemContent bin(fs, scratch, "Recycle Bin");
        bin.ItemProperty.IsSpecial = true;
        bin.AppendToFile(file, "Recycle Bin", true);
    }
};

TEST_F(ItemFileTest, AppendToFileWritesTheExampleExactly) {
    WriteExample();
    EXPECT_EQ(env->Get("items.txt"), kExample);
    EXPECT_FALSE(fs.Exists(scratch));
}

TEST_F(ItemFileTest, ExampleLoadsBackWhole) {
    env->Put("items.txt", kExample);
    tItemContent item(fs, file, "temporary FILES");
    EXPECT_TRUE(item.ItemProperty.IsActive);
    EXPECT_FALSE(item.ItemProperty.IsSpecial);
    ASSERT_EQ(item.Folders.Count(), 1);
    const tChildFolder& f = item.Folders.Items[0];
    EXPECT_EQ(f.ChildItemName, "Windows temporary folder");
    EXPECT_TRUE(f.isactive);
    EXPECT_EQ(f.deletepath, "{windows}\\Temp\\log*.txt");
    EXPECT_EQ(f.bycategory, byFolder);
    EXPECT_TRUE(f.IsIncludeSubfolder);
    EXPECT_EQ(f.FileName, file);
    ASSERT_EQ(item.Registers.Count(), 1);
    EXPECT_EQ(item.Registers.Items[0].CleanRegisterType, deleteAllValues);
    EXPECT_EQ(item.Registers.Items[0].RegisterKeyName,
              "HKEY_CURRENT_USER\\Software\\Example\\Recent");
    tItemContent bin(fs, file, "Recycle Bin");
    EXPECT_TRUE(bin.ItemProperty.IsSpecial);
    EXPECT_EQ(bin.Folders.Count() + bin.Registers.Count(), 0);
}

TEST_F(ItemFileTest, NewKeysAreWrittenOnlyForItemsAndChildrenThatHaveThem) {
    WriteExample();
    tItemContent item(fs, file, "Temporary files");
    EXPECT_FALSE(item.Folders.Items[0].RemoveEmptyFolders);
    EXPECT_TRUE(item.Warning.empty());
    EXPECT_TRUE(item.Exclusions.empty());
    item.Folders.Items[0].RemoveEmptyFolders = true;
    item.Warning = "Also removes the list of recent projects.";
    item.Exclusions = {"FILE|{windows}\\Temp\\|keep.txt", "REG|HKEY_CURRENT_USER\\Software\\K"};
    item.Rename("Temporary files", true, 0);
    const std::string text = env->Get("items.txt");
    EXPECT_NE(text.find("tFolder0.IsIncludeSubfolder=1\r\ntFolder0.RemoveEmptyFolders=1\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("tRegister0.CleanRegisterType=1\r\n"
                        "Warning=Also removes the list of recent projects.\r\n"
                        "Exclude.Total=2\r\nExclude0=FILE|{windows}\\Temp\\|keep.txt\r\n"
                        "Exclude1=REG|HKEY_CURRENT_USER\\Software\\K\r\n"),
              std::string::npos);
    tItemContent again(fs, file, "Temporary files");
    EXPECT_TRUE(again.Folders.Items[0].RemoveEmptyFolders);
    EXPECT_EQ(again.Warning, item.Warning);
    EXPECT_EQ(again.Exclusions, item.Exclusions);

    // Cleared again: the child's key goes, the rest of the file reads as
    // the example does.
    again.Folders.Items[0].RemoveEmptyFolders = false;
    again.Folders.Save();
    EXPECT_EQ(env->Get("items.txt").find("RemoveEmptyFolders"), std::string::npos);
    again.Warning.clear();
    again.Exclusions.clear();
    again.Rename("Temporary files", true, 0);
    tItemContent cleared(fs, file, "Temporary files");
    EXPECT_FALSE(cleared.Folders.Items[0].RemoveEmptyFolders);
    EXPECT_TRUE(cleared.Warning.empty());
    EXPECT_TRUE(cleared.Exclusions.empty());
}

TEST_F(ItemFileTest, RenameToItsOwnNameMovesTheSectionToTheEnd) {
    WriteExample();
    tItemContent item(fs, file, "Temporary files");
    item.Rename("Temporary files", false, 0);
    const std::string text = env->Get("items.txt");
    const std::string expected =
        std::string(kExample).substr(0, std::string(kExample).find("[Temporary files]")) +
        "[Recycle Bin]\r\nIsActive=1\r\nIsSpecial=1\r\ntFolder.Total=0\r\ntRegister.Total=0\r\n" +
        std::string(kExample).substr(std::string(kExample).find("[Temporary files]"),
                                     std::string(kExample).find("[Recycle Bin]") -
                                         std::string(kExample).find("[Temporary files]"));
    std::string unchecked = expected;
    unchecked.replace(unchecked.find("[Temporary files]\r\nIsActive=1"),
                      std::string("[Temporary files]\r\nIsActive=1").size(),
                      "[Temporary files]\r\nIsActive=0");
    EXPECT_EQ(text, unchecked);
}

TEST_F(ItemFileTest, RenameWritesTheNewNameAtItsPosition) {
    WriteExample();
    tItemContent item(fs, file, "Temporary files");
    item.Rename("Temp stuff", true, 0);
    IniFile ini(fs, file);
    EXPECT_EQ(ini.ReadString("Common", "Item0", ""), "Temp stuff");
    EXPECT_EQ(ini.ReadString("Temporary files", "IsActive", "gone"), "gone");
    tItemContent again(fs, file, "Temp stuff");
    ASSERT_EQ(again.Folders.Count(), 1);
    EXPECT_EQ(again.Folders.Items[0].SectionName, "Temp stuff");
    EXPECT_EQ(again.Registers.Items[0].ChildItemName, "Recent documents list");
}

TEST_F(ItemFileTest, RemoveFromFileShiftsTheList) {
    env->Put("items.txt", "[Common]\r\nTotal=3\r\nItem0=A\r\nItem1=B\r\nItem2=C\r\n"
                          "[A]\r\nIsActive=0\r\n[B]\r\nIsActive=1\r\n");
    tItemContent::RemoveFromFile(fs, file, "A", 0);
    EXPECT_EQ(env->Get("items.txt"),
              "[Common]\r\nTotal=2\r\nItem0=B\r\nItem1=C\r\n[B]\r\nIsActive=1\r\n");
}

TEST_F(ItemFileTest, RemovingTheOnlyItemLeavesAnEmptyList) {
    env->Put("items.txt", "[Common]\r\nTotal=1\r\nItem0=A\r\n[A]\r\nIsActive=0\r\n");
    tItemContent::RemoveFromFile(fs, file, "A", 0);
    EXPECT_EQ(env->Get("items.txt"), "[Common]\r\nTotal=0\r\n");
}

TEST_F(ItemFileTest, AppendWithoutCommonSectionStartsTheList) {
    env->Put("items.txt", "[Other]\r\nx=1\r\n");
    tItemContent item(fs, scratch, "New");
    item.AppendToFile(file, "New", false);
    IniFile ini(fs, file);
    EXPECT_EQ(ini.ReadInteger("Common", "Total", -1), 1);
    EXPECT_EQ(ini.ReadString("Common", "Item0", ""), "New");
    EXPECT_FALSE(ini.ReadBool("New", "IsActive", true));
    EXPECT_EQ(env->Get("items.txt").rfind("[Other]\r\nx=1\r\n[Common]\r\n", 0), 0u);
}

TEST_F(ItemFileTest, WriteIntoAMissingFolderRaises) {
    tItemContent item(fs, scratch, "New");
    EXPECT_THROW(item.AppendToFile(env->Root() + "nodir\\x.txt", "New", true), EIniFileException);
}

TEST_F(ItemFileTest, ReadOnlyItemFileRaisesAndStaysIntact) {
    WriteExample();
    ASSERT_TRUE(Succeeded(fs.SetAttributes(file, platform::attr::ReadOnly)));
    tItemContent item(fs, file, "Temporary files");
    item.Folders.Delete(0);
    EXPECT_THROW(item.Folders.Save(), EIniFileException);
    EXPECT_THROW(item.Rename("Other", true, 0), EIniFileException);
    ASSERT_TRUE(Succeeded(fs.SetAttributes(file, platform::attr::Archive)));
    EXPECT_EQ(env->Get("items.txt"), kExample);
}

} // namespace
} // namespace quill
