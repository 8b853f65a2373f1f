// Under Wine a Unix symbolic link to a folder is listed as a folder that
// reparses: the search must not follow it on its way down.

#ifdef _WIN32

#include "engine/find_file.h"
#include "platform/win32/wide.h"
#include "support/test_env.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace quill {
namespace {

using Strings = std::vector<std::string>;

using test::RunUnix;
using test::UnixPathOf;

TEST(FindFileOnWine, UnixFolderLinksAreNeverEntered) {
    auto env = test::MakeTestEnv();
    const std::string root = env->Root();
    const std::string top = root.substr(0, root.size() - 1);
    env->Put("own.tmp", "");
    env->Put("target\\inside.tmp", "");
    const std::string unixTarget = UnixPathOf(root + "target");
    const std::string unixLink = UnixPathOf(root + "link");
    if (unixTarget.empty() || unixLink.empty()) {
        GTEST_SKIP() << "not running under Wine";
    }
    const std::wstring ln = L"Z:\\bin\\ln -s \"" + platform::win32::Wide(unixTarget) + L"\" \"" +
                            platform::win32::Wide(unixLink) + L"\"";
    if (!RunUnix(ln)) {
        GTEST_SKIP() << "Unix programs cannot be started here";
    }
    // The Unix program may still be running when its handle is signalled.
    const std::wstring link = platform::win32::Wide(root + "link");
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int wait = 0; wait < 100 && attributes == INVALID_FILE_ATTRIBUTES; ++wait) {
        ::Sleep(wait == 0 ? 0 : 50);
        attributes = ::GetFileAttributesW(link.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "the link was not made";
    }
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));

    TFindFile search(env->Fs());
    Strings found;
    Strings folders;
    search.OnNewFolder = [&](const std::string& f, bool&) { folders.push_back(f); };
    search.OnFound = [&](const std::string& f, const platform::FileEntry& e) {
        found.push_back(f + "\\" + e.name);
    };
    search.IncludeFiles = {root + "*.tmp"};
    search.Execute();
    std::sort(found.begin(), found.end());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(found, (Strings{top + "\\own.tmp", top + "\\target\\inside.tmp"}));
    EXPECT_EQ(folders, (Strings{top, top + "\\target"}));

    // The folder given is searched as given, through the link.
    found.clear();
    search.IncludeFiles = {root + "link\\*.tmp"};
    search.Execute();
    EXPECT_EQ(found, (Strings{top + "\\link\\inside.tmp"}));

    RunUnix(L"Z:\\bin\\rm \"" + platform::win32::Wide(unixLink) + L"\"");
    for (int wait = 0; wait < 100 && ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
         ++wait) {
        ::Sleep(50);
    }
}

} // namespace
} // namespace quill

#endif
