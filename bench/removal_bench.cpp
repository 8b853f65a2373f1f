// Times the file removal on real files: quick removal of many small files
// through RemoveTickedFiles against a bare DeleteFileW loop and "cmd /c del",
// and the secure overwrite of large files in MB/s.
// Usage: removal_bench FOLDER [SMALL_FILES] [SECURE_MB]

#include "engine/file_removal.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quill;

namespace {

class QuietSeam final : public RunSeam {
public:
    void ProcessMessages() override {}
    bool CancelRequested() const override { return false; }
    bool StopRequested() const override { return false; }
    void SetStopRequested(bool) override {}
    void ShowSearchCounters(const std::string&, const std::string&) override {}
    void SetProgressMax(std::int32_t) override {}
    std::int32_t ProgressMax() const override { return 0; }
    void StepProgress() override {}
    void SetStatusMode(StatusMode) override {}
    void ShowMainCancel(bool) override {}
    void Repaint() override {}
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::vector<std::string> MakeFiles(const std::string& folder, int count, std::size_t size) {
    ::CreateDirectoryW(platform::win32::Wide(folder).c_str(), nullptr);
    const std::string bytes(size, 'z');
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(folder + "\\f" + std::to_string(i) + ".bin");
        HANDLE h = ::CreateFileW(platform::win32::Wide(paths.back()).c_str(), GENERIC_WRITE, 0,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(h);
    }
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: removal_bench FOLDER [SMALL_FILES] [SECURE_MB]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int small = argc > 2 ? std::atoi(argv[2]) : 20000;
    const int secureMb = argc > 3 ? std::atoi(argv[3]) : 1024;
    platform::Win32FileSystem fs;
    QuietSeam seam;
    const std::vector<std::string> special;
    const RemovalContext context{fs, seam, nullptr, special};

    {
        const auto paths = MakeFiles(folder + "\\q1", small, 1024);
        CheckedList list;
        for (const auto& p : paths) {
            list.push_back({p, true});
        }
        RemovalCounts counts;
        const auto t = std::chrono::steady_clock::now();
        RemoveTickedFiles(list, true, counts, context);
        const double s = Seconds(t);
        std::printf("quick RemoveTickedFiles: %d files in %.2f s, %.0f files/s (removed %d)\n",
                    small, s, small / s, counts.removed);
    }
    {
        const auto paths = MakeFiles(folder + "\\q2", small, 1024);
        const auto t = std::chrono::steady_clock::now();
        for (const auto& p : paths) {
            ::DeleteFileW(platform::win32::Wide(p).c_str());
        }
        const double s = Seconds(t);
        std::printf("bare DeleteFileW loop:   %d files in %.2f s, %.0f files/s\n", small, s,
                    small / s);
    }
    {
        MakeFiles(folder + "\\q3", small, 1024);
        const std::string command = "cmd /c del /q \"" + folder + "\\q3\\*.bin\"";
        const auto t = std::chrono::steady_clock::now();
        std::system(command.c_str());
        const double s = Seconds(t);
        std::printf("cmd /c del /q:           %d files in %.2f s, %.0f files/s\n", small, s,
                    small / s);
    }
    {
        // Files of 1 to 64 MB, doubling, until the total is reached.
        std::vector<std::string> paths;
        std::uint64_t total = 0;
        const std::string dir = folder + "\\s";
        ::CreateDirectoryW(platform::win32::Wide(dir).c_str(), nullptr);
        for (int i = 0; total < static_cast<std::uint64_t>(secureMb) << 20; ++i) {
            const std::size_t mb = std::size_t{1} << (i % 7);
            auto made = MakeFiles(dir + "\\" + std::to_string(i), 1, mb << 20);
            paths.push_back(made.front());
            total += mb << 20;
        }
        CheckedList list;
        for (const auto& p : paths) {
            list.push_back({p, true});
        }
        RemovalCounts counts;
        const auto t = std::chrono::steady_clock::now();
        RemoveTickedFiles(list, false, counts, context);
        const double s = Seconds(t);
        std::printf(
            "secure RemoveTickedFiles: %zu files, %.0f MB in %.2f s, %.1f MB/s (removed %d)\n",
            paths.size(), total / 1048576.0, s, total / 1048576.0 / s, counts.removed);
    }
    return 0;
}
