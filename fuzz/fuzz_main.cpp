// One libFuzzer program per target; QUILL_FUZZ_TARGET names its entry.

#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return quill::fuzz::QUILL_FUZZ_TARGET(data, size);
}
