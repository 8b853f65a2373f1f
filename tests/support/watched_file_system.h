#pragma once

#include "platform/file_system.h"

#include <string>

// A file system that passes every call on to another one, counts whole-file
// reads and replaces, and can refuse a replace whose new content holds a
// given text (as a disk refuses a file grown past its room).

namespace quill::test {

class WatchedFileSystem final : public platform::FileSystem {
public:
    explicit WatchedFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    int reads = 0;
    int replaces = 0;
    std::string refuseContentWith; // empty: refuse nothing
    bool stamps = false;           // tells files' stamps (so documents are kept)

    platform::IoResult Stamp(const std::string& path, platform::FileStamp& stamp) override {
        return stamps ? inner_.Stamp(path, stamp) : FileSystem::Stamp(path, stamp);
    }

    platform::IoResult ReadWholeFile(const std::string& path, std::string& bytes) override {
        ++reads;
        return inner_.ReadWholeFile(path, bytes);
    }
    platform::IoResult ReplaceFileContent(const std::string& path,
                                          const std::string& bytes) override {
        ++replaces;
        if (!refuseContentWith.empty() && bytes.find(refuseContentWith) != std::string::npos) {
            return platform::IoResult::DiskFull;
        }
        return inner_.ReplaceFileContent(path, bytes);
    }
    bool Exists(const std::string& path) override { return inner_.Exists(path); }
    std::uint32_t GetAttributes(const std::string& path) override {
        return inner_.GetAttributes(path);
    }
    platform::IoResult SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return inner_.SetAttributes(path, attributes);
    }
    platform::IoResult Delete(const std::string& path) override { return inner_.Delete(path); }
    platform::IoResult CreateFolder(const std::string& path) override {
        return inner_.CreateFolder(path);
    }
    platform::IoResult RemoveStaleTempFiles(const std::string& folder, int& removed) override {
        return inner_.RemoveStaleTempFiles(folder, removed);
    }
    platform::IoResult IdentifyFolder(const std::string& path, platform::FolderId& id) override {
        return inner_.IdentifyFolder(path, id);
    }
    platform::IoResult OpenFolderAt(const std::string& path,
                                    std::unique_ptr<OpenFolder>& folder) override {
        return inner_.OpenFolderAt(path, folder);
    }
    platform::IoResult ListFolder(const std::string& folder, const Visitor& visit) override {
        return inner_.ListFolder(folder, visit);
    }
    platform::IoResult OpenForAppend(const std::string& path,
                                     std::unique_ptr<AppendStream>& stream) override {
        return inner_.OpenForAppend(path, stream);
    }
    platform::IoResult OpenExclusive(const std::string& path,
                                     std::unique_ptr<ExclusiveFile>& file) override {
        return inner_.OpenExclusive(path, file);
    }
    platform::IoResult OpenForReading(const std::string& path,
                                      std::unique_ptr<ReadStream>& stream) override {
        return inner_.OpenForReading(path, stream);
    }

private:
    platform::FileSystem& inner_;
};

} // namespace quill::test
