#pragma once

#include "platform/file_system.h"

// The file-system service on the Win32 wide-character APIs.

namespace quill::platform {

class Win32FileSystem final : public FileSystem {
public:
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

    // --- Appending and exclusive writing ---
    IoResult OpenForAppend(const std::string& path, std::unique_ptr<AppendStream>& stream) override;
    IoResult OpenExclusive(const std::string& path, std::unique_ptr<ExclusiveFile>& file) override;

    // --- Working inside one folder ---
    IoResult IdentifyFolder(const std::string& path, FolderId& id) override;
    IoResult OpenFolderAt(const std::string& path, std::unique_ptr<OpenFolder>& folder) override;

    // --- Reading in blocks ---
    IoResult OpenForReading(const std::string& path, std::unique_ptr<ReadStream>& stream) override;
};

} // namespace quill::platform
