// The version as every part of the program shows it, against its one
// definition: the window's caption, the About dialog, the console's
// --version and, in the Windows builds, the version resource of the built
// program.

#include "app/about_form.h"
#include "app/main_window.h"
#include "app/version.h"
#include "cli/console_app.h"
#include "platform/memory/memory_shell.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include "platform/win32/wide.h"

#include <windows.h>
#endif

namespace quill {
namespace {

TEST(Version, EveryPlaceShowsTheOneVersion) {
    EXPECT_STREQ(TFormMainQLMR::kCaption, QUILL_CAPTION_TEXT);
    platform::MemoryShell shell;
    EXPECT_EQ(Taboutform(shell).LabelProduct, QUILL_PRODUCT_TEXT);
    EXPECT_STREQ(cli::ConsoleApp::kVersion, QUILL_PRODUCT_TEXT);
}

#ifdef _WIN32
std::wstring Built(const char* unixPath) {
    std::string path = unixPath;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return platform::win32::Wide("Z:" + path);
}

void ExpectTheOneVersion(const char* unixPath) {
    SCOPED_TRACE(unixPath);
    const std::wstring program = Built(unixPath);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::string data(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfoW(program.c_str(), 0, size, data.data()));

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", &fixed, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    const DWORD high = MAKELONG(QUILL_VERSION_MINOR, QUILL_VERSION_MAJOR);
    const DWORD low = MAKELONG(QUILL_VERSION_BUILD, 0);
    EXPECT_EQ(info->dwFileVersionMS, high);
    EXPECT_EQ(info->dwFileVersionLS, low);
    EXPECT_EQ(info->dwProductVersionMS, high);
    EXPECT_EQ(info->dwProductVersionLS, low);

    for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
        std::wstring query = L"\\StringFileInfo\\040904B0\\";
        query += name;
        void* text = nullptr;
        ASSERT_TRUE(::VerQueryValueW(data.data(), query.c_str(), &text, &length)) << name;
        EXPECT_EQ(platform::win32::Narrow(static_cast<const wchar_t*>(text)),
                  QUILL_VERSION_BUILD_TEXT)
            << name;
    }
}

TEST(Version, TheProgramsVersionResourcesAreTheOneVersion) {
    ExpectTheOneVersion(QUILL_PROGRAM);
    ExpectTheOneVersion(QUILL_CONSOLE_PROGRAM);
}
#endif

} // namespace
} // namespace quill
