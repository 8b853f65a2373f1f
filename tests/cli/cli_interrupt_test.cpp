// Ctrl+C on quillmere-cli.exe under Wine, sent through a console the test
// shares with it, as a key press in that console would be: a wash of many
// files stops between two files and a preview ends, each with exit code 3
// ("cancelled"), and nothing the program keeps is left half written.

#include "support/cli_program.h"
#include "support/test_console.h"

#include "model/catalogue.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace quill {
namespace {

using platform::win32::Wide;
using test::CliProgramTest;
using test::ScreenBuffer;
using test::StartedProgram;
using test::TestConsole;

// Enough files that a secure wash of them lasts seconds under Wine, long
// after the first one is gone.
constexpr int kFiles = 3000;
// How long the program may take to reach a step or to end, however busy the
// machine is.
constexpr DWORD kGenerousMs = 60000;

const std::string kOrderFile = catalogue_files::kOrder;
const std::string kSettingsFile = "wildcard.ini";

// The junk files' names are all of one length, so that none is part of another.
std::string JunkName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%05d.tmp", i);
    return name;
}

std::string ContentOf(const std::string& name) {
    std::string content = "the content of ";
    content += name;
    return content;
}

// The count shown after the last label in a console's text ("Removing
// 12/3000": 12); -1 when the label is not shown.
long LastCount(const std::string& shown, const std::string& label) {
    const auto at = shown.rfind(label);
    if (at == std::string::npos) {
        return -1;
    }
    return std::strtol(shown.c_str() + at + label.size(), nullptr, 10);
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// The rows of the wash log: the Items cell of each, as written.
std::multiset<std::string> LoggedItems(const std::string& log) {
    const std::string cell = "<td width=\"61%\"><font ";
    std::multiset<std::string> items;
    for (auto at = log.find(cell); at != std::string::npos; at = log.find(cell, at + 1)) {
        const auto text = log.find("\">", at + cell.size());
        const auto end = log.find("</font>", text);
        if (text != std::string::npos && end != std::string::npos) {
            items.insert(log.substr(text + 2, end - text - 2));
        }
    }
    return items;
}

struct Interrupted {
    long code = -1;
    std::string out;   // the output, redirected to a file
    std::string shown; // what the console shows: progress and errors
};

class CliInterruptTest : public CliProgramTest {
protected:
    std::string items;
    std::string order;
    std::string settings;

    void SetUp() override {
        CliProgramTest::SetUp();
        ASSERT_TRUE(TestConsole::Get().Ready()) << "no console to send Ctrl+C through";
        MakeJunk();
        const std::string userItems = app + catalogue_files::kUserItems;
        items = "[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                "tFolder0.ChildItemName=tmp\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                "tFolder0.deletepath=" +
                app + "junk\\*.tmp\r\n";
        env->Put(catalogue_files::kUserItems, items);
        // As the window leaves them; a wash reads them and writes neither.
        order = "[Common]\r\nTotal=1\r\nItem0=Junk<|>" + userItems + "\r\n[Junk<|>" + userItems +
                "]\r\ntxtfilename=" + userItems + "\r\nIsActive=1\r\nIsSpecial=0\r\n";
        env->Put(kOrderFile, order);
        settings = "[Delete Option]\r\nprompt Before=1\r\n";
        env->Put(kSettingsFile, settings);
    }

    void MakeJunk() {
        env->MakeFolder("junk");
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = JunkName(i);
            const std::string content = ContentOf(name);
            HANDLE h = ::CreateFileW(Wide(app + "junk\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
            DWORD written = 0;
            const BOOL wrote = ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()),
                                           &written, nullptr);
            ::CloseHandle(h);
            ASSERT_TRUE(wrote && written == content.size()) << name;
        }
    }

    // The names in a folder of the program folder ("" for itself).
    std::set<std::string> NamesIn(const std::string& folder, bool filesOnly) {
        std::set<std::string> names;
        WIN32_FIND_DATAW data;
        HANDLE h = ::FindFirstFileW(Wide(app + folder + "*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            const std::string name = platform::win32::Narrow(data.cFileName);
            const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (name != "." && name != ".." && !(filesOnly && isFolder)) {
                names.insert(name);
            }
        } while (::FindNextFileW(h, &data));
        ::FindClose(h);
        return names;
    }

    // The files left in junk, by name, with their content.
    std::map<std::string, std::string> JunkLeft() {
        std::map<std::string, std::string> left;
        for (const std::string& name : NamesIn("junk\\", true)) {
            left[name] = env->Get("junk\\" + name);
        }
        return left;
    }

    // Starts the program with arguments, its error output on the console,
    // sends Ctrl+C as soon as the console shows label with a count of at
    // least 1, and waits for the program to end.
    Interrupted InterruptAt(const std::wstring& arguments, const std::string& label) {
        Interrupted run;
        ScreenBuffer screen;
        std::string outName;
        HANDLE out = OpenOutput("out", outName);
        if (!screen.Valid() || out == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "cannot make the program's console or output file";
            if (out != INVALID_HANDLE_VALUE) {
                ::CloseHandle(out);
            }
            return run;
        }
        {
            StartedProgram program = Start(arguments, out, screen.Handle());
            const ULONGLONG end = ::GetTickCount64() + kGenerousMs;
            bool reached = false;
            while (!reached && program.Running() && ::GetTickCount64() < end) {
                reached = LastCount(screen.Text(), label) >= 1;
                if (!reached) {
                    ::Sleep(2);
                }
            }
            if (reached) {
                EXPECT_TRUE(TestConsole::Get().SendCtrlC(kGenerousMs)) << "Ctrl+C did not go out";
            } else {
                ADD_FAILURE() << "the console never showed '" << label << "' with a count:\n"
                              << screen.Text();
            }
            // Ended here, whatever it does, if Ctrl+C did not end it.
            run.code = program.Wait(reached ? kGenerousMs : 0);
        }
        ::CloseHandle(out);
        run.out = env->Get(outName);
        run.shown = screen.Text();
        return run;
    }

    // Each file in junk is either gone or whole; the files left.
    std::map<std::string, std::string> ExpectJunkGoneOrWhole() {
        const std::map<std::string, std::string> left = JunkLeft();
        for (const auto& [name, content] : left) {
            EXPECT_EQ(content, ContentOf(name));
        }
        return left;
    }

    // The wash log holds the one section, closed, with a row for each file
    // gone from junk and for no other.
    void ExpectLogOf(const std::map<std::string, std::string>& left) {
        const std::string log = env->Get("right.htm");
        const std::size_t removed = kFiles - left.size();
        EXPECT_EQ(Occurrences(log, "<table "), 1u);
        const std::string end = "</table>\r\n";
        EXPECT_TRUE(log.size() >= end.size() &&
                    log.compare(log.size() - end.size(), end.size(), end) == 0)
            << log.substr(log.size() > 200 ? log.size() - 200 : 0);
        EXPECT_EQ(Occurrences(log, ">Success</font>"), removed);
        EXPECT_EQ(Occurrences(log, ">Fail</font>"), 0u);
        const std::multiset<std::string> logged = LoggedItems(log);
        EXPECT_EQ(logged.size(), removed);
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = JunkName(i);
            ASSERT_EQ(logged.count(app + "junk\\" + name), left.count(name) ? 0u : 1u) << name;
        }
        EXPECT_EQ(Occurrences(env->Get("left.htm"), "<p><a href="), 1u);
    }

    // Nothing else written, nothing half written left behind.
    void ExpectOwnFilesUntouched(bool washed) {
        EXPECT_EQ(env->Get(catalogue_files::kUserItems), items);
        EXPECT_EQ(env->Get(kOrderFile), order);
        EXPECT_EQ(env->Get(kSettingsFile), settings);
        std::set<std::string> expected{
            "const", "io", "junk", kOrderFile, "quillmere-cli.exe", "tmp", kSettingsFile};
        if (washed) {
            expected.insert({"left.htm", "right.htm"});
        }
        EXPECT_EQ(NamesIn("", false), expected);
    }
};

std::string WashCounters(long filesRemoved) {
    std::string counters = "Files Cleaned  Success: ";
    counters += std::to_string(filesRemoved);
    counters += "  Fails: 0\nRegistries Cleaned  Success: 0  Fails: 0\n";
    return counters;
}

TEST_F(CliInterruptTest, CtrlCStopsAWashBetweenTwoFiles) {
    const Interrupted run = InterruptAt(L"wash --secure --yes", "Removing ");
    EXPECT_EQ(run.code, 3) << run.shown;
    EXPECT_NE(run.shown.find("\nquillmere-cli: cancelled"), std::string::npos) << run.shown;

    // Stopped between two files: the counters tell what was done before, as
    // after the window's Cancel, and each file is either gone or whole.
    const long removed = LastCount(run.out, "Files Cleaned  Success: ");
    EXPECT_EQ(run.out, WashCounters(removed));
    EXPECT_GT(removed, 0);
    EXPECT_LT(removed, kFiles);
    const std::map<std::string, std::string> left = ExpectJunkGoneOrWhole();
    EXPECT_EQ(static_cast<long>(left.size()), kFiles - removed);
    ExpectLogOf(left);
    ExpectOwnFilesUntouched(true);

    // Nothing of the stopped wash is in the way of the next, which removes
    // the rest in a section of its own.
    const test::Outcome next = Run(L"wash --quick --yes");
    EXPECT_EQ(next.code, 0) << next.err;
    EXPECT_TRUE(JunkLeft().empty());
    EXPECT_EQ(Occurrences(env->Get("right.htm"), "</table>\r\n"), 2u);
}

TEST_F(CliInterruptTest, CtrlCWhileAWashSearchesRemovesNothing) {
    const Interrupted run = InterruptAt(L"wash --secure --yes", "Searching... ");
    EXPECT_EQ(run.code, 3) << run.shown;
    EXPECT_NE(run.shown.find("\nquillmere-cli: cancelled"), std::string::npos) << run.shown;
    EXPECT_LT(LastCount(run.shown, "Searching... "), kFiles); // the search ended early
    EXPECT_EQ(run.out, WashCounters(0));
    EXPECT_EQ(ExpectJunkGoneOrWhole().size(), static_cast<std::size_t>(kFiles));
    ExpectLogOf(JunkLeft()); // an empty section, as after the window's Cancel
    ExpectOwnFilesUntouched(true);
}

TEST_F(CliInterruptTest, CtrlCEndsAPreviewWhileItSearches) {
    const Interrupted run = InterruptAt(L"preview", "Searching... ");
    EXPECT_EQ(run.code, 3) << run.shown;
    EXPECT_NE(run.shown.find("\nquillmere-cli: cancelled"), std::string::npos) << run.shown;
    EXPECT_LT(LastCount(run.shown, "Searching... "), kFiles);
    EXPECT_EQ(run.out, ""); // no list of what was found so far
    EXPECT_EQ(JunkLeft().size(), static_cast<std::size_t>(kFiles));
    ExpectOwnFilesUntouched(false);
}

} // namespace
} // namespace quill
