// Baseline for the file search: walks a tree with one FindFirstFileExW
// enumeration per folder and counts the names ending in ".tmp".
//
//   bare_walk.exe DIR

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool EndsWithTmp(const wchar_t* name) {
    const std::size_t n = wcslen(name);
    return n >= 4 && _wcsicmp(name + n - 4, L".tmp") == 0;
}

void Walk(const std::wstring& folder, long& found, long& folders) {
    ++folders;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        return;
    }
    std::vector<std::wstring> subfolders;
    do {
        const wchar_t* n = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0)))) {
                subfolders.push_back(folder + L"\\" + n);
            }
        } else if (EndsWithTmp(n)) {
            ++found;
        }
    } while (FindNextFileW(h, &data));
    FindClose(h);
    for (const auto& s : subfolders) {
        Walk(s, found, folders);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bare_walk DIR\n");
        return 2;
    }
    long found = 0;
    long folders = 0;
    const auto start = std::chrono::steady_clock::now();
    Walk(argv[1], found, folders);
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("bare FindFirstFileExW walk: %ld folders, %ld *.tmp files, %.3f s\n", folders,
                found, s);
    return 0;
}
