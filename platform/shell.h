#pragma once

#include "platform/io_result.h"

#include <string>

// Shell services: the recycle bin, the browser's URL history, opening
// documents with their associated program.

namespace quill::platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Empties the recycle bin of every drive without asking, showing progress
    // or playing a sound.
    [[nodiscard]] virtual bool EmptyRecycleBin() = 0;
    // Clears the browser's URL history store.
    [[nodiscard]] virtual bool ClearUrlHistory() = 0;
    // Opens a document or program with the shell's "open" verb.
    [[nodiscard]] virtual bool Open(const std::string& target, const std::string& parameters) = 0;
};

} // namespace quill::platform
