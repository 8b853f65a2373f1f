#pragma once

#include "platform/file_system.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// An in-memory file system for tests: a tree of drives, folders and files
// with attributes, sizes and times, and failures a test can inject.

namespace quill::platform {

class MemoryFileSystem final : public FileSystem {
public:
    // Starts with one empty drive C:.
    MemoryFileSystem();
    ~MemoryFileSystem() override;

    // --- Arranging the tree (parents are created as needed) ---
    void AddDrive(const std::string& letterColon);
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& content,
                 std::uint32_t attributes = attr::Archive);
    void SetTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                  FileTime lastWrite);
    // Time stamped on files and folders created from now on.
    void SetNow(FileTime now) { now_ = now; }

    // --- Injected failures ---
    // Every access to the entry is refused.
    void SetAccessDenied(const std::string& path, bool denied);
    // The entry is held open, without sharing, by another process.
    void SetHeldOpen(const std::string& path, bool held);
    // Bytes left on the disk; writes needing more fail with DiskFull.
    void SetFreeSpace(std::optional<std::uint64_t> bytes) { freeSpace_ = bytes; }

    // --- Inspecting ---
    // Content of a file, or nullopt when there is no such file.
    std::optional<std::string> Content(const std::string& path) const;

    // --- FileSystem ---
    IoResult ReadWholeFile(const std::string& path, std::string& bytes) override;
    IoResult Stamp(const std::string& path, FileStamp& stamp) override;
    IoResult ReplaceFileContent(const std::string& path, const std::string& bytes) override;
    bool Exists(const std::string& path) override;
    std::uint32_t GetAttributes(const std::string& path) override;
    IoResult SetAttributes(const std::string& path, std::uint32_t attributes) override;
    IoResult Delete(const std::string& path) override;
    IoResult CreateFolder(const std::string& path) override;
    IoResult RemoveStaleTempFiles(const std::string& folder, int& removed) override;
    IoResult ListFolder(const std::string& folder, const Visitor& visit) override;

private:
    struct Node;
    struct Lookup;

    Lookup Find(const std::string& path) const;
    // The folder a folder node stands for: itself, or what its link names.
    Node* Resolve(Node* node) const;
    Node& MakePath(const std::string& path, bool lastIsFolder);
    IoResult CheckUsable(const Node& node) const;

    std::map<std::string, std::unique_ptr<Node>> drives_; // keyed by folded "C:"
    std::optional<std::uint64_t> freeSpace_;
    FileTime now_ = 133000000000000000ull; // a day in 2022
    std::uint64_t lastId_ = 0;
    std::uint64_t lastVersion_ = 0;

public:
    // --- Links, large files and the write history ---
    // A symbolic link at path pointing at target; the link has no content of
    // its own, and writing through an open link would change the target.
    void AddSymlink(const std::string& path, const std::string& target);
    // Marks a folder or file as a reparse point (a junction, mount point or
    // link); a folder keeps its entries, as the target of a junction would.
    void SetReparsePoint(const std::string& path, bool reparse);
    // Number of names the file has (hard links); 1 by default.
    void SetLinkCount(const std::string& path, std::uint32_t count);
    // Gives the file a size without storing its bytes (for files of
    // gigabytes); writes then only move the size.
    void SetSyntheticSize(const std::string& path, std::uint64_t size);
    // What happened to a file through exclusive handles, one line per event:
    // "write POS COUNT 0xBB" (the byte, when all bytes written were the same,
    // else "mixed"), "flush", "delete SIZE". Kept after the file is deleted.
    std::vector<std::string> History(const std::string& path) const;

    IoResult OpenForAppend(const std::string& path, std::unique_ptr<AppendStream>& stream) override;
    IoResult OpenExclusive(const std::string& path, std::unique_ptr<ExclusiveFile>& file) override;
    IoResult OpenForReading(const std::string& path, std::unique_ptr<ReadStream>& stream) override;

    // --- Folder links and folder identity ---
    // Puts a link to the folder target at path, in place of whatever was
    // there (a folder swapped for a link). Paths through it lead to target,
    // as a junction or a directory symbolic link does; listed, it is a folder
    // that reparses.
    void AddFolderLink(const std::string& path, const std::string& target);
    IoResult IdentifyFolder(const std::string& path, FolderId& id) override;
    IoResult OpenFolderAt(const std::string& path, std::unique_ptr<OpenFolder>& folder) override;

private:
    class MemoryAppendStream;
    class MemoryOpenFolder;
    friend class MemoryOpenFolder;
    class MemoryExclusiveFile;
    class MemoryReadStream;
    friend class MemoryReadStream;
    friend class MemoryAppendStream;
    friend class MemoryExclusiveFile;

    void Record(const std::string& path, std::string event);
    std::uint64_t SizeOf(const Node& node) const;

    std::map<std::string, std::vector<std::string>> history_; // keyed by folded path
};

} // namespace quill::platform
