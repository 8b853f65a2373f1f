// Removal of ticked files, quick and secure, with counts, progress, the stop
// request and log rows; real files under Wine, the substitute natively.

#include "engine/file_removal.h"

#include "support/fake_run_seam.h"
#include "support/recording_log.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <stdexcept>

#ifdef _WIN32
#include "platform/win32/wide.h"
#include <windows.h>
#endif

namespace quill {
namespace {

using platform::attr::ReadOnly;

// Another program holding a file open without sharing: the substitute's
// injected state natively, a helper process under Wine.
class HeldByOtherProgram {
public:
    HeldByOtherProgram(test::TestEnv& env, const std::string& path) : env_(env), path_(path) {
        if (auto* memory = env.Memory()) {
            memory->SetHeldOpen(path, true);
            return;
        }
#ifdef _WIN32
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring exe = self;
        exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"hold_file.exe";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr;
        HANDLE childOut = nullptr;
        ::CreatePipe(&childIn, &input_, &inherit, 0);
        ::CreatePipe(&output_, &childOut, &inherit, 0);
        ::SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = childIn;
        si.hStdOutput = childOut;
        si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        std::wstring command = L"\"" + exe + L"\" \"" + platform::win32::Wide(path) + L"\" 60";
        PROCESS_INFORMATION pi = {};
        if (::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             nullptr, &si, &pi)) {
            process_ = pi.hProcess;
            ::CloseHandle(pi.hThread);
        }
        ::CloseHandle(childIn);
        ::CloseHandle(childOut);
        char said[8] = {};
        DWORD got = 0;
        held_ = process_ && ::ReadFile(output_, said, 5, &got, nullptr) && got == 5 &&
                std::string(said, 4) == "held";
#endif
    }
    ~HeldByOtherProgram() {
        if (auto* memory = env_.Memory()) {
            memory->SetHeldOpen(path_, false);
            return;
        }
#ifdef _WIN32
        ::CloseHandle(input_); // the helper lets go once its input closes
        if (process_) {
            ::WaitForSingleObject(process_, 20000);
            ::CloseHandle(process_);
        }
        ::CloseHandle(output_);
#endif
    }
    bool Held() const {
        return env_.Memory() != nullptr || held_;
    }

private:
    test::TestEnv& env_;
    std::string path_;
    bool held_ = false;
#ifdef _WIN32
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
    HANDLE process_ = nullptr;
#endif
};

// A log whose Nth row cannot be written.
class FailingLog final : public WashLog {
public:
    explicit FailingLog(int failAt) : failAt_(failAt) {}
    void BeginLogSection() override {}
    void AppendLogRow(LogKind, bool, bool, const std::string&, const std::string&) override {
        if (++rows == failAt_) {
            throw std::runtime_error("I/O error 112");
        }
    }
    void EndLogSection() override {}
    int rows = 0;

private:
    int failAt_;
};

class FileRemovalTest : public ::testing::Test {
protected:
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    platform::FileSystem& fs = env->Fs();
    std::string root = env->Root();
    test::FakeRunSeam seam;
    test::RecordingLog log;
    std::vector<std::string> specialFiles;
    RemovalCounts counts{-7, -7};

    RemovalContext Context(WashLog* withLog) { return {fs, seam, withLog, specialFiles}; }
    void Remove(const CheckedList& list, bool quick, WashLog* withLog) {
        RemoveTickedFiles(list, quick, counts, Context(withLog));
    }
    void Remove(const CheckedList& list, bool quick) { Remove(list, quick, &log); }
    bool Exists(const std::string& relative) { return fs.Exists(root + relative); }
};

TEST_F(FileRemovalTest, NothingTickedLeavesBarsAloneAndCancelHidden) {
    env->Put("a.txt", "a");
    Remove({}, true);
    EXPECT_EQ(counts.removed, 0);
    EXPECT_EQ(counts.failed, 0);
    Remove({{root + "a.txt", false}}, true);
    EXPECT_EQ(counts.removed, 0);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_EQ(seam.progressMax, -1);
    EXPECT_TRUE(seam.modes.empty());
    EXPECT_EQ(seam.steps, 0);
    EXPECT_FALSE(seam.cancelShown);
    EXPECT_TRUE(Exists("a.txt"));
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(FileRemovalTest, QuickRemovesTickedFilesAndSkipsTheRest) {
    env->Put("a.txt", "a");
    env->Put("b.txt", "b");
    env->Put("c.txt", "c");
    env->MakeFolder("d");
    Remove({{root + "a.txt", true},
            {root + "b.txt", false},
            {root + "c.txt", true},
            {root + "d", true},
            {root + "gone.txt", true}},
           true);
    EXPECT_EQ(counts.removed, 2);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_FALSE(Exists("a.txt"));
    EXPECT_TRUE(Exists("b.txt"));
    EXPECT_FALSE(Exists("c.txt"));
    EXPECT_TRUE(Exists("d"));
    EXPECT_EQ(seam.progressMax, 4);
    EXPECT_EQ(seam.steps, 2); // the folder and the vanished file do not step
    EXPECT_EQ(seam.modes, std::vector<StatusMode>{StatusMode::Progress});
    EXPECT_EQ(seam.pumps, 1 + 5); // once before the loop, once per entry
    EXPECT_EQ(seam.repaints, 1);
    EXPECT_EQ(seam.cancelChanges.front(), true);
    EXPECT_FALSE(seam.cancelShown);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"file quick ok " + root + "a.txt",
                                                   "file quick ok " + root + "c.txt"}));
}

TEST_F(FileRemovalTest, VanishedFileDoesNotStepTheBar) {
    env->Put("here.txt", "x");
    Remove({{root + "vanished.txt", true}, {root + "here.txt", true}}, false);
    EXPECT_EQ(seam.progressMax, 2);
    EXPECT_EQ(seam.steps, 1);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_EQ(log.calls.size(), 1u);
}

TEST_F(FileRemovalTest, ReadOnlyFileGoesQuicklyButFailsSecurely) {
    env->Put("ro.txt", "keep");
    ASSERT_EQ(fs.SetAttributes(root + "ro.txt", ReadOnly), platform::IoResult::Ok);
    Remove({{root + "ro.txt", true}}, false);
    EXPECT_EQ(counts.removed, 0);
    EXPECT_EQ(counts.failed, 1);
    EXPECT_TRUE(Exists("ro.txt"));
    EXPECT_EQ(env->Get("ro.txt"), "keep");
    EXPECT_EQ(log.calls.back(), "file fail " + root + "ro.txt | File Locked");
    Remove({{root + "ro.txt", true}}, true);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_FALSE(Exists("ro.txt"));
}

TEST_F(FileRemovalTest, FileHeldByAnotherProgramFailsInBothModes) {
    env->Put("held.txt", "busy");
    {
        HeldByOtherProgram holder(*env, root + "held.txt");
        ASSERT_TRUE(holder.Held());
        Remove({{root + "held.txt", true}}, true);
        EXPECT_EQ(counts.removed, 0);
        EXPECT_EQ(counts.failed, 1);
        Remove({{root + "held.txt", true}}, false);
        EXPECT_EQ(counts.removed, 0);
        EXPECT_EQ(counts.failed, 1);
        EXPECT_TRUE(Exists("held.txt"));
    }
    EXPECT_EQ(env->Get("held.txt"), "busy");
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"file quick fail " + root + "held.txt | File Locked",
                                        "file fail " + root + "held.txt | File Locked"}));
}

TEST_F(FileRemovalTest, LockedBrowserIndexCountsAsRemoved) {
    env->Put("Cookies\\index.dat", "cookies");
    std::string upper = root + "COOKIES\\INDEX.DAT";
    specialFiles = {upper, ""};
    HeldByOtherProgram holder(*env, root + "Cookies\\index.dat");
    ASSERT_TRUE(holder.Held());
    Remove({{root + "Cookies\\index.dat", true}}, true);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"file quick ok " + root +
                                                   "Cookies\\index.dat | Specific File"}));
    EXPECT_TRUE(Exists("Cookies\\index.dat"));
}

TEST_F(FileRemovalTest, StopAlreadyRequestedRemovesNothing) {
    env->Put("a.txt", "a");
    seam.stop = true;
    Remove({{root + "a.txt", true}}, true);
    EXPECT_EQ(counts.removed, 0);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_FALSE(seam.stop);
    EXPECT_FALSE(seam.cancelShown);
    EXPECT_TRUE(Exists("a.txt"));
    EXPECT_EQ(seam.steps, 0);
}

TEST_F(FileRemovalTest, StopDuringTheLoopKeepsTheCountsSoFar) {
    env->Put("a.txt", "a");
    env->Put("b.txt", "b");
    env->Put("c.txt", "c");
    seam.stopAtPump = 3; // the pump before the second file
    Remove({{root + "a.txt", true}, {root + "b.txt", true}, {root + "c.txt", true}}, true);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_FALSE(Exists("a.txt"));
    EXPECT_TRUE(Exists("b.txt"));
    EXPECT_FALSE(seam.stop);
    EXPECT_FALSE(seam.cancelShown);
}

TEST_F(FileRemovalTest, ErrorInsideTheLoopEndsItQuietly) {
    env->Put("a.txt", "a");
    env->Put("b.txt", "b");
    env->Put("c.txt", "c");
    FailingLog failing(2);
    seam.stop = false;
    Remove({{root + "a.txt", true}, {root + "b.txt", true}, {root + "c.txt", true}}, true,
           &failing);
    EXPECT_EQ(counts.removed, 2); // b was removed before its row failed
    EXPECT_EQ(counts.failed, 0);
    EXPECT_TRUE(Exists("c.txt"));
    EXPECT_EQ(seam.steps, 1);
    EXPECT_FALSE(seam.cancelShown);
    EXPECT_FALSE(seam.stop);
}

TEST_F(FileRemovalTest, SecureOverwritesOneByteFileWithOneWholeBlock) {
    env->Put("one.bin", "x");
    Remove({{root + "one.bin", true}}, false);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_FALSE(Exists("one.bin"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"file ok " + root + "one.bin"}));
    if (auto* memory = env->Memory()) {
        EXPECT_EQ(memory->History(root + "one.bin"),
                  (std::vector<std::string>{"write 0 102400 0x41", "flush", "delete 102400"}));
    }
}

TEST_F(FileRemovalTest, SecureRoundsUpToWholeBlocksAndLeavesEmptyFilesUnwritten) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "the write history is the substitute's";
    }
    env->Put("half.bin", std::string(153600, 'q'));
    env->Put("exact.bin", std::string(102400, 'q'));
    env->Put("empty.bin", "");
    Remove({{root + "half.bin", true}, {root + "exact.bin", true}, {root + "empty.bin", true}},
           false);
    EXPECT_EQ(counts.removed, 3);
    EXPECT_EQ(memory->History(root + "half.bin"),
              (std::vector<std::string>{"write 0 102400 0x41", "write 102400 102400 0x41", "flush",
                                        "delete 204800"}));
    EXPECT_EQ(memory->History(root + "exact.bin"),
              (std::vector<std::string>{"write 0 102400 0x41", "flush", "delete 102400"}));
    EXPECT_EQ(memory->History(root + "empty.bin"), (std::vector<std::string>{"flush", "delete 0"}));
}

TEST_F(FileRemovalTest, SecureRemovesALinkAsTheLinkAndLeavesItsTarget) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "links are staged on the substitute";
    }
    env->Put("target.txt", "precious");
    memory->AddSymlink(root + "link.txt", root + "target.txt");
    Remove({{root + "link.txt", true}}, false);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_FALSE(Exists("link.txt"));
    EXPECT_EQ(env->Get("target.txt"), "precious");
    EXPECT_EQ(memory->History(root + "link.txt"), (std::vector<std::string>{"delete 0"}));
    EXPECT_TRUE(memory->History(root + "target.txt").empty());
}

TEST_F(FileRemovalTest, SecureOnlyRemovesTheNameOfAFileWithOtherNames) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "link counts are staged on the substitute";
    }
    env->Put("shared.txt", "still shown elsewhere");
    memory->SetLinkCount(root + "shared.txt", 2);
    Remove({{root + "shared.txt", true}}, false);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_FALSE(Exists("shared.txt"));
    EXPECT_EQ(memory->History(root + "shared.txt"), (std::vector<std::string>{"delete 21"}));
}

#ifdef _WIN32
// Real hard links: the other name keeps its bytes, unwritten.
TEST_F(FileRemovalTest, SecureLeavesTheOtherNameOfAHardLinkIntact) {
    env->Put("first.txt", "still shown elsewhere");
    ASSERT_TRUE(::CreateHardLinkW(platform::win32::WidePath(root + "second.txt").c_str(),
                                  platform::win32::WidePath(root + "first.txt").c_str(), nullptr));
    Remove({{root + "first.txt", true}}, false);
    EXPECT_EQ(counts.removed, 1);
    EXPECT_FALSE(Exists("first.txt"));
    EXPECT_EQ(env->Get("second.txt"), "still shown elsewhere");

    // With its last name left, the file is overwritten as any other.
    EXPECT_TRUE(SecureDelete(env->Fs(), root + "second.txt"));
    EXPECT_FALSE(Exists("second.txt"));
}
#endif

TEST_F(FileRemovalTest, WriteWithoutProgressFailsTheFile) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "a full disk is staged on the substitute";
    }
    env->Put("full.bin", "xyz");
    memory->SetFreeSpace(1000); // the last block would grow the file by 102397 bytes
    Remove({{root + "full.bin", true}}, false);
    EXPECT_EQ(counts.removed, 0);
    EXPECT_EQ(counts.failed, 1);
    EXPECT_TRUE(Exists("full.bin"));
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"file fail " + root + "full.bin | File Locked"}));
    EXPECT_TRUE(memory->History(root + "full.bin").empty());
}

TEST_F(FileRemovalTest, SecureOverwritesFilesOfSeveralGigabytesWhole) {
    auto* memory = env->Memory();
    if (!memory) {
        GTEST_SKIP() << "large sizes are staged on the substitute";
    }
    env->Put("big.bin", "");
    const std::uint64_t size = 5ull * 1024 * 1024 * 1024 + 1; // past 4 GB
    memory->SetSyntheticSize(root + "big.bin", size);
    EXPECT_TRUE(SecureDelete(fs, root + "big.bin"));
    const auto history = memory->History(root + "big.bin");
    const std::uint64_t blocks = (size + kOverwriteBlock - 1) / kOverwriteBlock;
    ASSERT_EQ(history.size(), blocks + 2);
    EXPECT_EQ(history[blocks - 1],
              "write " + std::to_string((blocks - 1) * kOverwriteBlock) + " 102400 0x41");
    EXPECT_EQ(history[blocks], "flush");
    EXPECT_EQ(history[blocks + 1], "delete " + std::to_string(blocks * kOverwriteBlock));
    EXPECT_FALSE(Exists("big.bin"));
}

TEST_F(FileRemovalTest, QuickLeavesAttributesAloneUnlessReadOnly) {
    env->Put("h.txt", "h");
    ASSERT_EQ(fs.SetAttributes(root + "h.txt", platform::attr::Hidden), platform::IoResult::Ok);
    EXPECT_TRUE(RemoveFile(fs, root + "h.txt", true));
    EXPECT_FALSE(RemoveFile(fs, root + "h.txt", true));
    EXPECT_FALSE(SecureDelete(fs, root + "h.txt"));
}

} // namespace
} // namespace quill
