#pragma once

#include "platform/file_system.h"
#include "platform/memory/memory_file_system.h"

#include <memory>
#include <string>

// The file system a test runs against: the in-memory substitute natively,
// the real Win32 one (in a fresh temporary folder) when cross-built.

namespace quill::test {

class TestEnv {
public:
    virtual ~TestEnv() = default;

    virtual platform::FileSystem& Fs() = 0;
    // A fresh empty folder for this test, with trailing backslash.
    virtual const std::string& Root() const = 0;
    // The substitute, when the test runs on it; tests of injected failures
    // that only the substitute can stage skip otherwise.
    virtual platform::MemoryFileSystem* Memory() { return nullptr; }

    // Writes a file's bytes directly, creating folders on the way.
    void Put(const std::string& relative, const std::string& bytes);
    // A file's bytes, or "<missing>".
    std::string Get(const std::string& relative);
    // Creates a folder and its parents.
    void MakeFolder(const std::string& relative);
};

std::unique_ptr<TestEnv> MakeTestEnv();

} // namespace quill::test
