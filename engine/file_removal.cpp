#include "engine/file_removal.h"

#include "engine/builtin_stores.h"

#include <exception>

namespace quill {

using platform::FileSystem;
using platform::IoResult;

namespace {

const std::string& OverwriteBuffer() {
    static const std::string buffer(kOverwriteBlock, kOverwriteByte);
    return buffer;
}

bool IsFile(FileSystem& fs, const std::string& path) {
    const std::uint32_t a = fs.GetAttributes(path);
    return a != platform::attr::Invalid && (a & platform::attr::Directory) == 0;
}

// Writes whole blocks from the start until the old size is covered. False
// when a write fails or makes no progress (a full disk).
bool Overwrite(FileSystem::ExclusiveFile& file, std::uint64_t size) {
    const std::string& buffer = OverwriteBuffer();
    std::uint64_t position = 0;
    while (position < size) {
        std::uint32_t written = 0;
        const IoResult r = file.WriteAt(position, buffer.data(), kOverwriteBlock, written);
        if (!Succeeded(r) || written == 0) {
            return false;
        }
        position += written;
    }
    return true;
}

} // namespace

bool SecureDelete(FileSystem& fs, const std::string& path) {
    std::unique_ptr<FileSystem::ExclusiveFile> file;
    if (!Succeeded(fs.OpenExclusive(path, file))) {
        return false;
    }
    FileSystem::OpenFileFacts facts;
    if (!Succeeded(file->Facts(facts))) {
        return false;
    }
    // Writing through a link would wipe its target, and writing a file with
    // other names would wipe what those names still show.
    const bool ownContent = !facts.reparsePoint && facts.linkCount <= 1;
    if (ownContent) {
        if (!Overwrite(*file, facts.size) || !Succeeded(file->Flush())) {
            return false;
        }
    }
    const bool deleted = Succeeded(file->DeleteByHandle());
    const bool closed = Succeeded(file->Close());
    return deleted && closed;
}

namespace {

enum class Outcome { Removed, Failed, Gone };

// Removes one file, looking at the disk again only when the first attempt
// fails: a plain delete is the one call the common case needs.
Outcome TryRemove(FileSystem& fs, const std::string& path, bool quick) {
    if (!quick) {
        if (SecureDelete(fs, path)) {
            return Outcome::Removed;
        }
        return IsFile(fs, path) ? Outcome::Failed : Outcome::Gone;
    }
    const IoResult r = fs.Delete(path);
    if (Succeeded(r)) {
        return Outcome::Removed;
    }
    if (r == IoResult::NotFound || r == IoResult::PathNotFound) {
        return Outcome::Gone;
    }
    const std::uint32_t a = fs.GetAttributes(path);
    if (a == platform::attr::Invalid || (a & platform::attr::Directory)) {
        return Outcome::Gone;
    }
    // Writing attributes costs dearly on some systems: only when needed.
    if ((a & platform::attr::ReadOnly) &&
        Succeeded(fs.SetAttributes(path, a & ~platform::attr::ReadOnly)) &&
        Succeeded(fs.Delete(path))) {
        return Outcome::Removed;
    }
    return Outcome::Failed;
}

} // namespace

bool RemoveFile(FileSystem& fs, const std::string& path, bool quick) {
    return TryRemove(fs, path, quick) == Outcome::Removed;
}

void RemoveTickedFiles(const CheckedList& list, bool quick, RemovalCounts& counts,
                       const RemovalContext& context) {
    counts = {};
    RunSeam& seam = context.seam;
    std::int32_t ticked = 0;
    for (const CheckedLine& line : list) {
        ticked += line.Checked ? 1 : 0;
    }
    if (ticked > 0) {
        seam.SetProgressMax(ticked);
        seam.SetStatusMode(StatusMode::Progress);
        seam.ShowMainCancel(true);
        seam.Repaint();
        seam.ProcessMessages();
    }
    try {
        for (const CheckedLine& line : list) {
            seam.ProcessMessages();
            if (seam.StopRequested()) {
                seam.ShowMainCancel(false);
                seam.SetStopRequested(false);
                break;
            }
            if (!line.Checked) {
                continue;
            }
            const Outcome outcome = TryRemove(context.fs, line.Text, quick);
            if (outcome == Outcome::Gone) {
                continue; // vanished meanwhile, or a folder: nothing counted
            }
            if (outcome == Outcome::Removed) {
                ++counts.removed;
                if (context.log) {
                    context.log->AppendLogRow(LogKind::FolderFile, quick, true, "", line.Text);
                }
            } else if (IsSpecialFile(context.specialFiles, line.Text)) {
                ++counts.removed;
                if (context.log) {
                    context.log->AppendLogRow(LogKind::FolderFile, quick, true, "Specific File",
                                              line.Text);
                }
            } else {
                ++counts.failed;
                if (context.log) {
                    context.log->AppendLogRow(LogKind::FolderFile, quick, false, "File Locked",
                                              line.Text);
                }
            }
            if (ticked > 0) {
                seam.StepProgress();
            }
        }
    } catch (const std::exception&) {
        // Ends the removal; the counts so far stand.
    }
    seam.SetStopRequested(false);
    seam.ShowMainCancel(false);
}

} // namespace quill
