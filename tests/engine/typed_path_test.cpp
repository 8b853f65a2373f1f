// Search paths typed by the user are tidied once, as Windows would.

#include "engine/typed_path.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(TypedPath, TidiedAsWindowsWouldAndTheMaskKept) {
    const struct {
        const char* typed;
        const char* tidied;
    } cases[] = {
        {"C:\\Temp\\*.tmp", "C:\\Temp\\*.tmp"},
        {"C:/Temp/*.tmp", "C:\\Temp\\*.tmp"},
        {"C:\\Temp\\\\sub\\.\\*.tmp", "C:\\Temp\\sub\\*.tmp"},
        {"C:\\Temp\\sub\\..\\*.tmp", "C:\\Temp\\*.tmp"},
        {"C:\\..\\..\\Temp\\*.tmp", "C:\\Temp\\*.tmp"},
        {"C:\\Temp. \\logs..\\*.", "C:\\Temp\\logs\\*."},
        {"C:\\Temp\\name.txt.", "C:\\Temp\\name.txt."},
        {"C:\\*.*", "C:\\*.*"},
        {"\\\\server\\share\\..\\x\\*.*", "\\\\server\\share\\x\\*.*"},
        {"*.*", "*.*"},
        {"Temp\\*.*", "Temp\\*.*"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormaliseTypedPath(c.typed), c.tidied) << c.typed;
    }
}

} // namespace
} // namespace quill
