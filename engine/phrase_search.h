#pragma once

#include "platform/file_system.h"

#include <string>
#include <vector>

// Looks for a phrase in a file's content, reading it in blocks of 4096
// bytes. The last bytes of each block are kept in front of the next, so a
// phrase that spans two blocks is found too.

namespace quill {

class PhraseSearch {
public:
    static constexpr std::uint32_t kBlockSize = 4096;

    // With ignoreCase, ASCII letters compare without regard to case.
    PhraseSearch(std::string phrase, bool ignoreCase);

    // True when the file holds the phrase; a file that cannot be opened or
    // read does not. An empty phrase is in every readable file.
    [[nodiscard]] bool FileContains(platform::FileSystem& fs, const std::string& path);

private:
    [[nodiscard]] bool InBuffer(std::size_t length) const;

    std::string phrase_;
    bool ignoreCase_;
    std::vector<char> buffer_; // the kept tail plus one block
};

} // namespace quill
