// Times the wash-item files at the size of a large rule collection: a
// const\system.txt of 5,000 items (each with 3 folder/file and 2 registry
// children), 20 plug-in files of 100 items and an order.ini listing all
// 7,000. Cross-built it works on real files in DIR under Wine (and leaves
// the program folder there for the start-up probe); natively on the
// in-memory substitute. Prints one line per figure: name, seconds, goal.
//
//   catalogue_bench [DIR]

#include "model/wash_items.h"
#include "platform/memory/memory_file_system.h"

#ifdef _WIN32
#include "platform/win32/win32_file_system.h"

#include <windows.h>
#else
#include <time.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace quill;

namespace {

constexpr int kSystemItems = 5000;
constexpr int kPlugins = 20;
constexpr int kPluginItems = 100;

std::string Numbered(const char* prefix, int n, int width) {
    std::string digits = std::to_string(n);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return prefix + digits;
}

void AppendFolderChild(std::string& out, int k, const std::string& tag) {
    const std::string p = "tFolder" + std::to_string(k) + ".";
    out += p + "ChildItemName=Folder child " + std::to_string(k) + "\r\n";
    out += p + "isactive=1\r\n";
    out += p + "deletepath={windows}\\Temp\\" + tag + "\\*.tmp\r\n";
    out += p + "RegisterName=\r\n";
    out += p + "RegisterValueofName=\r\n";
    out += p + "deletefilename=\r\n";
    out += p + "bycategory=1\r\n";
    out += p + "IsIncludeSubfolder=1\r\n";
}

void AppendRegistryChild(std::string& out, int k, const std::string& tag) {
    const std::string p = "tRegister" + std::to_string(k) + ".";
    out += p + "ChildItemName=Registry child " + std::to_string(k) + "\r\n";
    out += p + "RegisterKeyName=HKEY_CURRENT_USER\\Software\\Bench\\" + tag + "\r\n";
    out += p + "RegisterSingleValue=\r\n";
    out += p + "isactive=1\r\n";
    out += p + "CleanRegisterType=1\r\n";
}

// A wash-item file as the program writes it.
std::string ItemFile(const std::vector<std::string>& names, int folders, int registers) {
    std::string out = "[Common]\r\nTotal=" + std::to_string(names.size()) + "\r\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += "Item" + std::to_string(i) + "=" + names[i] + "\r\n";
    }
    for (const auto& name : names) {
        out += "[" + name + "]\r\nIsActive=1\r\nIsSpecial=0\r\n";
        out += "tFolder.Total=";
        out += std::to_string(folders);
        out += "\r\n";
        for (int k = 0; k < folders; ++k) {
            AppendFolderChild(out, k, name);
        }
        out += "tRegister.Total=";
        out += std::to_string(registers);
        out += "\r\n";
        for (int k = 0; k < registers; ++k) {
            AppendRegistryChild(out, k, name);
        }
    }
    return out;
}

bool Put(platform::FileSystem& fs, const std::string& path, const std::string& bytes) {
    if (!Succeeded(fs.ReplaceFileContent(path, bytes))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Writes the program folder: const\system.txt, plugin\*.txt and order.ini
// listing every item, last file first. Returns the number of items.
int MakeProgramFolder(platform::FileSystem& fs, const std::string& app) {
    (void)fs.CreateFolder(app + "const");
    (void)fs.CreateFolder(app + "plugin");
    (void)fs.CreateFolder(app + "scratch");
    std::vector<std::pair<std::string, std::string>> listed; // name, file
    std::vector<std::string> names;
    for (int i = 0; i < kSystemItems; ++i) {
        names.push_back(Numbered("System item ", i, 5));
        listed.emplace_back(names.back(), app + "const\\system.txt");
    }
    if (!Put(fs, app + "const\\system.txt", ItemFile(names, 3, 2))) {
        return 0;
    }
    for (int p = 0; p < kPlugins; ++p) {
        const std::string file = app + "plugin\\" + Numbered("plugin", p, 2) + ".txt";
        names.clear();
        for (int i = 0; i < kPluginItems; ++i) {
            names.push_back(Numbered(Numbered("Plug-in ", p, 2).c_str(), i, 3));
            listed.emplace_back(names.back(), file);
        }
        if (!Put(fs, file, ItemFile(names, 3, 2))) {
            return 0;
        }
    }
    std::reverse(listed.begin(), listed.end());
    std::string order = "[Common]\r\nTotal=" + std::to_string(listed.size()) + "\r\n";
    for (std::size_t i = 0; i < listed.size(); ++i) {
        order +=
            "Item" + std::to_string(i) + "=" + listed[i].first + "<|>" + listed[i].second + "\r\n";
    }
    for (std::size_t i = 0; i < listed.size(); ++i) {
        order += "[" + listed[i].first + "<|>" + listed[i].second +
                 "]\r\ntxtfilename=" + listed[i].second + "\r\nIsActive=" + (i % 3 ? "1" : "0") +
                 "\r\nIsSpecial=0\r\n";
    }
    if (!Put(fs, app + "order.ini", order) ||
        !Put(fs, app + "wildcard.ini", "[Detect]\r\nDetect directory at load=0\r\n")) {
        return 0;
    }
    return static_cast<int>(listed.size());
}

// Processor time of this thread, in seconds: what a figure costs whatever
// else the machine is doing.
double ThreadSeconds() {
#ifdef _WIN32
    FILETIME created, ended, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
#else
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
#endif
}

struct Timing {
    double wall = 0; // elapsed
    double cpu = 0;  // processor time of this thread
};

// The slowest of runs.
Timing Worst(int runs, const std::function<void()>& work) {
    Timing worst;
    for (int i = 0; i < runs; ++i) {
        const double cpu = ThreadSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        worst.wall = std::max(worst.wall, took.count());
        worst.cpu = std::max(worst.cpu, ThreadSeconds() - cpu);
    }
    return worst;
}

void Report(const char* name, Timing t, double goal) {
    std::printf("%-50s %8.4f s  (cpu %7.4f s)  goal <= %g s%s\n", name, t.wall, t.cpu, goal,
                t.wall <= goal ? "" : "  MISSED");
}

// A figure without a goal, to tell where the time of one with a goal goes.
void Note(const char* name, Timing t) {
    std::printf("%-50s %8.4f s  (cpu %7.4f s)\n", name, t.wall, t.cpu);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    if (argc < 2) {
        std::fprintf(stderr, "usage: catalogue_bench DIR\n");
        return 2;
    }
    platform::Win32FileSystem fs;
    std::string app = argv[1];
    const bool wine = true;
#else
    platform::MemoryFileSystem fs;
    std::string app = argc > 1 ? argv[1] : "C:\\bench";
    (void)fs.CreateFolder(app);
    const bool wine = false;
#endif
    if (app.back() != '\\') {
        app += '\\';
    }
    const int items = MakeProgramFolder(fs, app);
    if (items == 0) {
        return 1;
    }
    std::printf("%s: %d items (%d in const\\system.txt, %d plug-in files of %d)\n",
                wine ? "Win32 files under Wine" : "in-memory files, native", items, kSystemItems,
                kPlugins, kPluginItems);

    titem_list catalogue(fs);
    const Timing load = Worst(3, [&] { LoadCatalogue(fs, app, catalogue); });
    if (catalogue.Count() != items) {
        std::fprintf(stderr, "catalogue holds %d entries, not %d\n", catalogue.Count(), items);
        return 1;
    }
    Report("LoadCatalogue (7,000 items, worst of 3)", load, wine ? 1.0 : 0.3);

    const std::string system = app + "const\\system.txt";
    std::int32_t children = 0;
    const Timing one = Worst(5, [&] {
        tItemContent item(fs, system, "System item 02500");
        children = item.Folders.Count() + item.Registers.Count();
    });
    if (children != 5) {
        std::fprintf(stderr, "the item has %d children, not 5\n", children);
        return 1;
    }
    Report("one item from const\\system.txt (worst of 5)", one, 0.010);
    // The file written anew (by another program, say): the next item read
    // parses it again.
    std::string bytes;
    (void)fs.ReadWholeFile(system, bytes);
    Timing fresh;
    for (int i = 0; i < 3; ++i) {
        (void)fs.ReplaceFileContent(system, bytes);
        const Timing t = Worst(1, [&] {
            tItemContent item(fs, system, "System item 02500");
            children = item.Folders.Count() + item.Registers.Count();
        });
        fresh.wall = std::max(fresh.wall, t.wall);
        fresh.cpu = std::max(fresh.cpu, t.cpu);
    }
    Note("  the same after the file was written anew", fresh);
    const Timing read = Worst(5, [&] { (void)fs.ReadWholeFile(system, bytes); });
    Note(("  of which reading the file alone (" + std::to_string(bytes.size() / 1024) + " KB)")
             .c_str(),
         read);

    const std::string big = app + "scratch\\big.txt";
    if (!Put(fs, big, ItemFile({"Big item"}, 500, 0))) {
        return 1;
    }
    const Timing bigLoad = Worst(5, [&] {
        tItemContent item(fs, big, "Big item");
        children = item.Folders.Count();
    });
    if (children != 500) {
        std::fprintf(stderr, "the big item has %d children, not 500\n", children);
        return 1;
    }
    Report("one item with 500 children (worst of 5)", bigLoad, 0.030);

    // As the item commands do it: a new item in the user's file, then each
    // child read from its place, filled, added and the list saved.
    const std::string user = app + "scratch\\user.txt";
    const Timing adds = Worst(1, [&] {
        tItemContent scratch(fs, user, "New item");
        scratch.AppendToFile(user, "New item", true);
        tItemContent item(fs, user, "New item");
        for (int i = 0; i < 100; ++i) {
            tFolder& folders = item.Folders;
            tChildFolder child(fs, folders.FileName, folders.SectionName, folders.Count());
            child.ChildItemName = "Added child " + std::to_string(i);
            child.deletepath = "{windows}\\Temp\\added" + std::to_string(i);
            child.isactive = true;
            child.Index = folders.Count();
            folders.Add(child);
            folders.Save();
        }
    });
    if (tItemContent(fs, user, "New item").Folders.Count() != 100) {
        std::fprintf(stderr, "the new item does not hold 100 children\n");
        return 1;
    }
    Report("100 child adds with Add + Save", adds, 1.0);
    std::string userBytes;
    (void)fs.ReadWholeFile(user, userBytes);
    const std::string copy = app + "scratch\\copy.txt";
    const Timing replaces = Worst(1, [&] {
        for (int i = 0; i < 100; ++i) {
            (void)fs.ReplaceFileContent(copy, userBytes);
        }
    });
    Note("  of which 100 replaces of that file alone", replaces);

    titem_list order(fs);
    for (std::int32_t i = 0; i < 5000; ++i) {
        order.AddCopy(catalogue.Items[static_cast<std::size_t>(i)]);
    }
    const std::string orderFile = app + "scratch\\order.ini";
    const Timing save = Worst(3, [&] {
        (void)fs.Delete(orderFile);
        order.SaveToFile(orderFile);
    });
    Report("order file of 5,000 entries written (worst of 3)", save, 0.5);
    return 0;
}
