// Registry children turned into entries, and the entries removed.

#include "engine/registry_targets.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "support/recording_log.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using platform::RootKey;
using Strings = std::vector<std::string>;

class RegistryTargetsTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};

    tChildRegister Child(const std::string& key, CleanRegisterType type,
                         const std::string& value = "") {
        tChildRegister c(fs, "C:\\app\\none.txt", "Item", 0);
        c.RegisterKeyName = key;
        c.CleanRegisterType = type;
        c.RegisterSingleValue = value;
        return c;
    }

    Strings Collect(tChildRegister& child) {
        Strings list;
        CollectRegistryEntries(child, list, macros, registry);
        return list;
    }

    static CheckedList Ticked(const Strings& entries) {
        CheckedList list;
        for (const auto& e : entries) {
            list.push_back({e, true});
        }
        return list;
    }
};

TEST_F(RegistryTargetsTest, WholeKeyListsSubkeysThenTheKeyAndFixesTheName) {
    registry.AddKey(RootKey::CurrentUser, "Software\\Foo\\b");
    registry.AddKey(RootKey::CurrentUser, "Software\\Foo\\A\\deep");
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "v", platform::StringValue("x"));
    auto child = Child("HKEY_CURRENT_USER\\Software\\Foo", deleteKey);
    EXPECT_EQ(Collect(child), (Strings{"HKEY_CURRENT_USER\\Software\\Foo\\A<|>DeleteKey",
                                       "HKEY_CURRENT_USER\\Software\\Foo\\b<|>DeleteKey",
                                       "HKEY_CURRENT_USER\\Software\\Foo\\<|>DeleteKey"}));
    EXPECT_EQ(child.RegisterKeyName, "HKEY_CURRENT_USER\\Software\\Foo\\");

    registry.AddKey(RootKey::CurrentUser, "Software\\Bare");
    auto bare = Child("HKEY_CURRENT_USER\\Software\\Bare\\", deleteKey);
    EXPECT_EQ(Collect(bare), (Strings{"HKEY_CURRENT_USER\\Software\\Bare\\<|>DeleteKey"}));
}

TEST_F(RegistryTargetsTest, ValuesInCreationOrderAndSingleValuesOnlyWhenPresent) {
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "url2", platform::StringValue("b"));
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "url1", platform::DwordValue(1));
    registry.AddKey(RootKey::CurrentUser, "Software\\OnlySubkeys\\x");
    auto all = Child("hkey_current_user\\Software\\Foo", deleteAllValues);
    EXPECT_EQ(Collect(all), (Strings{"hkey_current_user\\Software\\Foo\\<|>DeleteValue<|>url2",
                                     "hkey_current_user\\Software\\Foo\\<|>DeleteValue<|>url1"}));
    auto none = Child("HKEY_CURRENT_USER\\Software\\OnlySubkeys", deleteAllValues);
    EXPECT_TRUE(Collect(none).empty());
    auto one = Child("HKEY_CURRENT_USER\\Software\\Foo", deleteSingleValue, "url1");
    Strings list{"kept"};
    CollectRegistryEntries(one, list, macros, registry);
    EXPECT_EQ(list, (Strings{"kept", "HKEY_CURRENT_USER\\Software\\Foo\\<|>DeleteValue<|>url1"}));
    auto missing = Child("HKEY_CURRENT_USER\\Software\\Foo", deleteSingleValue, "nope");
    EXPECT_TRUE(Collect(missing).empty());
}

TEST_F(RegistryTargetsTest, RootKeysAloneShortNamesAndMissingKeysYieldNothing) {
    registry.AddKey(RootKey::CurrentUser, "Software");
    registry.AddKey(RootKey::LocalMachine, "Software\\Only");
    for (auto type : {deleteKey, deleteAllValues, deleteSingleValue}) {
        auto root = Child("HKEY_CURRENT_USER\\", type);
        EXPECT_TRUE(Collect(root).empty());
    }
    auto shortName = Child("HKLM\\Software\\Only", deleteKey);
    EXPECT_TRUE(Collect(shortName).empty()); // looked for under HKEY_CURRENT_USER
    auto longName = Child("hkey_local_machine\\Software\\Only", deleteKey);
    EXPECT_EQ(Collect(longName).size(), 1u);
    auto gone = Child("HKEY_CURRENT_USER\\Software\\Gone", deleteKey);
    EXPECT_TRUE(Collect(gone).empty());
    auto empty = Child("", deleteKey);
    EXPECT_TRUE(Collect(empty).empty());
    EXPECT_EQ(empty.RegisterKeyName, "");
}

TEST_F(RegistryTargetsTest, DecodingBothKinds) {
    const auto key = DecodeRegistryEntry("HKEY_CURRENT_USER\\S\\Foo\\<|>DeleteKey");
    EXPECT_TRUE(key.isKey);
    EXPECT_EQ(key.keyPath, "HKEY_CURRENT_USER\\S\\Foo\\");
    const auto value = DecodeRegistryEntry("HKEY_CURRENT_USER\\S\\<|>DeleteValue<|>");
    EXPECT_FALSE(value.isKey);
    EXPECT_EQ(value.keyPath, "HKEY_CURRENT_USER\\S\\");
    EXPECT_EQ(value.valueName, "");
}

TEST_F(RegistryTargetsTest, UntickedLastEntryKeepsTheKeyTickedLastRemovesEverything) {
    registry.AddKey(RootKey::CurrentUser, "Software\\Foo\\A\\deep");
    registry.AddKey(RootKey::CurrentUser, "Software\\Foo\\B");
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "v", platform::StringValue("x"));
    auto child = Child("HKEY_CURRENT_USER\\Software\\Foo", deleteKey);
    CheckedList list = Ticked(Collect(child));
    list.back().Checked = false;
    test::RecordingLog log;
    const RemovalCounts counts = RemoveTickedEntries(list, registry, &log);
    EXPECT_EQ(counts.removed, 2);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_TRUE(registry.HasKey(RootKey::CurrentUser, "Software\\Foo"));
    EXPECT_FALSE(registry.HasKey(RootKey::CurrentUser, "Software\\Foo\\A"));
    EXPECT_TRUE(registry.Value(RootKey::CurrentUser, "Software\\Foo", "v").has_value());
    EXPECT_EQ(log.calls, (Strings{"registry ok HKEY_CURRENT_USER\\Software\\Foo\\A",
                                  "registry ok HKEY_CURRENT_USER\\Software\\Foo\\B"}));

    registry.AddKey(RootKey::CurrentUser, "Software\\Foo\\C\\deeper\\deepest");
    CheckedList lastOnly{{"HKEY_CURRENT_USER\\Software\\Foo\\<|>DeleteKey", true}};
    EXPECT_EQ(RemoveTickedEntries(lastOnly, registry, nullptr).removed, 1);
    EXPECT_FALSE(registry.HasKey(RootKey::CurrentUser, "Software\\Foo"));
    EXPECT_TRUE(registry.HasKey(RootKey::CurrentUser, "Software"));
}

TEST_F(RegistryTargetsTest, SecondRemovalAndVanishedValuesFailAndAreLoggedRed) {
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "url1", platform::StringValue("a"));
    const std::string entry = "HKEY_CURRENT_USER\\Software\\Foo\\<|>DeleteValue<|>url1";
    test::RecordingLog log;
    const RemovalCounts counts = RemoveTickedEntries(
        {{entry, true}, {entry, true}, {"HKEY_CURRENT_USER\\Nope\\<|>DeleteKey", true}}, registry,
        &log);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_EQ(counts.failed, 2);
    EXPECT_EQ(log.calls, (Strings{"registry ok HKEY_CURRENT_USER\\Software\\Foo\\url1",
                                  "registry fail HKEY_CURRENT_USER\\Software\\Foo\\url1",
                                  "registry fail HKEY_CURRENT_USER\\Nope\\"}));
}

TEST_F(RegistryTargetsTest, RefusedDeletionCountsAsFailed) {
    registry.AddKey(RootKey::CurrentUser, "Software\\Locked\\sub");
    registry.SetDeleteFails(RootKey::CurrentUser, "Software\\Locked", true);
    const RemovalCounts counts = RemoveTickedEntries(
        {{"HKEY_CURRENT_USER\\Software\\Locked\\<|>DeleteKey", true}}, registry, nullptr);
    EXPECT_EQ(counts.failed, 1);
    EXPECT_TRUE(registry.HasKey(RootKey::CurrentUser, "Software\\Locked"));
}

TEST_F(RegistryTargetsTest, DisplayTextShowsStringsNamesOrNothing) {
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "url",
                      platform::StringValue("http://x"));
    registry.PutValue(RootKey::CurrentUser, "Software\\Foo", "n", platform::DwordValue(5));
    const std::string k = "HKEY_CURRENT_USER\\Software\\Foo\\";
    EXPECT_EQ(RegistryEntryDisplayText(k + "<|>DeleteKey", registry), k);
    EXPECT_EQ(RegistryEntryDisplayText(k + "<|>DeleteValue<|>url", registry), "http://x");
    EXPECT_EQ(RegistryEntryDisplayText(k + "<|>DeleteValue<|>n", registry), "n");
    EXPECT_EQ(RegistryEntryDisplayText(k + "<|>DeleteValue<|>gone", registry), "gone");
    EXPECT_EQ(RegistryEntryDisplayText("HKEY_CURRENT_USER\\No\\<|>DeleteValue<|>x", registry), "");
}

} // namespace
} // namespace quill
