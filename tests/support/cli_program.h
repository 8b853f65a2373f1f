#pragma once

#include "support/test_env.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// quillmere-cli.exe as a script runs it (under Wine): copied into a program
// folder of the test's own and started there, its TEMP and TMP the test's so
// that no wash reaches beyond the test.

namespace quill::test {

// A file of the build (a Unix path) as Windows names it.
std::wstring Built(const char* unixPath);

struct Outcome {
    long code = -1; // -1: it did not end in time and was ended
    std::string out;
    std::string err;
};

// A started program; ended if it still runs when this goes.
class StartedProgram {
public:
    StartedProgram() = default;
    explicit StartedProgram(HANDLE process) : process_(process) {}
    ~StartedProgram();
    StartedProgram(StartedProgram&& other) noexcept;
    StartedProgram& operator=(StartedProgram&&) = delete;
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    bool Running() const;
    // Its exit code once it has ended within timeoutMs; else it is ended
    // and the code is -1.
    long Wait(DWORD timeoutMs);

private:
    HANDLE process_ = nullptr;
};

class CliProgramTest : public ::testing::Test {
protected:
    std::unique_ptr<TestEnv> env = MakeTestEnv();
    const std::string& app = env->Root();

    void SetUp() override;

    void CopyShippedItems();
    // One user item that removes the *.tmp files of junk.
    void PrepareItems();
    bool Exists(const std::string& relative) { return env->Get(relative) != "<missing>"; }

    // Runs the program with arguments, its output into files, and waits for it.
    Outcome Run(const std::wstring& arguments);
    // Starts the program with arguments, its output and error output to the
    // inheritable handles given.
    StartedProgram Start(const std::wstring& arguments, HANDLE out, HANDLE err);
    // An inheritable new file io\<stem><n>.txt for one run's output, n
    // counting the runs: a console host the last run left behind for a moment
    // may still hold that run's. Its name relative to the program folder.
    HANDLE OpenOutput(const std::string& stem, std::string& name);

private:
    int outputs_ = 0;
};

} // namespace quill::test
