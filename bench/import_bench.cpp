// Times the import of a generated winapp2.ini of 3,000 entries (13
// categories; two thirds of the entries detected through a registry key),
// then the catalogue loaded with the imported items. Cross-built it writes
// real plug-in files in DIR under Wine, with the detection keys in the real
// registry (removed afterwards); natively it works on the substitutes.
// Prints "import: N entries in X s" and the catalogue's figure.
//
//   import_bench [DIR]

#include "locations/path_macros.h"
#include "model/wash_items.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "rules/winapp2_import.h"

#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_info.h"

#include <windows.h>
#endif

#include <chrono>
#include <cstdio>
#include <string>

using namespace quill;

namespace {

constexpr int kEntries = 3000;
constexpr int kCategories[] = {3006, 3021, 3022, 3023, 3024, 3025, 3026,
                               3027, 3029, 3030, 3031, 3033, 3034};
const char* const kBenchKey = "Software\\QuillmereImportBench";

std::string Rules() {
    std::string out = "; generated for the import benchmark\r\n";
    for (int n = 0; n < kEntries; ++n) {
        const std::string app = "Vendor" + std::to_string(n % 97) + "\\App" + std::to_string(n);
        out += "[Bench Application " + std::to_string(n) + " *]\r\n";
        out += "LangSecRef=" + std::to_string(kCategories[n % 13]) + "\r\n";
        out += "Detect=HKCU\\" + std::string(kBenchKey) + "\\App" + std::to_string(n) + "\r\n";
        out += "FileKey1=%LocalAppData%\\" + app + "\\Cache|*.*|RECURSE\r\n";
        out += "FileKey2=%LocalAppData%\\" + app + "\\Logs|*.log;*.txt\r\n";
        out += "RegKey1=HKCU\\Software\\" + app + "\\Recent\r\n";
        out += "RegKey2=HKCU\\Software\\" + app + "|LastFile\r\n\r\n";
    }
    return out;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Run(platform::FileSystem& fs, platform::Registry& registry, platform::SystemInfo& system,
         const std::string& app) {
    const std::string rules = Rules();
    PathMacros macros(system, registry, fs, app + "wildcard.ini");
    rules::EntryDetector detector(registry, fs, macros);

    const auto start = std::chrono::steady_clock::now();
    const rules::ImportReport report = rules::ImportWinapp2(fs, app, rules, detector, {}, {});
    const double import = Seconds(start);
    std::printf("import: %d entries in %.3f s\n", report.read, import);
    std::printf("  imported %d into %zu plug-in files, %d not detected, %zu unsupported, %zu "
                "malformed\n",
                report.imported, report.files.size(), report.notDetected, report.unsupported.size(),
                report.malformed.size());

    const auto load = std::chrono::steady_clock::now();
    titem_list catalogue(fs);
    LoadCatalogue(fs, app, catalogue);
    std::printf("catalogue with the imported items: %d items loaded in %.3f s\n", catalogue.Count(),
                Seconds(load));
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    if (argc < 2) {
        std::fprintf(stderr, "usage: import_bench DIR\n");
        return 2;
    }
    std::string app = argv[1];
    if (app.back() != '\\') {
        app += '\\';
    }
    const std::wstring base = L"Software\\QuillmereImportBench";
    for (int n = 0; n < kEntries; ++n) {
        if (n % 3 == 2) {
            continue; // a program this machine does not have
        }
        HKEY key = nullptr;
        const std::wstring path = base + L"\\App" + std::to_wstring(n);
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr) == ERROR_SUCCESS) {
            ::RegCloseKey(key);
        }
    }
    platform::Win32FileSystem fs;
    platform::Win32Registry registry;
    platform::Win32SystemInfo system;
    Run(fs, registry, system, app);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, base.c_str());
#else
    const std::string app = argc > 1 ? argv[1] : "C:\\bench\\";
    platform::MemoryFileSystem fs;
    fs.AddFolder(app.substr(0, app.size() - 1));
    platform::MemoryRegistry registry;
    registry.PutValue(platform::RootKey::CurrentUser,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Local AppData", platform::StringValue("C:\\Users\\User\\AppData\\Local"));
    for (int n = 0; n < kEntries; ++n) {
        if (n % 3 != 2) {
            registry.AddKey(platform::RootKey::CurrentUser,
                            std::string(kBenchKey) + "\\App" + std::to_string(n));
        }
    }
    platform::MemorySystemInfo system;
    Run(fs, registry, system, app);
#endif
    return 0;
}
