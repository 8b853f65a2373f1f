// What one wash item keeps of what its children name.

#include "engine/item_exclusions.h"
#include "engine/registry_targets.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class ItemExclusionsTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};

    ItemExclusions Keep(const std::vector<std::string>& rules) { return {rules, macros}; }
};

TEST_F(ItemExclusionsTest, FileRulesKeepOneFolderPathRulesTheTreeBelow) {
    const ItemExclusions keep =
        Keep({"FILE|{windows}\\Logs\\|keep.log", "PATH|C:\\Data\\User Data\\*\\Extensions\\|*.*",
              "PATH|C:\\Cfg|*.ini"});
    EXPECT_FALSE(keep.Empty());
    EXPECT_TRUE(keep.KeepsFile("C:\\WINDOWS\\Logs", "KEEP.log"));
    EXPECT_TRUE(keep.KeepsFile("c:\\windows\\logs\\", "keep.log"));
    EXPECT_FALSE(keep.KeepsFile("C:\\WINDOWS\\Logs\\old", "keep.log")); // one folder only
    EXPECT_FALSE(keep.KeepsFile("C:\\WINDOWS\\Logs", "other.log"));
    EXPECT_TRUE(keep.KeepsFile("C:\\Data\\User Data\\Default\\Extensions", "x.js"));
    EXPECT_TRUE(keep.KeepsFile("C:\\Data\\User Data\\Profile 1\\Extensions\\abc\\1.0", "m"));
    EXPECT_FALSE(keep.KeepsFile("C:\\Data\\User Data\\Default\\Cache", "x.js"));
    EXPECT_FALSE(keep.KeepsFile("C:\\Data\\User Data", "Extensions"));
    EXPECT_TRUE(keep.KeepsFile("C:\\Cfg\\sub", "a.ini"));
    EXPECT_FALSE(keep.KeepsFile("C:\\Cfg", "a.txt"));
    EXPECT_FALSE(keep.KeepsFile("C:\\Cfgx", "a.ini"));
}

TEST_F(ItemExclusionsTest, RulesThatCannotBeReadKeepNothingAndNeverEverything) {
    const ItemExclusions keep =
        Keep({"", "FILE", "FILE|C:\\x\\|", "PATH|keep.txt|*", "DISK|C:\\|*.*", "REG|HKCU"});
    EXPECT_TRUE(keep.Empty());
    EXPECT_FALSE(keep.KeepsFile("C:\\x", "a"));
    EXPECT_FALSE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\A\\<|>DeleteKey"));
}

TEST_F(ItemExclusionsTest, RegistryEntriesThatWouldRemoveAKeptKeyOrValueAreKept) {
    const ItemExclusions keep = Keep({"REG|HKEY_CURRENT_USER\\Software\\App\\Keep",
                                      "REG|HKEY_CURRENT_USER\\Software\\App|Pinned"});
    const std::string key = kDeleteKeyMarker;
    const std::string value = kDeleteValueMarker;
    // A key whose removal takes a kept key or value with it.
    EXPECT_TRUE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\" + key));
    EXPECT_TRUE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\software\\app\\keep\\" + key));
    EXPECT_TRUE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\Keep\\Sub\\" + key));
    EXPECT_FALSE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\MRU\\" + key));
    // Values: those of a kept key, and the one kept value.
    EXPECT_TRUE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\Keep\\" + value + "a"));
    EXPECT_TRUE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\" + value + "PINNED"));
    EXPECT_FALSE(keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\" + value + "Last"));
    EXPECT_FALSE(
        keep.KeepsRegistryEntry("HKEY_CURRENT_USER\\Software\\App\\MRU\\" + value + "Pinned"));
}

} // namespace
} // namespace quill
