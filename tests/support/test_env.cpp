#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill::test {

void TestEnv::MakeFolder(const std::string& relative) {
    std::string path = Root();
    for (std::size_t i = 0; i <= relative.size(); ++i) {
        if (i == relative.size() || relative[i] == '\\') {
            if (!Fs().Exists(path + relative.substr(0, i))) {
                ASSERT_TRUE(Succeeded(Fs().CreateFolder(path + relative.substr(0, i))));
            }
        }
    }
}

void TestEnv::Put(const std::string& relative, const std::string& bytes) {
    const auto slash = relative.rfind('\\');
    if (slash != std::string::npos) {
        MakeFolder(relative.substr(0, slash));
    }
    ASSERT_TRUE(Succeeded(Fs().ReplaceFileContent(Root() + relative, bytes)));
}

std::string TestEnv::Get(const std::string& relative) {
    std::string bytes;
    if (!Succeeded(Fs().ReadWholeFile(Root() + relative, bytes))) {
        return "<missing>";
    }
    return bytes;
}

} // namespace quill::test
