// Building the catalogue from the wash-item files and the order file.

#include "model/wash_items.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::FileSystem& fs = env->Fs();
    const std::string& app = env->Root();
    titem_list catalogue{fs};

    void Files() {
        env->Put("const\\system.txt", "[Common]\r\nTotal=3\r\nItem0=Recycle Bin\r\nItem1=  \r\n"
                                      "Item2=Temp\r\n[Recycle Bin]\r\nIsSpecial=1\r\n"
                                      "[Temp]\r\nIsActive=0\r\n");
        env->Put("const\\user.txt", "[Common]\r\nTotal=1\r\nItem0=Temp\r\n");
        env->Put("plugin\\b.txt", "[Common]\r\nTotal=1\r\nItem0=Plug B\r\n");
        env->Put("plugin\\a.TXT", "[Common]\r\nTotal=1\r\nItem0=Plug A\r\n");
        env->Put("plugin\\notes.doc", "[Common]\r\nTotal=1\r\nItem0=Not loaded\r\n");
    }

    std::string Names() const {
        std::string out;
        for (const auto& e : catalogue.Items) {
            out += e.ItemName + (e.IsActive ? "+" : "-") + (e.IsSpecial ? "s" : "") + ",";
        }
        return out;
    }
};

TEST_F(CatalogueTest, WithoutOrderFileItemsComeInFileOrder) {
    Files();
    LoadCatalogue(fs, app, catalogue);
    EXPECT_EQ(Names(), "Recycle Bin+s,Temp-,Temp+,Plug A+,Plug B+,");
    EXPECT_EQ(catalogue.Items[1].txtfilename, app + "const\\system.txt");
    EXPECT_EQ(catalogue.Items[2].txtfilename, app + "const\\user.txt");
    EXPECT_EQ(catalogue.Items[3].txtfilename, app + "plugin\\a.TXT");
}

TEST_F(CatalogueTest, RememberedOrderFirstThenNewItemsVanishedDropped) {
    Files();
    const std::string sys = app + "const\\system.txt";
    const std::string user = app + "const\\user.txt";
    auto entry = [](const std::string& name, const std::string& file) {
        return name + "<|>" + file;
    };
    env->Put("order.ini", "[Common]\r\nTotal=5\r\n"
                          "Item0=" +
                              entry("Temp", user) +
                              "\r\n"
                              "Item1=" +
                              entry("Gone", sys) +
                              "\r\n"
                              "Item2=" +
                              entry("Recycle Bin", sys) +
                              "\r\n"
                              "Item3=" +
                              entry("Temp", user) +
                              "\r\n"
                              "Item4=" +
                              entry("temp", sys) +
                              "\r\n"
                              "[" +
                              entry("Temp", user) + "]\r\ntxtfilename=" + user +
                              "\r\nIsActive=0\r\nIsSpecial=0\r\n"
                              "[" +
                              entry("Gone", sys) + "]\r\ntxtfilename=" + sys +
                              "\r\n"
                              "[" +
                              entry("Recycle Bin", sys) + "]\r\ntxtfilename=" + sys +
                              "\r\nIsActive=0\r\nIsSpecial=1\r\n"
                              "[" +
                              entry("temp", sys) + "]\r\ntxtfilename=" + sys + "\r\n");
    LoadCatalogue(fs, app, catalogue);
    // Remembered (duplicates kept, case-sensitive match), then the rest in file order.
    EXPECT_EQ(Names(), "Temp-,Recycle Bin-s,Temp-,Temp-,Plug A+,Plug B+,");
    EXPECT_EQ(catalogue.Items[3].txtfilename, sys);
}

TEST_F(CatalogueTest, OrderEntryWithoutFileKeyDropsOut) {
    Files();
    env->Put("order.ini", "[Common]\r\nTotal=1\r\nItem0=Temp<|>whatever\r\n");
    LoadCatalogue(fs, app, catalogue);
    EXPECT_EQ(Names(), "Recycle Bin+s,Temp-,Temp+,Plug A+,Plug B+,");
}

TEST_F(CatalogueTest, SeparatorInAWashItemFileReadsAsOrderEntry) {
    env->Put("const\\system.txt", "[Common]\r\nTotal=2\r\nItem0=Odd<|>name\r\nItem1=Bare<|>x\r\n"
                                  "[Odd<|>name]\r\ntxtfilename=C:\\elsewhere.txt\r\n");
    titem_list list(fs);
    list.LoadFromFile(app + "const\\system.txt");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items[0].ItemName, "Odd");
    EXPECT_EQ(list.Items[0].txtfilename, "C:\\elsewhere.txt");
    EXPECT_EQ(list.Items[1].ItemName, "Bare");
    EXPECT_EQ(list.Items[1].txtfilename, "");
}

TEST_F(CatalogueTest, SaveToFileWritesTheOrderFileAndLoadsBack) {
    Files();
    LoadCatalogue(fs, app, catalogue);
    catalogue.MoveDown(0);
    catalogue.MoveUp(0);                       // nothing
    catalogue.MoveDown(catalogue.Count() - 1); // nothing
    catalogue.Items[0].IsActive = true;
    catalogue.SaveToFile(app + "order.ini");
    const std::string sys = app + "const\\system.txt";
    const std::string text = env->Get("order.ini");
    EXPECT_EQ(text.substr(0, text.find("[Temp<|>")),
              "[Common]\r\nTotal=5\r\nItem0=Temp<|>" + sys + "\r\nItem1=Recycle Bin<|>" + sys +
                  "\r\nItem2=Temp<|>" + app + "const\\user.txt\r\nItem3=Plug A<|>" + app +
                  "plugin\\a.TXT\r\nItem4=Plug B<|>" + app + "plugin\\b.txt\r\n");
    EXPECT_NE(text.find("[Temp<|>" + sys + "]\r\ntxtfilename=" + sys +
                        "\r\nIsActive=1\r\nIsSpecial=0\r\n"),
              std::string::npos);
    titem_list again(fs);
    LoadCatalogue(fs, app, again);
    ASSERT_EQ(again.Count(), 5);
    EXPECT_EQ(again.Items[0].ItemName, "Temp");
    EXPECT_TRUE(again.Items[0].IsActive);
    EXPECT_EQ(again.Items[1].ItemName, "Recycle Bin");
}

TEST_F(CatalogueTest, EmptyCatalogueSavesOnlyTheTotal) {
    catalogue.SaveToFile(app + "order.ini");
    EXPECT_EQ(env->Get("order.ini"), "[Common]\r\nTotal=0\r\n");
    LoadCatalogue(fs, app, catalogue);
    EXPECT_EQ(catalogue.Count(), 0);
}

TEST_F(CatalogueTest, AddCopySkipsEmptyNamesAndCopies) {
    titem_property e{"", true, false, "f"};
    catalogue.AddCopy(e);
    EXPECT_EQ(catalogue.Count(), 0);
    e.ItemName = "x";
    catalogue.AddCopy(e);
    e.ItemName = "y";
    ASSERT_EQ(catalogue.Count(), 1);
    EXPECT_EQ(catalogue.Items[0].ItemName, "x");
    EXPECT_TRUE(catalogue.Contains({"x", false, true, "f"}));
    EXPECT_FALSE(catalogue.Contains({"X", true, false, "f"}));
    EXPECT_FALSE(catalogue.Contains({"x", true, false, "F"}));
}

} // namespace
} // namespace quill
