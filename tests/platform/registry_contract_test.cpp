// What every implementation of the registry service guarantees; runs on the
// substitute natively and on the real registry under Wine.

#include "support/registry_env.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill::platform {
namespace {

class RegistryContract : public ::testing::Test {
protected:
    std::unique_ptr<test::RegistryEnv> env = test::MakeRegistryEnv();
    Registry& reg = env->Registry();
    RootKey root = env->Root();
    std::string base = env->Base();

    std::string Path(const std::string& relative) const { return base + "\\" + relative; }

    std::unique_ptr<RegistryKey> Create(const std::string& relative) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(reg.CreateKey(root, Path(relative), key), IoResult::Ok) << relative;
        return key;
    }

    std::unique_ptr<RegistryKey> Open(const std::string& relative) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(reg.OpenKey(root, Path(relative), key), IoResult::Ok) << relative;
        return key;
    }

    bool Exists(const std::string& relative) {
        std::unique_ptr<RegistryKey> key;
        return reg.OpenKey(root, Path(relative), key) == IoResult::Ok;
    }

    static std::vector<std::string> Subkeys(RegistryKey& key) {
        std::vector<std::string> names;
        EXPECT_EQ(key.SubkeyNames(names), IoResult::Ok);
        return names;
    }

    static std::vector<std::string> Values(RegistryKey& key) {
        std::vector<std::string> names;
        EXPECT_EQ(key.ValueNames(names), IoResult::Ok);
        return names;
    }

    static RegistryValue Query(RegistryKey& key, const std::string& name) {
        RegistryValue value;
        EXPECT_EQ(key.QueryValue(name, value), IoResult::Ok) << name.substr(0, 40);
        return value;
    }
};

TEST_F(RegistryContract, MissingKeysAreNotFoundAndNotCreated) {
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(reg.OpenKey(root, Path("none"), key), IoResult::NotFound);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(reg.OpenKey(root, Path("none\\deeper"), key), IoResult::NotFound);
    EXPECT_EQ(key, nullptr);
    EXPECT_FALSE(Exists("none"));
    auto scratch = Open("");
    ASSERT_NE(scratch, nullptr);
    EXPECT_TRUE(Subkeys(*scratch).empty());
}

TEST_F(RegistryContract, CreateKeyMakesParentsAndOpensExistingKeys) {
    auto created = Create("One\\Two\\Three");
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(Exists("One"));
    EXPECT_TRUE(Exists("One\\Two\\Three"));
    ASSERT_EQ(created->SetValue("v", StringValue("x")), IoResult::Ok);
    // Creating it again opens what is there.
    auto again = Create("one\\TWO\\three");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Query(*again, "v"), StringValue("x"));
    // Names compare without case; outer backslashes are ignored.
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(reg.OpenKey(root, "\\" + base + "\\ONE\\two\\", key), IoResult::Ok);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(Subkeys(*key), std::vector<std::string>{"Three"}); // as created
}

TEST_F(RegistryContract, KeyOpenedForReadingReadsButRefusesChanges) {
    auto writable = Create("ReadOnly\\Sub");
    ASSERT_NE(writable, nullptr);
    ASSERT_EQ(writable->SetValue("v", StringValue("x")), IoResult::Ok);
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(reg.OpenKeyForReading(root, Path("none"), key), IoResult::NotFound);
    EXPECT_EQ(key, nullptr);
    ASSERT_EQ(reg.OpenKeyForReading(root, Path("readonly\\sub"), key), IoResult::Ok);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(Query(*key, "V"), StringValue("x"));
    EXPECT_EQ(Values(*key), std::vector<std::string>{"v"});
    EXPECT_EQ(key->SetValue("w", StringValue("y")), IoResult::AccessDenied);
    EXPECT_EQ(key->DeleteValue("v"), IoResult::AccessDenied);
    std::unique_ptr<RegistryKey> parent;
    ASSERT_EQ(reg.OpenKeyForReading(root, Path("ReadOnly"), parent), IoResult::Ok);
    EXPECT_EQ(Subkeys(*parent), std::vector<std::string>{"Sub"});
    EXPECT_EQ(parent->DeleteSubkey("Sub"), IoResult::AccessDenied);
    EXPECT_TRUE(Exists("ReadOnly\\Sub"));
    EXPECT_EQ(Query(*writable, "v"), StringValue("x"));
}

TEST_F(RegistryContract, RootKeyOpensWithEmptyPath) {
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(reg.OpenKey(root, "", key), IoResult::Ok);
    ASSERT_NE(key, nullptr);
    bool hasSoftware = false;
    for (const auto& name : Subkeys(*key)) {
        hasSoftware = hasSoftware || name == "Software";
    }
    EXPECT_TRUE(hasSoftware);
}

TEST_F(RegistryContract, TypedValuesRoundTrip) {
    auto key = Create("Typed");
    ASSERT_NE(key, nullptr);
    const RegistryValue text = StringValue("C:\\Temp\\file.txt");
    const RegistryValue expand = ExpandStringValue("%TEMP%\\x");
    const RegistryValue dword = DwordValue(0x12345678);
    const RegistryValue binary = BinaryValue(std::string("\x00\x01\xff\x00\x7f", 5));
    ASSERT_EQ(key->SetValue("text", text), IoResult::Ok);
    ASSERT_EQ(key->SetValue("expand", expand), IoResult::Ok);
    ASSERT_EQ(key->SetValue("dword", dword), IoResult::Ok);
    ASSERT_EQ(key->SetValue("binary", binary), IoResult::Ok);
    ASSERT_EQ(key->SetValue("empty", StringValue("")), IoResult::Ok);
    ASSERT_EQ(key->SetValue("", StringValue("default")), IoResult::Ok);

    EXPECT_EQ(Query(*key, "text"), text);
    EXPECT_EQ(Query(*key, "EXPAND"), expand); // stored as is, not expanded
    const RegistryValue readDword = Query(*key, "dword");
    EXPECT_EQ(readDword.type, ValueType::Dword);
    EXPECT_EQ(readDword.data, std::string("\x78\x56\x34\x12", 4));
    EXPECT_EQ(DwordOf(readDword), 0x12345678u);
    EXPECT_EQ(Query(*key, "binary"), binary);
    EXPECT_EQ(Query(*key, "empty"), StringValue(""));
    EXPECT_EQ(Query(*key, ""), StringValue("default"));

    // The same key seen through another handle.
    auto other = Open("typed");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(Query(*other, "Text"), text);
}

TEST_F(RegistryContract, SettingReplacesValueAndType) {
    auto key = Create("Replace");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->SetValue("v", StringValue("a rather long first text")), IoResult::Ok);
    ASSERT_EQ(key->SetValue("V", DwordValue(7)), IoResult::Ok);
    EXPECT_EQ(Query(*key, "v"), DwordValue(7));
    EXPECT_EQ(Values(*key), std::vector<std::string>{"v"}); // keeps its first spelling
    // A DWORD must be exactly 4 bytes.
    EXPECT_NE(key->SetValue("bad", RegistryValue{ValueType::Dword, "123"}), IoResult::Ok);
    RegistryValue value;
    EXPECT_EQ(key->QueryValue("bad", value), IoResult::NotFound);
}

TEST_F(RegistryContract, MissingValuesAreNotFound) {
    auto key = Create("NoValues");
    ASSERT_NE(key, nullptr);
    RegistryValue value = StringValue("stale");
    EXPECT_EQ(key->QueryValue("none", value), IoResult::NotFound);
    EXPECT_EQ(value.type, ValueType::None);
    EXPECT_TRUE(value.data.empty());
    EXPECT_EQ(key->DeleteValue("none"), IoResult::NotFound);
    EXPECT_TRUE(Values(*key).empty());
}

TEST_F(RegistryContract, SubkeysEnumerateAlphabeticallyWithoutCase) {
    for (const char* name : {"beta", "Alpha", "gamma", "a_b", "ALPHA2", "AB"}) {
        Create("Order\\" + std::string(name));
    }
    auto key = Open("Order");
    ASSERT_NE(key, nullptr);
    if (env->EnumeratesLikeWindows()) {
        // Letters compare as upper case, so "AB" and "ALPHA" come before "A_B".
        EXPECT_EQ(Subkeys(*key),
                  (std::vector<std::string>{"AB", "Alpha", "ALPHA2", "a_b", "beta", "gamma"}));
    } else {
        // Wine compares letters as lower case.
        EXPECT_EQ(Subkeys(*key),
                  (std::vector<std::string>{"a_b", "AB", "Alpha", "ALPHA2", "beta", "gamma"}));
    }
}

TEST_F(RegistryContract, ValuesEnumerateInCreationOrder) {
    auto key = Create("Values");
    ASSERT_NE(key, nullptr);
    for (const char* name : {"zeta", "Alpha", "mid", "beta"}) {
        ASSERT_EQ(key->SetValue(name, StringValue(name)), IoResult::Ok);
    }
    ASSERT_EQ(key->SetValue("ZETA", StringValue("again")), IoResult::Ok); // keeps its place
    if (env->EnumeratesLikeWindows()) {
        EXPECT_EQ(Values(*key), (std::vector<std::string>{"zeta", "Alpha", "mid", "beta"}));
    } else {
        // Wine keeps values sorted by name.
        EXPECT_EQ(Values(*key), (std::vector<std::string>{"Alpha", "beta", "mid", "zeta"}));
    }
    EXPECT_EQ(Query(*key, "zeta"), StringValue("again"));
    EXPECT_TRUE(Subkeys(*key).empty());
}

TEST_F(RegistryContract, LongNamesAndDataComeBackWhole) {
    const std::string longKey(255, 'k');
    const std::string longValue(16383, 'v');
    const std::string midValue(300, 'm');
    const std::string longText(50000, 't');
    std::string longBytes;
    for (int i = 0; i < 100000; ++i) {
        longBytes += static_cast<char>(i % 251);
    }
    auto key = Create("Long\\" + longKey);
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->SetValue(midValue, StringValue(longText)), IoResult::Ok);
    ASSERT_EQ(key->SetValue(longValue, BinaryValue(longBytes)), IoResult::Ok);

    auto parent = Open("Long");
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(Subkeys(*parent), std::vector<std::string>{longKey});
    EXPECT_EQ(Values(*key), (std::vector<std::string>{midValue, longValue}));
    EXPECT_EQ(Query(*key, midValue), StringValue(longText));
    EXPECT_EQ(Query(*key, longValue), BinaryValue(longBytes));
}

TEST_F(RegistryContract, NamesAndTextsInOtherScriptsRoundTrip) {
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";            // 日本語
    const std::string russian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80"; // Пример
    const std::string russianUpper = "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x9C\xD0\x95\xD0\xA0";
    const std::string greek = "\xCE\xB1\xCE\xB2\xCE\xB3"; // αβγ
    const std::string emoji = "note \xF0\x9F\x98\x80";    // 😀
    auto key = Create(japanese + "\\" + russian);
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->SetValue(emoji, StringValue(russian)), IoResult::Ok);
    ASSERT_EQ(key->SetValue(greek, StringValue(emoji + " " + japanese)), IoResult::Ok);

    auto parent = Open(japanese);
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(Subkeys(*parent), std::vector<std::string>{russian});
    auto same = Open(japanese + "\\" + russianUpper); // Cyrillic compares without case
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(Values(*same), (std::vector<std::string>{emoji, greek}));
    EXPECT_EQ(Query(*same, greek), StringValue(emoji + " " + japanese));
    EXPECT_EQ(Query(*same, emoji), StringValue(russian));
}

TEST_F(RegistryContract, DeleteValueRemovesOnlyThatValue) {
    auto key = Create("Del");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->SetValue("keep", DwordValue(1)), IoResult::Ok);
    ASSERT_EQ(key->SetValue("Gone", StringValue("x")), IoResult::Ok);
    ASSERT_EQ(key->SetValue("", StringValue("default")), IoResult::Ok);
    EXPECT_EQ(key->DeleteValue("gone"), IoResult::Ok);
    EXPECT_EQ(key->DeleteValue("gone"), IoResult::NotFound);
    EXPECT_EQ(key->DeleteValue(""), IoResult::Ok);
    EXPECT_EQ(Values(*key), std::vector<std::string>{"keep"});
}

TEST_F(RegistryContract, DeleteSubkeyRemovesLeavesOnly) {
    Create("Tree\\Leaf");
    Create("Tree\\Branch\\Twig");
    auto tree = Open("Tree");
    ASSERT_NE(tree, nullptr);
    auto leaf = Open("Tree\\Leaf");
    ASSERT_NE(leaf, nullptr);
    ASSERT_EQ(leaf->SetValue("v", StringValue("x")), IoResult::Ok); // values don't hold it

    EXPECT_EQ(tree->DeleteSubkey("LEAF"), IoResult::Ok);
    EXPECT_FALSE(Exists("Tree\\Leaf"));
    EXPECT_EQ(tree->DeleteSubkey("Leaf"), IoResult::NotFound);
    // A handle to a deleted key works no more.
    EXPECT_NE(leaf->SetValue("w", StringValue("y")), IoResult::Ok);

    // A key with subkeys stays, with its subkeys.
    EXPECT_EQ(tree->DeleteSubkey("Branch"), IoResult::AccessDenied);
    EXPECT_TRUE(Exists("Tree\\Branch\\Twig"));
    EXPECT_EQ(Subkeys(*tree), std::vector<std::string>{"Branch"});

    // Deepest first, it goes.
    auto branch = Open("Tree\\Branch");
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(branch->DeleteSubkey("Twig"), IoResult::Ok);
    EXPECT_EQ(tree->DeleteSubkey("Branch"), IoResult::Ok);
    EXPECT_TRUE(Subkeys(*tree).empty());
}

TEST_F(RegistryContract, InjectedFailuresRefuseAccessAndDeletion) {
    MemoryRegistry* memory = env->Memory();
    if (memory == nullptr) {
        GTEST_SKIP() << "only the substitute stages these failures";
    }
    Create("Locked");
    Create("Stuck");
    memory->SetAccessDenied(root, Path("Locked"), true);
    memory->SetDeleteFails(root, Path("Stuck"), true);
    memory->PutValue(root, Path("Kept"), "v", StringValue("x"));
    memory->SetValueDeleteFails(root, Path("Kept"), true);

    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(reg.OpenKey(root, Path("locked"), key), IoResult::AccessDenied);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(reg.CreateKey(root, Path("Locked\\Below"), key), IoResult::AccessDenied);
    auto scratch = Open("");
    ASSERT_NE(scratch, nullptr);
    EXPECT_EQ(scratch->DeleteSubkey("Stuck"), IoResult::AccessDenied);
    EXPECT_TRUE(memory->HasKey(root, Path("Stuck")));
    auto kept = Open("Kept");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->DeleteValue("v"), IoResult::AccessDenied);
    EXPECT_EQ(memory->Value(root, Path("Kept"), "V"), StringValue("x"));

    memory->SetAccessDenied(root, Path("Locked"), false);
    EXPECT_EQ(reg.OpenKey(root, Path("Locked"), key), IoResult::Ok);
    memory->SetDeleteFails(root, Path("Stuck"), false);
    EXPECT_EQ(scratch->DeleteSubkey("Stuck"), IoResult::Ok);
    EXPECT_FALSE(memory->HasKey(root, Path("Stuck")));
}

} // namespace
} // namespace quill::platform
