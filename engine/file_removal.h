#pragma once

#include "engine/checked_list.h"
#include "engine/collected_folders.h"
#include "engine/removal_counts.h"
#include "engine/run_seam.h"
#include "log/wash_log.h"
#include "platform/file_system.h"

#include <cstdint>
#include <memory>
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
// progress bar and honouring the main Cancel button. Every target is checked
// against the folders the run's collection recorded (seam.Collected()): one
// whose folder is no longer that folder fails with the note "Folder Changed",
// one whose name Windows cannot hold with "Invalid Name"; nothing else is
// touched for them. An error raised while removing (a log row that cannot be
// written) ends the loop; the counts reached so far are kept.
void RemoveTickedFiles(const CheckedList& list, bool quick, RemovalCounts& counts,
                       const RemovalContext& context);

// What became of one target.
enum class RemovalOutcome {
    Removed,
    Gone,          // no file there any more (or a folder): not counted
    Locked,        // could not be deleted: "File Locked"
    FolderChanged, // its folder is no longer the one it was found in
    InvalidName,   // a name Windows cannot hold: never touched
};

// The log note of a failed outcome.
const char* RemovalNote(RemovalOutcome outcome);

// True for a name Windows cannot hold (one of <>:"|?* or a control
// character); other file systems can list such names.
bool NameWindowsRefuses(const std::string& name);

// Removes targets one after the other. Each target's folder is opened and
// held; the file is then opened by its name inside that folder, never
// through a link, and deleted (and overwritten) through that handle only. A
// folder recorded at collection must still be the same folder. Consecutive
// targets of one folder share its handle.
class TargetRemover {
public:
    // collected may be null: targets are then taken as given.
    TargetRemover(platform::FileSystem& fs, const CollectedFolders* collected)
        : fs_(fs), collected_(collected) {}
    RemovalOutcome Remove(const std::string& path, bool quick);

private:
    platform::FileSystem& fs_;
    const CollectedFolders* collected_;
    std::unique_ptr<platform::FileSystem::OpenFolder> folder_;
    std::string folderKey_;
    bool folderChanged_ = false;
};

// Removes one file; true when it was deleted.
bool RemoveFile(platform::FileSystem& fs, const std::string& path, bool quick);

// Overwrites the file once with whole blocks, flushes it and deletes it. A
// link is removed as a link and a file with other names only loses this one,
// both without being overwritten. True when the file was deleted.
bool SecureDelete(platform::FileSystem& fs, const std::string& path);

} // namespace quill
