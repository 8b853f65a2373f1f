#include "support/cli_program.h"

#include "platform/win32/wide.h"

#include <utility>

namespace quill::test {

using platform::win32::Wide;

std::wstring Built(const char* unixPath) {
    std::string path = unixPath;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return Wide("Z:" + path);
}

namespace {

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

} // namespace

StartedProgram::~StartedProgram() {
    if (process_) {
        if (Running()) {
            ::TerminateProcess(process_, 99);
            ::WaitForSingleObject(process_, 10000);
        }
        ::CloseHandle(process_);
    }
}

StartedProgram::StartedProgram(StartedProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)) {}

bool StartedProgram::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long StartedProgram::Wait(DWORD timeoutMs) {
    if (!process_) {
        return -1;
    }
    if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_, 99);
        ::WaitForSingleObject(process_, 10000);
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

void CliProgramTest::SetUp() {
    const std::wstring cli = Built(QUILL_CLI_PROGRAM);
    ASSERT_TRUE(::CopyFileW(cli.c_str(), Wide(app + "quillmere-cli.exe").c_str(), FALSE));
    env->MakeFolder("io");
    env->MakeFolder("tmp");
}

void CliProgramTest::CopyShippedItems() {
    env->MakeFolder("const");
    const std::wstring shipped = FolderOf(Built(QUILL_CLI_PROGRAM)) + L"const\\system.txt";
    ASSERT_TRUE(::CopyFileW(shipped.c_str(), Wide(app + "const\\system.txt").c_str(), FALSE));
}

void CliProgramTest::PrepareItems() {
    env->Put("junk\\a.tmp", "aaaa");
    env->Put("junk\\b.tmp", "bb");
    env->Put("junk\\Caf\xC3\xA9 \xE6\x97\xA5.tmp", "c");
    env->Put("junk\\keep.txt", "k");
    env->Put("const\\user.txt", "[Common]\r\nTotal=1\r\nItem0=Junk \xC3\xA9t\xC3\xA9\r\n"
                                "[Junk \xC3\xA9t\xC3\xA9]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                                "tFolder0.ChildItemName=tmp\r\ntFolder0.isactive=1\r\n"
                                "tFolder0.bycategory=1\r\ntFolder0.deletepath=" +
                                    app + "junk\\*.tmp\r\n");
}

HANDLE CliProgramTest::OpenOutput(const std::string& stem, std::string& name) {
    name = "io\\";
    name += stem;
    name += std::to_string(++outputs_);
    name += ".txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    return ::CreateFileW(Wide(app + name).c_str(), GENERIC_WRITE, kShareAll, &inherit,
                         CREATE_ALWAYS, 0, nullptr);
}

StartedProgram CliProgramTest::Start(const std::wstring& arguments, HANDLE out, HANDLE err) {
    const std::wstring tmp = Wide(app + "tmp");
    ::SetEnvironmentVariableW(L"TEMP", tmp.c_str());
    ::SetEnvironmentVariableW(L"TMP", tmp.c_str());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    const std::wstring exe = Wide(app + "quillmere-cli.exe");
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION pi{};
    const bool started = ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, Wide(app).c_str(), &si, &pi) != 0;
    ::SetEnvironmentVariableW(L"TEMP", nullptr);
    ::SetEnvironmentVariableW(L"TMP", nullptr);
    if (!started) {
        ADD_FAILURE() << "cannot start the program";
        return StartedProgram();
    }
    ::CloseHandle(pi.hThread);
    return StartedProgram(pi.hProcess);
}

Outcome CliProgramTest::Run(const std::wstring& arguments) {
    std::string outName;
    std::string errName;
    HANDLE out = OpenOutput("out", outName);
    HANDLE err = OpenOutput("err", errName);
    Outcome outcome;
    if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE) {
        StartedProgram program = Start(arguments, out, err);
        outcome.code = program.Wait(120000);
    } else {
        ADD_FAILURE() << "cannot open the output files";
    }
    for (HANDLE h : {out, err}) {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
    outcome.out = env->Get(outName);
    outcome.err = env->Get(errName);
    return outcome;
}

} // namespace quill::test
