// Every seed of the fuzz corpus goes through its target once: what the
// fuzzer starts from must run clean under the sanitizers of the native build.

#include "fuzz/fuzz_targets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quill::fuzz {
namespace {

TEST(FuzzCorpus, EverySeedRunsThroughItsTarget) {
    const std::filesystem::path corpus = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz/corpus";
    for (const Target& target : kTargets) {
        SCOPED_TRACE(target.name);
        int seeds = 0;
        for (const auto& file : std::filesystem::directory_iterator(corpus / target.name)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            EXPECT_EQ(
                target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0)
                << file.path();
            ++seeds;
        }
        EXPECT_GE(seeds, 2);
        // The empty input too.
        EXPECT_EQ(target.entry(nullptr, 0), 0);
    }
}

} // namespace
} // namespace quill::fuzz
