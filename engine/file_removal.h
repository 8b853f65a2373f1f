#pragma once

#include "engine/checked_list.h"
#include "engine/removal_counts.h"
#include "engine/run_seam.h"
#include "log/wash_log.h"
#include "platform/file_system.h"

#include <cstdint>
#include <string>
#include <vector>

// Removal of the ticked files of a preview list, quickly (a plain delete) or
// securely (overwritten once, flushed, then deleted).

namespace quill {

// What a removal works with.
struct RemovalContext {
    platform::FileSystem& fs;
    RunSeam& seam;
    WashLog* log = nullptr; // null when the wash is not logged
    const std::vector<std::string>& specialFiles;
};

// Size of one block of the secure overwrite, and its byte.
inline constexpr std::uint32_t kOverwriteBlock = 102400;
inline constexpr char kOverwriteByte = 0x41;

// Removes the ticked entries of list, one after the other, stepping the
// progress bar and honouring the main Cancel button. An error raised while
// removing (a log row that cannot be written) ends the loop; the counts
// reached so far are kept.
void RemoveTickedFiles(const CheckedList& list, bool quick, RemovalCounts& counts,
                       const RemovalContext& context);

// Removes one file; true when it was deleted.
bool RemoveFile(platform::FileSystem& fs, const std::string& path, bool quick);

// Overwrites the file once with whole blocks, flushes it and deletes it. A
// link is removed as a link and a file with other names only loses this one,
// both without being overwritten. True when the file was deleted.
bool SecureDelete(platform::FileSystem& fs, const std::string& path);

} // namespace quill
