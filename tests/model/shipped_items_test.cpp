// The wash items shipped beside the program load as intended.

#include "model/wash_items.h"
#include "platform/memory/memory_file_system.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quill {
namespace {

std::string ShippedFile(const std::string& relative) {
    std::ifstream in(std::string(QUILL_SOURCE_DIR) + "/data/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(ShippedItems, SystemItemsLoadWithTheSpecialItemsFirst) {
    const std::string system = ShippedFile("const/system.txt");
    if (system.empty()) {
        GTEST_SKIP() << "the source tree is not reachable from here";
    }
    platform::MemoryFileSystem fs;
    fs.AddFile("C:\\app\\const\\system.txt", system);
    titem_list catalogue(fs);
    LoadCatalogue(fs, "C:\\app\\", catalogue);
    ASSERT_GE(catalogue.Count(), 3);
    EXPECT_EQ(catalogue.Items[0].ItemName, "Recycle Bin");
    EXPECT_TRUE(catalogue.Items[0].IsSpecial);
    EXPECT_EQ(catalogue.Items[1].ItemName, "The history of Internet Explorer");
    EXPECT_TRUE(catalogue.Items[1].IsSpecial);
    for (const auto& entry : catalogue.Items) {
        tItemContent item(fs, entry.txtfilename, entry.ItemName);
        EXPECT_EQ(item.ItemProperty.IsSpecial, item.Folders.Count() + item.Registers.Count() == 0)
            << entry.ItemName;
        for (const auto& child : item.Folders.Items) {
            EXPECT_FALSE(child.ChildItemName.empty());
            EXPECT_EQ(child.deletepath.find('{'), 0u) << "shipped paths start with a macro";
        }
        for (const auto& child : item.Registers.Items) {
            EXPECT_EQ(child.RegisterKeyName.rfind("HKEY_CURRENT_USER\\", 0), 0u);
        }
    }
}

} // namespace
} // namespace quill
