#pragma once

#include "platform/io_result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quill {
class IniCache;
}

// The file-system service. Paths are UTF-8 Windows paths ("C:\dir\file.txt");
// names compare without regard to case.

namespace quill::platform {

// File attribute bits, with the values Windows gives them.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;
inline constexpr std::uint32_t Temporary = 0x100;
inline constexpr std::uint32_t ReparsePoint = 0x400;
inline constexpr std::uint32_t Compressed = 0x800;
inline constexpr std::uint32_t Invalid = 0xFFFFFFFF;
} // namespace attr

// A file time: 100-nanosecond intervals since 1 January 1601, UTC.
using FileTime = std::uint64_t;

// Names of the temporary files of a replace: prefix, something unique, suffix.
inline constexpr std::string_view kTempPrefix = "~quill-";
inline constexpr std::string_view kTempSuffix = ".tmp";

// Which folder a folder is, whatever path leads to it: its volume and its
// number there. Equal identities are the same folder.
struct FolderId {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    friend bool operator==(const FolderId&, const FolderId&) = default;
};

// What tells one state of a file from another: its size and times. A file
// written again, in place or by a replace, gets another stamp, unless it
// keeps its size and is written twice within one tick of the clock that
// times it (a few milliseconds at most).
struct FileStamp {
    std::uint64_t size = 0;
    FileTime creation = 0;
    FileTime lastWrite = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct FileEntry {
    std::string name; // long name, without folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    FileTime creationTime = 0;
    FileTime lastAccessTime = 0;
    FileTime lastWriteTime = 0;

    bool IsDirectory() const { return (attributes & attr::Directory) != 0; }
};

class FileSystem {
public:
    FileSystem();
    virtual ~FileSystem();
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

    // The INI documents parsed from this file system's files, kept between
    // commands (see IniFile).
    IniCache& ParsedIniFiles() { return *iniCache_; }

    // The stamp of the file at path. A file system that cannot tell fails
    // (and nothing read from it is kept).
    [[nodiscard]] virtual IoResult Stamp(const std::string& path, FileStamp& stamp);

    // Reads the whole file into bytes. On failure bytes is left empty.
    [[nodiscard]] virtual IoResult ReadWholeFile(const std::string& path, std::string& bytes) = 0;

    // Replaces the file's content with bytes, creating the file when missing.
    // The new content is written in full to a temporary file of the same
    // folder (named kTempPrefix...kTempSuffix), flushed, then renamed over the
    // old file in one step, so a reader or a crash at any moment finds the
    // old file or the new one, whole. On failure the old file stays as it
    // was, byte for byte; on success an existing file keeps its attributes.
    // A read-only file is refused with AccessDenied.
    [[nodiscard]] virtual IoResult ReplaceFileContent(const std::string& path,
                                                      const std::string& bytes) = 0;

    // True when a file or folder of that path exists.
    [[nodiscard]] virtual bool Exists(const std::string& path) = 0;

    // Attributes of the file or folder, or attr::Invalid when it does not exist.
    [[nodiscard]] virtual std::uint32_t GetAttributes(const std::string& path) = 0;
    [[nodiscard]] virtual IoResult SetAttributes(const std::string& path,
                                                 std::uint32_t attributes) = 0;

    // Deletes one file (never a folder).
    [[nodiscard]] virtual IoResult Delete(const std::string& path) = 0;

    // Creates one folder; its parent must exist.
    [[nodiscard]] virtual IoResult CreateFolder(const std::string& path) = 0;

    // Deletes the temporary files a replace left in folder when the process
    // ended in the middle of it; counts them in removed. Only for a folder no
    // running replace is using (at start-up, with one instance running).
    [[nodiscard]] virtual IoResult RemoveStaleTempFiles(const std::string& folder,
                                                        int& removed) = 0;

    // Calls visit for every entry of the folder except "." and "..", in the
    // order the file system keeps them, until visit returns false.
    using Visitor = std::function<bool(const FileEntry&)>;
    [[nodiscard]] virtual IoResult ListFolder(const std::string& folder, const Visitor& visit) = 0;

    // --- Appending and exclusive writing ---

    // A file open for appending at its end. Closed when destroyed.
    class AppendStream {
    public:
        virtual ~AppendStream() = default;
        // True when opening created the file.
        [[nodiscard]] virtual bool Created() const = 0;
        [[nodiscard]] virtual IoResult Write(std::string_view bytes) = 0;
        [[nodiscard]] virtual IoResult Close() = 0;
    };

    // What an open file tells about itself.
    struct OpenFileFacts {
        std::uint64_t size = 0;
        bool reparsePoint = false;   // a symbolic link or junction, opened as such
        std::uint32_t linkCount = 1; // names (hard links) the file has
    };

    // An existing file open for writing, shared with nobody; a link is opened
    // as the link, not as its target. Closed when destroyed.
    class ExclusiveFile {
    public:
        virtual ~ExclusiveFile() = default;
        [[nodiscard]] virtual IoResult Facts(OpenFileFacts& facts) = 0;
        // Writes count bytes at position; written tells how many went out.
        [[nodiscard]] virtual IoResult WriteAt(std::uint64_t position, const char* data,
                                               std::uint32_t count, std::uint32_t& written) = 0;
        [[nodiscard]] virtual IoResult Flush() = 0;
        // Removes this name of the file (a link as the link); the file is gone
        // at the latest once the handle is closed.
        [[nodiscard]] virtual IoResult DeleteByHandle() = 0;
        [[nodiscard]] virtual IoResult Close() = 0;
    };

    // Opens a file for appending, creating it when missing.
    [[nodiscard]] virtual IoResult OpenForAppend(const std::string& path,
                                                 std::unique_ptr<AppendStream>& stream) = 0;
    // Opens an existing file for writing without sharing. A file held open by
    // anyone, read-only or a folder is refused.
    [[nodiscard]] virtual IoResult OpenExclusive(const std::string& path,
                                                 std::unique_ptr<ExclusiveFile>& file) = 0;

    // --- Working inside one folder ---

    // A folder held open. Its entries are opened through the handle, one name
    // at a time and never through a link: whatever becomes of the path that
    // led here (a folder on it renamed, replaced by a link), they stay this
    // folder's own. Closed when destroyed.
    class OpenFolder {
    public:
        virtual ~OpenFolder() = default;
        [[nodiscard]] virtual FolderId Identity() const = 0;
        // Attributes of the entry name, or attr::Invalid when there is none;
        // a link is told as the link.
        [[nodiscard]] virtual std::uint32_t GetAttributes(const std::string& name) = 0;
        [[nodiscard]] virtual IoResult SetAttributes(const std::string& name,
                                                     std::uint32_t attributes) = 0;
        // Deletes the file name (a link as the link, never a folder). A
        // read-only file is refused with AccessDenied.
        [[nodiscard]] virtual IoResult Delete(const std::string& name) = 0;
        // As FileSystem::OpenExclusive, for the entry name of this folder.
        [[nodiscard]] virtual IoResult OpenExclusive(const std::string& name,
                                                     std::unique_ptr<ExclusiveFile>& file) = 0;
        // Removes the subfolder name when it holds nothing. Refused with
        // AccessDenied for a link (never removed, never followed), a file or
        // a folder that still holds anything; NotFound when there is none.
        [[nodiscard]] virtual IoResult RemoveEmptyFolder(const std::string& name) = 0;
    };

    // Identity of the folder at path; links on the path are followed, as in
    // any use of a path.
    [[nodiscard]] virtual IoResult IdentifyFolder(const std::string& path, FolderId& id) = 0;
    // Opens the folder at path (links on the path followed) and holds it.
    [[nodiscard]] virtual IoResult OpenFolderAt(const std::string& path,
                                                std::unique_ptr<OpenFolder>& folder) = 0;

    // --- Reading in blocks ---

    // A file open for reading from its start. Closed when destroyed.
    class ReadStream {
    public:
        virtual ~ReadStream() = default;
        // Reads up to capacity bytes from where the last read ended; got is 0
        // at the end of the file.
        [[nodiscard]] virtual IoResult Read(char* buffer, std::uint32_t capacity,
                                            std::uint32_t& got) = 0;
    };

    // Opens an existing file for reading, sharing it with readers, writers
    // and deleters. A folder is refused.
    [[nodiscard]] virtual IoResult OpenForReading(const std::string& path,
                                                  std::unique_ptr<ReadStream>& stream) = 0;

private:
    std::unique_ptr<IniCache> iniCache_;
};

} // namespace quill::platform
