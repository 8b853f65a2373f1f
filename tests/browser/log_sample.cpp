// Writes a wash log of three sections into a folder, through the real file
// removal and the HTML log on the Win32 services, for the browser check.
//
//   log_sample FOLDER

#include "engine/file_removal.h"
#include "log/html_log.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "support/fake_run_seam.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace quill;

void Put(platform::FileSystem& fs, const std::string& path, const std::string& bytes) {
    if (!platform::Succeeded(fs.ReplaceFileContent(path, bytes))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

int Run(const std::string& folder) {
    platform::Win32FileSystem fs;
    platform::Win32WallClock clock;
    test::FakeRunSeam seam;
    HtmlWashLog log(fs, clock, folder);
    const std::vector<std::string> specialFiles;
    const RemovalContext context{fs, seam, &log, specialFiles};
    const std::string wash = folder + "wash\\";
    fs.CreateFolder(wash);

    // A quick wash long enough to scroll, with a name in two scripts and
    // one that would be markup if written as it stands.
    CheckedList quick;
    for (int i = 0; i < 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file %02d.tmp", i);
        quick.push_back({wash + name, true});
    }
    quick.push_back({wash + "\xC3\x9C"
                            "berpr\xC3\xBC"
                            "fung \xE6\x97\xA5\xE6\x9C\xAC.tmp",
                     true});
    quick.push_back({wash + "fish & chips.tmp", true});
    for (const CheckedLine& line : quick) {
        Put(fs, line.Text, "x");
    }
    RemovalCounts counts;
    log.BeginLogSection();
    RemoveTickedFiles(quick, true, counts, context);
    log.EndLogSection();
    ::Sleep(20);

    // A secure wash with a read-only file, which that mode cannot open.
    CheckedList secure{{wash + "secret.doc", true}, {wash + "kept.doc", true}};
    Put(fs, secure[0].Text, std::string(3000, 's'));
    Put(fs, secure[1].Text, "k");
    fs.SetAttributes(secure[1].Text, platform::attr::ReadOnly);
    log.BeginLogSection();
    RemoveTickedFiles(secure, false, counts, context);
    log.EndLogSection();
    fs.SetAttributes(secure[1].Text, platform::attr::Normal);
    fs.Delete(secure[1].Text);
    ::Sleep(20);

    log.BeginLogSection();
    log.AppendLogRow(LogKind::RegistryEntry, true, true, "",
                     "HKEY_CURRENT_USER\\Software\\Sample\\<script>document.title='x'</script>");
    log.AppendLogRow(LogKind::RegistryEntry, true, false, "", "HKEY_LOCAL_MACHINE\\Software\\Held");
    log.AppendLogRow(LogKind::SpecialItem, true, true, "", "Recycle Bin");
    log.EndLogSection();
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: log_sample FOLDER\n");
        return 2;
    }
    std::string folder = quill::platform::win32::Narrow(argv[1]);
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    try {
        return Run(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
