// Helper for tests: holds a file open without sharing, as another program
// would, until its standard input closes or the given seconds have passed.
// Usage: hold_file PATH SECONDS. Prints "held" once the file is open.

#include <windows.h>

#include <cwchar>

namespace {

DWORD WINAPI DrainInput(void*) {
    char buffer[64];
    DWORD got = 0;
    const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
    while (::ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return 2;
    }
    const HANDLE file = ::CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), "held\n", 5, &written, nullptr);
    const DWORD seconds = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10));
    const HANDLE drain = ::CreateThread(nullptr, 0, DrainInput, nullptr, 0, nullptr);
    ::WaitForSingleObject(drain, seconds * 1000);
    ::CloseHandle(file);
    return 0;
}
