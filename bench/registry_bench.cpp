// Collects the entries of a whole-key registry child over a key with 10,000
// subkeys. Under Wine on the real registry when cross-built; on the
// in-memory substitute natively.
//
//   registry_bench [SUBKEYS]

#include "engine/registry_targets.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_system_info.h"

#ifdef _WIN32
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_info.h"
#else
#include "platform/memory/memory_registry.h"
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace quill;

namespace {

const char* const kBenchKey = "Software\\QuillmereBench";

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    const int subkeys = argc > 1 ? std::atoi(argv[1]) : 10000;
#ifdef _WIN32
    platform::Win32Registry registry;
    const char* where = "Win32 registry under Wine";
#else
    platform::MemoryRegistry registry;
    const char* where = "in-memory substitute";
#endif
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < subkeys; ++i) {
        std::unique_ptr<platform::RegistryKey> key;
        if (!Succeeded(registry.CreateKey(platform::RootKey::CurrentUser,
                                          std::string(kBenchKey) + "\\sub" + std::to_string(i),
                                          key))) {
            std::fprintf(stderr, "cannot create subkey %d\n", i);
            return 1;
        }
    }
    std::printf("registry (%s): created %d subkeys in %.3f s\n", where, subkeys, Seconds(start));

    platform::MemoryFileSystem fs;
    platform::MemorySystemInfo system;
    PathMacros macros(system, registry, fs, "C:\\app\\wildcard.ini");
    tChildRegister child(fs, "C:\\app\\none.txt", "Bench", 0);
    child.RegisterKeyName = std::string("HKEY_CURRENT_USER\\") + kBenchKey;
    child.CleanRegisterType = deleteKey;
    std::vector<std::string> entries;
    start = std::chrono::steady_clock::now();
    CollectRegistryEntries(child, entries, macros, registry);
    std::printf("registry (%s): CollectRegistryEntries deleteKey over %d subkeys: %zu entries in "
                "%.3f s\n",
                where, subkeys, entries.size(), Seconds(start));

    CheckedList list;
    list.push_back({child.RegisterKeyName + kDeleteKeyMarker, true});
    start = std::chrono::steady_clock::now();
    const RemovalCounts counts = RemoveTickedEntries(list, registry, nullptr);
    std::printf("registry (%s): removed the key with its subkeys (%d ok) in %.3f s\n", where,
                counts.removed, Seconds(start));
    return counts.removed == 1 && entries.size() == static_cast<std::size_t>(subkeys) + 1 ? 0 : 1;
}
