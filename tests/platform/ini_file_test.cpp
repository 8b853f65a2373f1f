#include "platform/ini_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    std::string path = env->Root() + "test.ini";
    IniFile ini{env->Fs(), path};
};

TEST_F(IniFileTest, MissingFileReadsDefaults) {
    EXPECT_EQ(ini.ReadString("Common", "Total", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Common", "Total", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Common", "IsActive", true));
    ini.DeleteKey("Common", "Total"); // reports nothing and creates nothing
    ini.EraseSection("Common");
    EXPECT_FALSE(env->Fs().Exists(path));
}

TEST_F(IniFileTest, ReadsTheWayTheProfileFunctionsDo) {
    env->Put("test.ini", "; comment=1\r\n"
                         "  [ First ]  trailing\n"
                         "plain line\r"
                         "Key = value with blanks  \r\n"
                         "Quoted=\" keep inner \"\r\n"
                         "Single='x'\r\n"
                         "Half=\"x'\r\n"
                         "Empty=\r\n"
                         ";Commented=1\r\n"
                         "key=second\r\n"
                         "Eq=a=b\r\n"
                         "[Br]acket]\r\n"
                         "k=last bracket\r\n"
                         "[Open\r\n"
                         "[first]\r\n"
                         "Dup=from duplicate section\r\n");
    EXPECT_EQ(ini.ReadString("first", "KEY", "-"), "value with blanks");
    EXPECT_EQ(ini.ReadString("First", "Quoted", "-"), " keep inner ");
    EXPECT_EQ(ini.ReadString("First", "Single", "-"), "x");
    EXPECT_EQ(ini.ReadString("First", "Half", "-"), "\"x'");
    EXPECT_EQ(ini.ReadString("First", "Empty", "-"), "");
    EXPECT_EQ(ini.ReadString("First", "Commented", "-"), "-");
    EXPECT_EQ(ini.ReadString("First", ";Commented", "-"), "-");
    EXPECT_EQ(ini.ReadString("First", "plain line", "-"), "-");
    EXPECT_EQ(ini.ReadString("First", "Eq", "-"), "a=b");
    EXPECT_EQ(ini.ReadString("Br]acket", "k", "-"), "last bracket");
    // "[Open" is an ordinary line of section Br]acket; the first "First" wins.
    EXPECT_EQ(ini.ReadString("First", "Dup", "-"), "-");
    EXPECT_EQ(ini.ReadString("Nowhere", "k", "-"), "-");
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexAndWholeTextsOnly) {
    env->Put("test.ini", "[S]\r\na=42\r\nb=-1\r\nc=0x1F\r\nd=12abc\r\ne=\r\nf=0xFFFFFFFF\r\n"
                         "g=99999999999\r\nh=+3\r\ni=0x\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "a", 0), 42);
    EXPECT_EQ(ini.ReadInteger("S", "b", 0), -1);
    EXPECT_EQ(ini.ReadInteger("S", "c", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "d", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "e", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "f", 0), -1);
    EXPECT_EQ(ini.ReadInteger("S", "g", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "h", 0), 3);
    EXPECT_EQ(ini.ReadInteger("S", "i", 5), 5);
    EXPECT_FALSE(ini.ReadBool("S", "missing", false));
    EXPECT_TRUE(ini.ReadBool("S", "b", false));
}

TEST_F(IniFileTest, ValuesAreCutAt2047Characters) {
    const std::string longValue(3000, 'v');
    ini.WriteString("S", "k", longValue);
    EXPECT_EQ(ini.ReadString("S", "k", ""), std::string(2047, 'v'));
    std::string wide;
    for (int i = 0; i < 2100; ++i) {
        wide += "\xC3\xA9";
    }
    ini.WriteString("S", "w", wide);
    EXPECT_EQ(ini.ReadString("S", "w", "").size(), 2047u * 2);
}

TEST_F(IniFileTest, WritesReplaceInPlaceAppendToSectionAndFile) {
    env->Put("test.ini", "; keep me\n[One]\nALPHA = 1\n\n[Two]\nx=1\nunknown line\n\n");
    ini.WriteString("one", "alpha", "2");
    ini.WriteString("ONE", "beta", "3");
    ini.WriteString("Three", "gamma", "4");
    ini.WriteInteger("Two", "y", -5);
    ini.WriteBool("Two", "z", true);
    EXPECT_EQ(env->Get("test.ini"), "; keep me\r\n[One]\r\nALPHA=2\r\nbeta=3\r\n\r\n[Two]\r\n"
                                    "x=1\r\nunknown line\r\ny=-5\r\nz=1\r\n\r\n"
                                    "[Three]\r\ngamma=4\r\n");
}

TEST_F(IniFileTest, WritingCreatesTheFile) {
    ini.WriteString("Common", "Total", "0");
    EXPECT_EQ(env->Get("test.ini"), "[Common]\r\nTotal=0\r\n");
}

TEST_F(IniFileTest, EraseSectionAndDeleteKey) {
    env->Put("test.ini", "[A]\r\na=1\r\nb=2\r\n[B]\r\nc=3\r\n[a]\r\nd=4\r\n");
    ini.DeleteKey("a", "A");
    ini.EraseSection("b");
    EXPECT_EQ(env->Get("test.ini"), "[A]\r\nb=2\r\n[a]\r\nd=4\r\n");
    ini.EraseSection("A"); // the first of the two
    EXPECT_EQ(env->Get("test.ini"), "[a]\r\nd=4\r\n");
}

TEST_F(IniFileTest, LineBreaksInValuesCannotForgeKeys) {
    ini.WriteString("S", "Item0", "name\r\nIsSpecial=1");
    EXPECT_EQ(ini.ReadString("S", "IsSpecial", "-"), "-");
    EXPECT_EQ(ini.ReadString("S", "Item0", "-"), "name  IsSpecial=1");
}

TEST_F(IniFileTest, TextInAnyScriptRoundTripsAndAnsiFilesStillRead) {
    const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC \xD0\x9F\xD1\x80\xD0\xB8 caf\xC3\xA9";
    ini.WriteString(name, "Item0", name);
    EXPECT_EQ(ini.ReadString(name, "Item0", ""), name);
    EXPECT_EQ(env->Get("test.ini"), "[" + name + "]\r\nItem0=" + name + "\r\n");

    env->Put("ansi.ini", "[Caf\xE9]\r\nName=R\xE9sum\xE9\r\n");
    IniFile ansi(env->Fs(), env->Root() + "ansi.ini");
    EXPECT_EQ(ansi.ReadString("caf\xC3\xA9", "name", ""), "R\xC3\xA9sum\xC3\xA9");
    ansi.WriteString("Caf\xC3\xA9", "Other", "1");
    EXPECT_EQ(env->Get("ansi.ini"), "[Caf\xC3\xA9]\r\nName=R\xC3\xA9sum\xC3\xA9\r\nOther=1\r\n");
}

TEST_F(IniFileTest, FailedWriteRaisesAndLeavesTheFileUnchanged) {
    const std::string before = "[S]\nk=old\n";
    env->Put("test.ini", before);
    ASSERT_TRUE(Succeeded(env->Fs().SetAttributes(path, platform::attr::ReadOnly)));
    try {
        ini.WriteString("S", "k", "new");
        FAIL() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_THROW(ini.EraseSection("S"), EIniFileException);
    ini.DeleteKey("S", "k"); // silent
    ASSERT_TRUE(Succeeded(env->Fs().SetAttributes(path, platform::attr::Archive)));
    EXPECT_EQ(env->Get("test.ini"), before);
    EXPECT_EQ(env->Fs().GetAttributes(path) & platform::attr::ReadOnly, 0u);
}

TEST_F(IniFileTest, WriteIntoMissingFolderFails) {
    IniFile nowhere(env->Fs(), env->Root() + "missing\\x.ini");
    EXPECT_THROW(nowhere.WriteString("S", "k", "v"), EIniFileException);
    EXPECT_FALSE(env->Fs().Exists(env->Root() + "missing"));
}

TEST_F(IniFileTest, RewriteKeepsTheFileAttributes) {
    env->Put("test.ini", "[S]\r\n");
    ASSERT_TRUE(
        Succeeded(env->Fs().SetAttributes(path, platform::attr::Hidden | platform::attr::Archive)));
    ini.WriteString("S", "k", "v");
    EXPECT_NE(env->Fs().GetAttributes(path) & platform::attr::Hidden, 0u);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
}

TEST_F(IniFileTest, DiskFullLeavesTheFileUnchanged) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "a full disk is staged on the substitute only";
    }
    const std::string before = "[S]\r\nk=old\r\n";
    env->Put("test.ini", before);
    memory->SetFreeSpace(4);
    EXPECT_THROW(ini.WriteString("S", "k", "a much longer value"), EIniFileException);
    EXPECT_EQ(env->Get("test.ini"), before);
}

TEST_F(IniFileTest, UnreadableFileIsNeverReplaced) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "staged on the substitute; a held file is tested with the removal";
    }
    env->Put("test.ini", "[S]\r\nk=old\r\n");
    memory->SetAccessDenied(path, true);
    EXPECT_EQ(ini.ReadString("S", "k", "-"), "-");
    EXPECT_THROW(ini.WriteString("S", "other", "v"), EIniFileException);
    memory->SetAccessDenied(path, false);
    EXPECT_EQ(env->Get("test.ini"), "[S]\r\nk=old\r\n");
}

} // namespace
} // namespace quill
