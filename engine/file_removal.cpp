#include "engine/file_removal.h"

#include "engine/builtin_stores.h"
#include "platform/text.h"

#include <cstring>
#include <exception>

namespace quill {

using platform::FileSystem;
using platform::IoResult;

namespace {

const std::string& OverwriteBuffer() {
    static const std::string buffer(kOverwriteBlock, kOverwriteByte);
    return buffer;
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

// Overwrites and deletes the entry name of folder through one handle.
bool SecureDeleteIn(FileSystem::OpenFolder& folder, const std::string& name) {
    std::unique_ptr<FileSystem::ExclusiveFile> file;
    if (!Succeeded(folder.OpenExclusive(name, file))) {
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

// True when the entry is no file to remove: missing, or a folder.
bool NoFile(std::uint32_t attributes) {
    return attributes == platform::attr::Invalid || (attributes & platform::attr::Directory) != 0;
}

// Removes the entry name of folder, looking again only when the first
// attempt fails: a plain delete is the one call the common case needs.
RemovalOutcome RemoveIn(FileSystem::OpenFolder& folder, const std::string& name, bool quick) {
    if (!quick) {
        if (SecureDeleteIn(folder, name)) {
            return RemovalOutcome::Removed;
        }
        return NoFile(folder.GetAttributes(name)) ? RemovalOutcome::Gone : RemovalOutcome::Locked;
    }
    const IoResult r = folder.Delete(name);
    if (Succeeded(r)) {
        return RemovalOutcome::Removed;
    }
    if (r == IoResult::NotFound) {
        return RemovalOutcome::Gone;
    }
    const std::uint32_t a = folder.GetAttributes(name);
    if (NoFile(a)) {
        return RemovalOutcome::Gone;
    }
    // Writing attributes costs dearly on some systems: only when needed.
    if ((a & platform::attr::ReadOnly) &&
        Succeeded(folder.SetAttributes(name, a & ~platform::attr::ReadOnly)) &&
        Succeeded(folder.Delete(name))) {
        return RemovalOutcome::Removed;
    }
    return RemovalOutcome::Locked;
}

} // namespace

bool NameWindowsRefuses(const std::string& name) {
    if (name.empty()) {
        return true;
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"|?*/\\", c) != nullptr) {
            return true;
        }
    }
    return false;
}

const char* RemovalNote(RemovalOutcome outcome) {
    switch (outcome) {
    case RemovalOutcome::Locked:
        return "File Locked";
    case RemovalOutcome::FolderChanged:
        return "Folder Changed";
    case RemovalOutcome::InvalidName:
        return "Invalid Name";
    case RemovalOutcome::Removed:
    case RemovalOutcome::Gone:
        break;
    }
    return "";
}

RemovalOutcome TargetRemover::Remove(const std::string& path, bool quick) {
    const std::string folderPath = CollectedFolders::FolderOf(path);
    const std::string name = CollectedFolders::NameOf(path);
    if (folderPath.empty() || NameWindowsRefuses(name)) {
        return RemovalOutcome::InvalidName;
    }
    if (!folder_ || folderKey_ != text::FoldCaseCopy(folderPath)) {
        folder_.reset();
        folderKey_.clear();
        std::unique_ptr<FileSystem::OpenFolder> opened;
        const IoResult r = fs_.OpenFolderAt(folderPath, opened);
        if (r == IoResult::NotFound || r == IoResult::PathNotFound) {
            return RemovalOutcome::Gone; // the folder went, and its files with it
        }
        if (!Succeeded(r)) {
            return RemovalOutcome::Locked;
        }
        folder_ = std::move(opened);
        folderKey_ = text::FoldCaseCopy(folderPath);
        // The folder must be the one the targets were collected from: a
        // folder on the way swapped for a link leads elsewhere.
        const platform::FolderId* recorded = collected_ ? collected_->Find(folderPath) : nullptr;
        folderChanged_ = recorded && *recorded != folder_->Identity();
    }
    if (folderChanged_) {
        return RemovalOutcome::FolderChanged;
    }
    return RemoveIn(*folder_, name, quick);
}

bool SecureDelete(FileSystem& fs, const std::string& path) {
    TargetRemover remover(fs, nullptr);
    return remover.Remove(path, false) == RemovalOutcome::Removed;
}

bool RemoveFile(FileSystem& fs, const std::string& path, bool quick) {
    TargetRemover remover(fs, nullptr);
    return remover.Remove(path, quick) == RemovalOutcome::Removed;
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
        TargetRemover remover(context.fs, &seam.Collected());
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
            const RemovalOutcome outcome = remover.Remove(line.Text, quick);
            if (outcome == RemovalOutcome::Gone) {
                continue; // vanished meanwhile, or a folder: nothing counted
            }
            if (outcome == RemovalOutcome::Removed) {
                ++counts.removed;
                if (context.log) {
                    context.log->AppendLogRow(LogKind::FolderFile, quick, true, "", line.Text);
                }
            } else if (outcome == RemovalOutcome::Locked &&
                       IsSpecialFile(context.specialFiles, line.Text)) {
                ++counts.removed;
                if (context.log) {
                    context.log->AppendLogRow(LogKind::FolderFile, quick, true, "Specific File",
                                              line.Text);
                }
            } else {
                ++counts.failed;
                if (context.log) {
                    context.log->AppendLogRow(LogKind::FolderFile, quick, false,
                                              RemovalNote(outcome), line.Text);
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
