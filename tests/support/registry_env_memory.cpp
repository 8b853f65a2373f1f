#include "support/registry_env.h"

namespace quill::test {

namespace {

class MemoryRegistryEnv final : public RegistryEnv {
public:
    MemoryRegistryEnv() { registry_.AddKey(Root(), base_); }
    platform::Registry& Registry() override { return registry_; }
    const std::string& Base() const override { return base_; }
    platform::MemoryRegistry* Memory() override { return &registry_; }

private:
    platform::MemoryRegistry registry_;
    std::string base_ = "Software\\QuillmereTest\\scratch";
};

} // namespace

std::unique_ptr<RegistryEnv> MakeRegistryEnv() {
    return std::make_unique<MemoryRegistryEnv>();
}

std::unique_ptr<platform::SystemInfo> MakeRealSystemInfo() {
    return nullptr;
}

} // namespace quill::test
