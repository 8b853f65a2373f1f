#include "platform/ini_document.h"
#include "platform/ini_file.h"
#include "support/test_env.h"
#include "support/watched_file_system.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quill {
namespace {

// A small deterministic generator, so that a failing sequence can be replayed.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::size_t Below(std::size_t n) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }

private:
    std::uint32_t state_;
};

// Files to start from: blanks, comments, lines before the first section,
// duplicate sections and keys, every kind of line break, a byte-order mark
// (two, even), Windows-1252 text and a long section.
std::vector<std::string> StartingFiles() {
    std::string big = "[Big]\r\n";
    for (int i = 0; i < 60; ++i) {
        big += "Item" + std::to_string(i) + "=entry " + std::to_string(i) + "\r\n";
    }
    return {
        "",
        "; note\r\nloose=1\r\n[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\nplain\r\n[a]\r\nk=dup\r\n",
        "[A]\nk=1\nK=2\n\n\n[B]\rk=3\r[ A ]  tail\r\nk=4",
        "\xEF\xBB\xBF[A]\r\nk=bom\r\n",
        "\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nk=two marks\r\n[B]\r\nk=1\r\n",
        "[Caf\xE9]\r\nk=R\xE9sum\xE9\r\n",
        big + "[A]\r\nk=after big\r\n" + big,
    };
}

const std::vector<std::string> kSections = {
    "A", "a", "B", "Big", "big", "New", "[x]", " A ", "Caf\xC3\xA9", "CAF\xC3\x89", "Br]acket",
};
const std::vector<std::string> kKeys = {
    "k", "K", "k2", "[z]", "[a", "x=y", ";c", " sp ", "Item0", "item7", "Item59", "Item60",
};
const std::vector<std::string> kValues = {
    "v", "b]", "", "\"quoted\"", "line\r\nbreak", "caf\xC3\xA9", "\xE9 not UTF-8", "w",
};

// Runs the same calls on two copies of a file: one access call by call, the
// other as one command committed now and then. Every read and the final
// bytes must agree.
void RunBoth(test::TestEnv& env, const std::string& start, std::uint32_t seed) {
    env.Put("each.ini", start);
    env.Put("one.ini", start);
    IniFile each(env.Fs(), env.Root() + "each.ini");
    IniFile one(env.Fs(), env.Root() + "one.ini", IniAccess::OneCommand);
    Dice dice(seed);
    const auto pick = [&dice](const std::vector<std::string>& from) -> const std::string& {
        return from[dice.Below(from.size())];
    };
    for (int step = 0; step < 40; ++step) {
        const std::string& section = pick(kSections);
        const std::string& key = pick(kKeys);
        switch (dice.Below(10)) {
        case 0:
        case 1:
        case 2: {
            const std::string& value = pick(kValues);
            each.WriteString(section, key, value);
            one.WriteString(section, key, value);
            break;
        }
        case 3:
            each.EraseSection(section);
            one.EraseSection(section);
            break;
        case 4:
            each.DeleteKey(section, key);
            one.DeleteKey(section, key);
            break;
        case 5:
            one.Commit();
            break;
        default:
            ASSERT_EQ(each.ReadString(section, key, "-"), one.ReadString(section, key, "-"))
                << "seed " << seed << " step " << step << " [" << section << "] " << key;
        }
    }
    one.Commit();
    ASSERT_EQ(env.Get("each.ini"), env.Get("one.ini")) << "seed " << seed;
}

TEST(IniCommand, OneCommandReadsAndWritesExactlyAsCallByCall) {
    auto env = test::MakeTestEnv();
    const auto starts = StartingFiles();
    for (std::size_t s = 0; s < starts.size(); ++s) {
        for (std::uint32_t seed = 0; seed < 6; ++seed) {
            RunBoth(*env, starts[s], static_cast<std::uint32_t>(s * 100 + seed));
        }
    }
}

TEST(IniCommand, LinesThatChangeTheStructureReadAsAFreshParseWould) {
    IniDocument doc("[S]\r\na=1\r\n");
    doc.Write("S", "[T]", "1"); // the line "[T]=1" starts a section T
    EXPECT_EQ(doc.Find("T", "b"), std::nullopt);
    doc.Write("T", "b", "2");
    EXPECT_EQ(doc.Text(), "[S]\r\na=1\r\n[T]=1\r\nb=2\r\n");
    EXPECT_EQ(doc.Find("S", "b"), std::nullopt);
    EXPECT_EQ(doc.Find("t", "B"), "2");
}

TEST(IniCommand, ACommandReadsOnceAndWritesOnce) {
    auto env = test::MakeTestEnv();
    test::WatchedFileSystem fs(env->Fs());
    env->Put("x.ini", "[S]\r\nk=1\r\n");
    IniFile ini(fs, env->Root() + "x.ini", IniAccess::OneCommand);
    for (int i = 0; i < 200; ++i) {
        const std::string key = std::to_string(i) + "n";
        ini.WriteInteger("S", key, ini.ReadInteger("S", "k", 0) + i);
    }
    ini.EraseSection("Missing");
    ini.DeleteKey("S", "0n");
    EXPECT_EQ(fs.reads, 1);
    EXPECT_EQ(fs.replaces, 0); // nothing reaches the file before Commit
    ini.Commit();
    EXPECT_EQ(fs.replaces, 1);
    EXPECT_EQ(ini.ReadString("S", "199n", ""), "200"); // the next call reads afresh
    EXPECT_EQ(fs.reads, 2);
}

TEST(IniCommand, ACommandThatFailsOrEndsWithoutCommitLeavesTheFileAsItWas) {
    auto env = test::MakeTestEnv();
    test::WatchedFileSystem fs(env->Fs());
    const std::string before = "[S]\nk=old\n";
    env->Put("x.ini", before);
    const std::string path = env->Root() + "x.ini";
    {
        IniFile ini(fs, path, IniAccess::OneCommand);
        ini.WriteString("S", "k", "new");
        ini.EraseSection("S");
    } // abandoned: an error ended the command
    EXPECT_EQ(env->Get("x.ini"), before);

    fs.refuseContentWith = "fifth";
    IniFile ini(fs, path, IniAccess::OneCommand);
    for (const char* value : {"first", "second", "third", "fourth", "fifth", "sixth"}) {
        ini.WriteString("S", value, "1");
    }
    try {
        ini.Commit();
        FAIL() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(env->Get("x.ini"), before);

    // Deleting keys reports nothing, in a command as on its own.
    fs.refuseContentWith = "old";
    IniFile deletes(fs, path, IniAccess::OneCommand);
    deletes.DeleteKey("S", "missing");
    deletes.WriteString("Other", "gone", "1");
    deletes.EraseSection("Other");
    EXPECT_THROW(deletes.Commit(), EIniFileException);
    IniFile quiet(fs, path, IniAccess::OneCommand);
    quiet.DeleteKey("Nowhere", "k");
    quiet.Commit(); // nothing changed: nothing written
    EXPECT_EQ(env->Get("x.ini"), before);
}

TEST(IniCommand, ListsAreReadOnceAndWrittenOnceAllOrNothing) {
    auto env = test::MakeTestEnv();
    test::WatchedFileSystem fs(env->Fs());
    const std::string before = "[Exclude Files]\r\nCount=1\r\nRecord0=old\r\n";
    env->Put("x.ini", before);
    IniFile ini(fs, env->Root() + "x.ini");
    const IniList list{"Exclude Files", "Count", "Record"};
    std::vector<std::string> entries;
    for (int i = 0; i < 50; ++i) {
        entries.push_back("*.e" + std::to_string(i));
    }
    fs.refuseContentWith = "Record4=";
    EXPECT_THROW(WriteIniList(ini, list, entries), EIniFileException);
    EXPECT_EQ(env->Get("x.ini"), before);
    EXPECT_EQ(fs.replaces, 1);

    fs.refuseContentWith.clear();
    WriteIniList(ini, list, entries);
    fs.reads = 0;
    EXPECT_EQ(ReadIniList(ini, list, ListEntries::AsRead), entries);
    EXPECT_EQ(fs.reads, 1);
}

TEST(IniCommand, ADocumentKeptBetweenCommandsIsUsedOnlyWhileTheFileIsUnchanged) {
    auto env = test::MakeTestEnv();
    test::WatchedFileSystem fs(env->Fs());
    fs.stamps = true;
    const std::string path = env->Root() + "kept.ini";
    env->Put("kept.ini", "[S]\r\nk=1\r\n");
    EXPECT_EQ(IniFile(fs, path, IniAccess::OneCommand).ReadInteger("S", "k", 0), 1);
    EXPECT_EQ(IniFile(fs, path, IniAccess::OneCommand).ReadInteger("S", "k", 0), 1);
    EXPECT_EQ(fs.reads, 1); // the second command used the parsed document

    // Another program writes the same number of bytes: read afresh.
    ASSERT_EQ(env->Fs().ReplaceFileContent(path, "[S]\r\nk=7\r\n"), platform::IoResult::Ok);
    EXPECT_EQ(IniFile(fs, path, IniAccess::OneCommand).ReadInteger("S", "k", 0), 7);
    EXPECT_EQ(fs.reads, 2);

    // Changes of a command that ended without Commit, or whose Commit
    // failed, never reach a later command.
    {
        IniFile dropped(fs, path, IniAccess::OneCommand);
        dropped.WriteInteger("S", "k", 8);
        dropped.DeleteKey("S", "k");
    }
    fs.refuseContentWith = "k=9";
    IniFile refused(fs, path, IniAccess::OneCommand);
    refused.WriteInteger("S", "k", 9);
    EXPECT_THROW(refused.Commit(), EIniFileException);
    fs.refuseContentWith.clear();
    EXPECT_EQ(IniFile(fs, path, IniAccess::OneCommand).ReadInteger("S", "k", 0), 7);

    // Two commands at once on one file each read it whole; a committed
    // change is what the next command reads.
    IniFile outer(fs, path, IniAccess::OneCommand);
    EXPECT_EQ(outer.ReadInteger("S", "k", 0), 7);
    IniFile inner(fs, path, IniAccess::OneCommand);
    inner.WriteInteger("S", "k", 10);
    inner.Commit();
    EXPECT_EQ(outer.ReadInteger("S", "k", 0), 7); // a command reads its own document
    outer.Commit();
    EXPECT_EQ(IniFile(fs, path, IniAccess::OneCommand).ReadInteger("S", "k", 0), 10);
    EXPECT_EQ(IniFile(fs, path).ReadString("S", "k", ""), "10");
}

TEST(IniCommand, CountsAboveWhatTheFileHoldsReadAsTheEntriesPresent) {
    auto env = test::MakeTestEnv();
    env->Put("x.ini", "[L]\r\nTotal=666666666\r\nItem0=a\r\nItem1=b\r\nItem01=no\r\n"
                      "ItemX=no\r\n[C]\r\ntFolder.Total=10000\r\ntFolder0.isactive=1\r\n"
                      "tFolder2.deletepath=x\r\n[Sane]\r\nTotal=3\r\nItem0=a\r\nIsActive=1\r\n"
                      "[Negative]\r\nTotal=-4\r\n[Far]\r\nTotal=666666666\r\nItem250000=x\r\n"
                      "[Bare]\r\nTotal=20\r\n");
    const IniFile ini(env->Fs(), env->Root() + "x.ini");
    EXPECT_EQ(ini.ReadCount("L", "Total", "Item"), 2);
    EXPECT_EQ(ini.ReadCount("C", "tFolder.Total", "tFolder"), 3); // one past tFolder2
    EXPECT_EQ(ini.ReadCount("Sane", "Total", "Item"), 3);         // could be true: kept
    EXPECT_EQ(ini.ReadCount("Bare", "Total", "Item"), 20);        // the file has 21 lines
    EXPECT_EQ(ini.ReadCount("Negative", "Total", "Item"), -4);
    EXPECT_EQ(ini.ReadCount("Far", "Total", "Item"), kMaxListEntries);
    EXPECT_EQ(ini.ReadCount("Missing", "Total", "Item"), 0);

    env->Put("y.ini", "[Exclude Files]\r\nCount=666666666\r\nRecord0=*.a\r\nRecord1= *.b \r\n");
    const IniFile settings(env->Fs(), env->Root() + "y.ini");
    EXPECT_EQ(ReadIniList(settings, {"Exclude Files", "Count", "Record"}, ListEntries::Trimmed),
              (std::vector<std::string>{"*.a", "*.b"}));
}

} // namespace
} // namespace quill
