#include "support/test_env.h"

namespace quill::test {

namespace {

class MemoryTestEnv final : public TestEnv {
public:
    MemoryTestEnv() { fs_.AddFolder("C:\\test"); }
    platform::FileSystem& Fs() override { return fs_; }
    const std::string& Root() const override { return root_; }
    platform::MemoryFileSystem* Memory() override { return &fs_; }

private:
    platform::MemoryFileSystem fs_;
    std::string root_ = "C:\\test\\";
};

} // namespace

std::unique_ptr<TestEnv> MakeTestEnv() {
    return std::make_unique<MemoryTestEnv>();
}

} // namespace quill::test
