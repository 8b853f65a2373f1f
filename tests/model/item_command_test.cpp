// Each command on a wash-item file or the order file reads it once and
// replaces it once, or leaves it exactly as it was; counts read from a file
// are held to what the file holds.

#include "model/wash_items.h"
#include "support/test_env.h"
#include "support/watched_file_system.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

const char* const kTwoItems = "[Common]\r\n"
                              "Total=2\r\n"
                              "Item0=Temp\r\n"
                              "Item1=Bin\r\n"
                              "[Temp]\r\n"
                              "IsActive=1\r\n"
                              "IsSpecial=0\r\n"
                              "tFolder.Total=1\r\n"
                              "tFolder0.ChildItemName=Temp folder\r\n"
                              "tFolder0.isactive=1\r\n"
                              "tFolder0.deletepath={windows}\\Temp\\*.tmp\r\n"
                              "tFolder0.RegisterName=\r\n"
                              "tFolder0.RegisterValueofName=\r\n"
                              "tFolder0.deletefilename=\r\n"
                              "tFolder0.bycategory=1\r\n"
                              "tFolder0.IsIncludeSubfolder=1\r\n"
                              "tRegister.Total=0\r\n"
                              "[Bin]\r\n"
                              "IsActive=1\r\n"
                              "IsSpecial=1\r\n"
                              "tFolder.Total=0\r\n"
                              "tRegister.Total=0\r\n";

class ItemCommandTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    test::WatchedFileSystem fs{env->Fs()};
    std::string file = env->Root() + "items.txt";

    tChildFolder NewFolderChild(tFolder& folders, const std::string& name) {
        tChildFolder child(fs, folders.FileName, folders.SectionName, folders.Count());
        child.ChildItemName = name;
        child.deletepath = "C:\\" + name;
        child.isactive = true;
        return child;
    }

    // Runs a command that must fail with the file's error and leave it as it was.
    template <class Command> void ExpectAllOrNothing(const char* refused, Command command) {
        const std::string before = env->Get("items.txt");
        fs.refuseContentWith = refused;
        try {
            command();
            ADD_FAILURE() << "no error";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
        }
        fs.refuseContentWith.clear();
        EXPECT_EQ(env->Get("items.txt"), before) << refused;
    }
};

TEST_F(ItemCommandTest, EachCommandReadsTheFileOnceAndReplacesItOnce) {
    env->Put("items.txt", kTwoItems);
    tItemContent item(fs, file, "Temp");
    EXPECT_EQ(fs.reads, 1);
    for (int i = 0; i < 100; ++i) {
        item.Folders.Add(NewFolderChild(item.Folders, "child" + std::to_string(i)));
    }
    fs.reads = fs.replaces = 0;
    item.Folders.Save();
    EXPECT_EQ(fs.reads, 1);
    EXPECT_EQ(fs.replaces, 1);
    EXPECT_EQ(tItemContent(env->Fs(), file, "Temp").Folders.Count(), 101);

    fs.reads = fs.replaces = 0;
    item.Rename("Temp", false, 0);
    tItemContent other(env->Fs(), file, "Bin");
    other.AppendToFile(file, "Copy", true);
    EXPECT_EQ(fs.reads, 1);
    EXPECT_EQ(fs.replaces, 1);
    tItemContent::RemoveFromFile(fs, file, "Bin", 1);
    EXPECT_EQ(fs.reads, 2);
    EXPECT_EQ(fs.replaces, 2);

    titem_list list(fs);
    fs.reads = fs.replaces = 0;
    list.LoadFromFile(file);
    EXPECT_EQ(list.Count(), 2);
    list.SaveToFile(env->Root() + "order.ini");
    EXPECT_EQ(fs.reads, 2);
    EXPECT_EQ(fs.replaces, 1);
}

TEST_F(ItemCommandTest, ACommandThatFailsPartWayLeavesTheFileAsItWas) {
    env->Put("items.txt", kTwoItems);
    tItemContent item(fs, file, "Temp");
    item.Folders.Add(NewFolderChild(item.Folders, "second"));
    // Refused once the fifth key of the new child is written.
    ExpectAllOrNothing("tFolder1.RegisterName=", [&] { item.Folders.Save(); });
    ExpectAllOrNothing("tFolder1.", [&] { item.Rename("Temp", true, 0); });
    ExpectAllOrNothing("Item2=", [&] { item.AppendToFile(file, "Third", true); });
    ExpectAllOrNothing("Total=1", [&] { tItemContent::RemoveFromFile(fs, file, "Temp", 0); });
    ExpectAllOrNothing("isactive=0", [&] {
        item.Folders.Items[0].isactive = false;
        item.Folders.Items[0].ReadWrite(Direction::Write);
    });

    titem_list catalogue(fs);
    catalogue.LoadFromFile(file);
    env->Put("order.ini", "[Common]\r\nTotal=0\r\n");
    const std::string order = env->Root() + "order.ini";
    fs.refuseContentWith = "Bin<|>";
    EXPECT_THROW(catalogue.SaveToFile(order), EIniFileException);
    EXPECT_EQ(env->Get("order.ini"), "[Common]\r\nTotal=0\r\n");
}

TEST_F(ItemCommandTest, AHostilePlugInFileLoadsWhatItHolds) {
    const std::string app = env->Root();
    env->Put("plugin\\hostile.txt", "[Common]\r\nTotal=666666666\r\nItem0=Temp\r\nItem1=Bin\r\n"
                                    "[Temp]\r\ntFolder.Total=666666666\r\n"
                                    "tFolder0.ChildItemName=one\r\ntFolder1.ChildItemName=two\r\n"
                                    "tRegister.Total=10000\r\ntRegister0.isactive=1\r\n"
                                    "[Bin]\r\nIsSpecial=1\r\n");
    titem_list catalogue(fs);
    LoadCatalogue(fs, app, catalogue);
    ASSERT_EQ(catalogue.Count(), 2);
    EXPECT_EQ(catalogue.Items[0].ItemName, "Temp");
    EXPECT_TRUE(catalogue.Items[1].IsSpecial);

    const tItemContent item(fs, app + "plugin\\hostile.txt", "Temp");
    ASSERT_EQ(item.Folders.Count(), 2);
    EXPECT_EQ(item.Folders.Items[1].ChildItemName, "two");
    EXPECT_EQ(item.Registers.Count(), 1);

    tItemContent::RemoveFromFile(fs, app + "plugin\\hostile.txt", "Bin", 1);
    const IniFile ini(env->Fs(), app + "plugin\\hostile.txt");
    EXPECT_EQ(ini.ReadInteger("Common", "Total", -1), 1);
}

TEST_F(ItemCommandTest, CountsAFileCouldHoldAreReadAsTheyStand) {
    // Positions without keys still count as children with defaults.
    env->Put("items.txt", "[Common]\r\nTotal=1\r\nItem0=Temp\r\n[Temp]\r\ntFolder.Total=2\r\n"
                          "tFolder0.ChildItemName=one\r\n");
    const tItemContent item(fs, file, "Temp");
    ASSERT_EQ(item.Folders.Count(), 2);
    EXPECT_EQ(item.Folders.Items[1].ChildItemName, "");
    EXPECT_EQ(item.Folders.Items[1].bycategory, byFolder);
}

} // namespace
} // namespace quill
