// Times the target collection of one folder child over a large tree: mask
// *.tmp with subfolders and 50 exclusion patterns, a run seam that counts
// its message pumps. Cross-built it searches a real tree under Wine
// (made by make_tree.py); natively it builds the same tree in memory.
//
//   search_bench [DIR]

#include "engine/folder_targets.h"
#include "platform/ini_file.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"

#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#endif

#include <chrono>
#include <cstdio>
#include <string>

using namespace quill;

namespace {

class PumpCounter final : public RunSeam {
public:
    void ProcessMessages() override { ++pumps; }
    bool CancelRequested() const override { return false; }
    bool StopRequested() const override { return false; }
    void SetStopRequested(bool) override {}
    void ShowSearchCounters(const std::string&, const std::string&) override { ++labelUpdates; }
    void SetProgressMax(std::int32_t) override {}
    std::int32_t ProgressMax() const override { return 0; }
    void StepProgress() override {}
    void SetStatusMode(StatusMode) override {}
    void ShowMainCancel(bool) override {}
    void Repaint() override {}

    long pumps = 0;
    long labelUpdates = 0;
};

#ifndef _WIN32
// The tree of make_tree.py, in memory: returns how many *.tmp files the
// search must report.
long BuildMemoryTree(platform::MemoryFileSystem& fs, const std::string& root) {
    long tmp = 0;
    for (int a = 0; a < 10; ++a) {
        const std::string top = root + "\\" + (a != 3 ? "top" + std::to_string(a) : ".dot-top");
        for (int b = 0; b < 10; ++b) {
            const std::string mid = top + "\\mid" + std::to_string(b);
            for (int c = 0; c < 20; ++c) {
                const std::string leaf =
                    mid + "\\" +
                    (c != 7 ? "leaf" + std::to_string(c) : ".cache" + std::to_string(c));
                for (int i = 0; i < 100; ++i) {
                    const int k = i % 100;
                    std::string name;
                    if (k < 10) {
                        name = k != 9 ? "file" + std::to_string(i) + ".tmp"
                                      : ".hidden" + std::to_string(i) + ".tmp";
                        // Names and folders starting with a dot are never reported.
                        tmp += (k != 9 && a != 3 && c != 7) ? 1 : 0;
                    } else if (k < 13) {
                        name = "report" + std::to_string(i) + ".tmpl";
                    } else if (k < 16) {
                        name = "x" + std::to_string(i) + ".tmpx";
                    } else if (k < 19) {
                        name = "x" + std::to_string(i) + ".tmp~";
                    } else if (k < 21) {
                        name = ".config" + std::to_string(i);
                    } else {
                        name = "document" + std::to_string(i) + ".txt";
                    }
                    fs.AddFile(leaf + "\\" + name,
                               std::string(static_cast<std::size_t>(i % 7), 'x'));
                }
            }
        }
    }
    return tmp;
}
#endif

void WriteExclusions(platform::FileSystem& fs, const std::string& settings) {
    IniFile ini(fs, settings);
    std::vector<std::string> patterns;
    for (int i = 0; i < 50; ++i) {
        // Appended piece by piece: the 32-bit compiler misreads "text" + string.
        const std::string n = std::to_string(i);
        std::string pattern;
        switch (i % 5) {
        case 0:
            pattern += "keep";
            pattern += n;
            pattern += ".tmp";
            break;
        case 1:
            pattern += "*.bak";
            pattern += n;
            break;
        case 2:
            pattern += "Q:\\nowhere";
            pattern += n;
            pattern += "\\*.*";
            break;
        case 3:
            pattern += "archive";
            pattern += n;
            pattern += "\\*.tmp";
            break;
        default:
            pattern += "?:\\cache";
            pattern += n;
            pattern += "\\index.dat";
        }
        patterns.push_back(std::move(pattern));
    }
    WriteIniList(ini, {"Exclude Files", "Count", "Record"}, patterns);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench DIR (a tree made by make_tree.py)\n");
        return 2;
    }
    platform::Win32FileSystem fs;
    const std::string root = argv[1];
    // 9 of 10 top folders, 19 of 20 leaves, 9 of 10 .tmp names: no dot names.
    const long expected = 9 * 10 * 19 * 9;
    const std::string settings = root + "\\..\\bench-wildcard.ini";
    const char* where = "Win32 under Wine";
#else
    (void)argc;
    (void)argv;
    platform::MemoryFileSystem fs;
    const std::string root = "C:\\tree";
    const long expected = BuildMemoryTree(fs, root);
    const std::string settings = "C:\\bench-wildcard.ini";
    const char* where = "in-memory substitute";
#endif
    WriteExclusions(fs, settings);
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros(system, registry, fs, settings);
    PumpCounter seam;
    SearchCounters counters;
    TargetContext context{fs, registry, system, macros, seam, counters, settings};

    tChildFolder child(fs, settings + ".none", "Bench", 0);
    child.bycategory = byFolder;
    child.deletepath = root + "\\*.tmp";
    child.IsIncludeSubfolder = true;
    std::vector<std::string> targets;
    const auto start = std::chrono::steady_clock::now();
    CollectFolderTargets(child, targets, context);
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("CollectFolderTargets (%s): %zu targets (expected %ld), %ld pumps, %.3f s\n", where,
                targets.size(), expected, seam.pumps, s);
    return static_cast<long>(targets.size()) == expected ? 0 : 1;
}
