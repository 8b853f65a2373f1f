// Saves one file over and over through the file-system service's replace,
// for bench/run_kill_test.sh, which kills it at random moments and checks
// that the file is always there and always one whole version.
//
//   save_loop.exe FILE          removes stale temporary files beside FILE
//                               (as the program does at start-up), then saves
//                               until killed
//   save_loop.exe FILE --clean  only removes the stale temporary files
//   save_loop.exe FILE --check  prints "ok", "missing" or "mixed"
//   save_loop.exe FILE --read N reads the file N times while another
//                               instance saves; prints how often it was
//                               missing or mixed
//
// Every version is a run of lines "version N" of its own length, so a file
// holding parts of two versions, or a cut-off version, is told at once.

#include "platform/win32/win32_file_system.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Version(unsigned n) {
    const std::string line = "version " + std::to_string(n) + "\r\n";
    std::string out;
    const unsigned lines = 200 + (n * 7919u) % 3000u; // 3 to 50 KB
    for (unsigned i = 0; i < lines; ++i) {
        out += line;
    }
    return out + "end " + std::to_string(lines) + "\r\n";
}

bool Whole(const std::string& bytes) {
    const auto space = bytes.find(' ');
    const auto eol = bytes.find("\r\n");
    if (space == std::string::npos || eol == std::string::npos || space > eol) {
        return false;
    }
    unsigned n = 0;
    if (std::sscanf(bytes.c_str(), "version %u", &n) != 1) {
        return false;
    }
    return bytes == Version(n);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: save_loop FILE [--clean|--check]\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::string mode = argc > 2 ? argv[2] : "";
    quill::platform::Win32FileSystem fs;
    if (mode == "--check") {
        std::string bytes;
        const auto r = fs.ReadWholeFile(path, bytes);
        std::puts(!Succeeded(r) ? "missing" : Whole(bytes) ? "ok" : "mixed");
        return 0;
    }
    if (mode == "--read") {
        const long reads = argc > 3 ? std::atol(argv[3]) : 10000;
        long missing = 0;
        long mixed = 0;
        for (long i = 0; i < reads; ++i) {
            std::string bytes;
            if (!Succeeded(fs.ReadWholeFile(path, bytes))) {
                ++missing;
            } else if (!Whole(bytes)) {
                ++mixed;
            }
        }
        std::printf("reads: %ld, missing: %ld, mixed: %ld\n", reads, missing, mixed);
        return 0;
    }
    int removed = 0;
    (void)fs.RemoveStaleTempFiles(FolderOf(path), removed);
    if (mode == "--clean") {
        std::printf("removed %d\n", removed);
        return 0;
    }
    std::puts("saving");
    std::fflush(stdout);
    for (unsigned n = 1;; ++n) {
        if (!Succeeded(fs.ReplaceFileContent(path, Version(n)))) {
            std::fprintf(stderr, "save %u failed\n", n);
            return 1;
        }
    }
}
