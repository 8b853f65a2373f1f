// Loading and changing one wash item in memory.

#include "model/wash_items.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class ItemModelTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::FileSystem& fs = env->Fs();
    std::string file = env->Root() + "items.txt";

    void ThreeChildren() {
        env->Put("items.txt", "[Item]\r\ntFolder.Total=3\r\n"
                              "tFolder0.ChildItemName=zero\r\ntFolder0.deletepath=C:\\0\\*.*\r\n"
                              "tFolder1.ChildItemName=one\r\ntFolder1.isactive=1\r\n"
                              "tFolder1.deletepath=C:\\1\\*.tmp\r\ntFolder1.bycategory=2\r\n"
                              "tFolder2.ChildItemName=two\r\ntFolder2.IsIncludeSubfolder=1\r\n"
                              "tFolder2.deletefilename=C:\\2.log\r\n");
    }
};

TEST_F(ItemModelTest, EmptySectionLoadsCheckedWithoutChildren) {
    env->Put("items.txt", "[Item]\r\n");
    tItemContent item(fs, file, "Item");
    EXPECT_TRUE(item.ItemProperty.IsActive);
    EXPECT_FALSE(item.ItemProperty.IsSpecial);
    EXPECT_EQ(item.Folders.Count(), 0);
    EXPECT_EQ(item.Registers.Count(), 0);
    EXPECT_EQ(item.ItemProperty.txtfilename, file);
    EXPECT_EQ(item.Folders.SectionName, "Item");
}

TEST_F(ItemModelTest, StoredKindsAndTheirDefaults) {
    env->Put("items.txt", "[Item]\r\ntFolder.Total=5\r\n"
                          "tFolder0.ChildItemName=only name\r\n"
                          "tFolder1.bycategory=2\r\n"
                          "tFolder2.bycategory=7\r\n"
                          "tFolder3.bycategory=abc\r\n"
                          "tFolder4.bycategory=0\r\n"
                          "tRegister.Total=2\r\n"
                          "tRegister0.ChildItemName=r\r\n"
                          "tRegister1.CleanRegisterType=2\r\ntRegister1.isactive=1\r\n");
    tItemContent item(fs, file, "Item");
    ASSERT_EQ(item.Folders.Count(), 5);
    const auto& f = item.Folders.Items;
    EXPECT_EQ(f[0].ChildItemName, "only name");
    EXPECT_FALSE(f[0].isactive);
    EXPECT_FALSE(f[0].IsIncludeSubfolder);
    EXPECT_TRUE(f[0].deletepath.empty());
    EXPECT_EQ(f[0].bycategory, byFolder);
    EXPECT_EQ(f[1].bycategory, bySingle);
    EXPECT_EQ(f[2].bycategory, byRegister);
    EXPECT_EQ(f[3].bycategory, byFolder);
    EXPECT_EQ(f[4].bycategory, byRegister);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f[static_cast<std::size_t>(i)].Index, i);
    }
    ASSERT_EQ(item.Registers.Count(), 2);
    EXPECT_EQ(item.Registers.Items[0].CleanRegisterType, deleteKey);
    EXPECT_FALSE(item.Registers.Items[0].isactive);
    EXPECT_EQ(item.Registers.Items[1].CleanRegisterType, deleteSingleValue);
    EXPECT_TRUE(item.Registers.Items[1].isactive);
}

TEST_F(ItemModelTest, NegativeOrNonNumericTotalsGiveNoChildren) {
    env->Put("items.txt", "[Item]\r\ntFolder.Total=-1\r\ntRegister.Total=lots\r\n"
                          "tFolder0.ChildItemName=x\r\ntRegister0.ChildItemName=y\r\n");
    tItemContent item(fs, file, "Item");
    EXPECT_EQ(item.Folders.Count(), 0);
    EXPECT_EQ(item.Registers.Count(), 0);
}

TEST_F(ItemModelTest, DeleteMovesLaterChildrenUpAndRenumbers) {
    ThreeChildren();
    tFolder list(fs, file, "Item");
    list.Delete(5);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items[0].ChildItemName, "one");
    EXPECT_TRUE(list.Items[0].isactive);
    EXPECT_EQ(list.Items[0].bycategory, bySingle);
    EXPECT_EQ(list.Items[0].deletepath, "C:\\1\\*.tmp");
    EXPECT_EQ(list.Items[0].Index, 0);
    EXPECT_EQ(list.Items[1].ChildItemName, "two");
    EXPECT_TRUE(list.Items[1].IsIncludeSubfolder);
    EXPECT_EQ(list.Items[1].deletefilename, "C:\\2.log");
    EXPECT_EQ(list.Items[1].Index, 1);
}

TEST_F(ItemModelTest, DeletingTheLastChildLeavesItsKeysBeyondTheTotal) {
    ThreeChildren();
    tFolder list(fs, file, "Item");
    list.Delete(2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items[1].Index, 1);
    list.Save();
    IniFile ini(fs, file);
    EXPECT_EQ(ini.ReadInteger("Item", "tFolder.Total", -1), 2);
    EXPECT_EQ(ini.ReadString("Item", "tFolder2.ChildItemName", ""), "two");
    tFolder reread(fs, file, "Item");
    EXPECT_EQ(reread.Count(), 2);
}

TEST_F(ItemModelTest, ReplaceAndAddCopyTheGivenChild) {
    ThreeChildren();
    tFolder list(fs, file, "Item");
    tChildFolder edited(fs, file, "Item", 1);
    edited.ChildItemName = "edited";
    edited.FoundFiles = std::make_unique<std::vector<std::string>>(1, "C:\\x");
    list.Replace(edited, 3); // beyond the end: nothing
    EXPECT_EQ(list.Items[1].ChildItemName, "one");
    list.Replace(edited, 1);
    EXPECT_EQ(list.Items[1].ChildItemName, "edited");
    EXPECT_EQ(list.Items[1].FoundFiles, nullptr);

    tChildFolder added(fs, file, "Item", list.Count());
    added.ChildItemName = "new";
    list.Add(added);
    added.ChildItemName = "changed by its owner";
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items[3].ChildItemName, "new");
    list.Save();
    tFolder reread(fs, file, "Item");
    ASSERT_EQ(reread.Count(), 4);
    EXPECT_EQ(reread.Items[1].ChildItemName, "edited");
    EXPECT_EQ(reread.Items[3].ChildItemName, "new");
    EXPECT_EQ(reread.Items[2].ChildItemName, "two");
}

TEST_F(ItemModelTest, RebindMovesEveryChildToTheNewFileAndSection) {
    ThreeChildren();
    tItemContent item(fs, file, "Item");
    const std::string other = env->Root() + "other.txt";
    item.Rebind(other, "Moved");
    EXPECT_EQ(item.ItemProperty.txtfilename, other);
    for (const auto& c : item.Folders.Items) {
        EXPECT_EQ(c.FileName, other);
        EXPECT_EQ(c.SectionName, "Moved");
    }
    item.Folders.Save();
    tFolder moved(fs, other, "Moved");
    ASSERT_EQ(moved.Count(), 3);
    EXPECT_EQ(moved.Items[2].deletefilename, "C:\\2.log");
    tFolder original(fs, file, "Item");
    EXPECT_EQ(original.Count(), 3);
}

TEST_F(ItemModelTest, TextsInAnyScriptSurviveARoundTrip) {
    const std::string name = "\xE4\xB8\xB4\xE6\x97\xB6\xE6\x96\x87\xE4\xBB\xB6";
    const std::string path = "C:\\\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5\\*.tmp";
    tItemContent item(fs, env->Root() + "none.txt", name);
    tChildFolder child(fs, file, name, 0);
    child.ChildItemName = name;
    child.deletepath = path;
    item.Folders.Add(child);
    item.AppendToFile(file, name, true);
    tItemContent back(fs, file, name);
    ASSERT_EQ(back.Folders.Count(), 1);
    EXPECT_EQ(back.Folders.Items[0].ChildItemName, name);
    EXPECT_EQ(back.Folders.Items[0].deletepath, path);
}

} // namespace
} // namespace quill
