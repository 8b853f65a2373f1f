#pragma once

#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "platform/registry.h"
#include "platform/system_info.h"

#include <memory>
#include <string>

// The registry and system facts a test runs against: the in-memory
// substitutes natively, the real Win32 services when cross-built (the
// registry then inside a fresh scratch key of the current user, removed
// afterwards).

namespace quill::test {

class RegistryEnv {
public:
    virtual ~RegistryEnv() = default;

    virtual platform::Registry& Registry() = 0;
    // The fresh empty key for this test: under Root(), at Base() (no
    // leading or trailing backslash). It exists when the test starts.
    virtual platform::RootKey Root() const { return platform::RootKey::CurrentUser; }
    virtual const std::string& Base() const = 0;
    // The substitute, when the test runs on it; tests of injected failures
    // skip otherwise.
    virtual platform::MemoryRegistry* Memory() { return nullptr; }
    // False under Wine, whose registry lists subkeys in lower-case order
    // ("a_b" before "AB") and values alphabetically rather than in creation
    // order, unlike Windows.
    virtual bool EnumeratesLikeWindows() const { return true; }
};

std::unique_ptr<RegistryEnv> MakeRegistryEnv();

// The system facts of the machine the test runs on, or null natively.
std::unique_ptr<platform::SystemInfo> MakeRealSystemInfo();

} // namespace quill::test
