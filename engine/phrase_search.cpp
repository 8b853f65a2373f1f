#include "engine/phrase_search.h"

#include "engine/code_points.h"

#include <algorithm>
#include <cstring>

namespace quill {

PhraseSearch::PhraseSearch(std::string phrase, bool ignoreCase)
    : phrase_(std::move(phrase)), ignoreCase_(ignoreCase) {
    if (ignoreCase_) {
        for (char& c : phrase_) {
            c = AsciiUpper(c);
        }
    }
    const std::size_t keep = phrase_.empty() ? 0 : phrase_.size() - 1;
    buffer_.resize(keep + kBlockSize);
}

bool PhraseSearch::InBuffer(std::size_t length) const {
    const std::size_t n = phrase_.size();
    if (length < n) {
        return false;
    }
    const char* data = buffer_.data();
    for (std::size_t at = 0; at + n <= length; ++at) {
        std::size_t k = 0;
        if (ignoreCase_) {
            while (k < n && AsciiUpper(data[at + k]) == phrase_[k]) {
                ++k;
            }
        } else {
            while (k < n && data[at + k] == phrase_[k]) {
                ++k;
            }
        }
        if (k == n) {
            return true;
        }
    }
    return false;
}

bool PhraseSearch::FileContains(platform::FileSystem& fs, const std::string& path) {
    std::unique_ptr<platform::FileSystem::ReadStream> stream;
    if (!Succeeded(fs.OpenForReading(path, stream))) {
        return false;
    }
    if (phrase_.empty()) {
        return true;
    }
    const std::size_t keep = phrase_.size() - 1;
    std::size_t kept = 0;
    for (;;) {
        std::uint32_t got = 0;
        if (!Succeeded(stream->Read(buffer_.data() + kept, kBlockSize, got))) {
            return false;
        }
        if (got == 0) {
            return false;
        }
        const std::size_t length = kept + got;
        if (InBuffer(length)) {
            return true;
        }
        kept = std::min(keep, length);
        std::memmove(buffer_.data(), buffer_.data() + length - kept, kept);
    }
}

} // namespace quill
