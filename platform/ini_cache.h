#pragma once

#include "platform/file_system.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>

// Parsed INI files kept between commands. A command takes the document of a
// file out of the cache only when the file's stamp is still the one it was
// parsed at, so whatever another program wrote meanwhile is read afresh. A
// document is held by one command at a time: taken out, then put back once
// the command ends without changing it. The least recently used documents
// are dropped beyond a few files or a few megabytes of text.

namespace quill {

class IniDocument;

class IniCache {
public:
    IniCache();
    ~IniCache();
    IniCache(const IniCache&) = delete;
    IniCache& operator=(const IniCache&) = delete;

    // The document parsed from the file at path when it had that stamp, and
    // the size of its text; or null. A document of another stamp is dropped.
    std::unique_ptr<IniDocument> Take(const std::string& path, const platform::FileStamp& stamp,
                                      std::size_t& textBytes);

    // Keeps the document of the file at path as of stamp; textBytes is the
    // size of the text it was parsed from.
    void Put(const std::string& path, const platform::FileStamp& stamp,
             std::unique_ptr<IniDocument> document, std::size_t textBytes);

    // Drops what is kept of the file at path.
    void Forget(const std::string& path);

    // Most files and most text kept at once.
    static constexpr std::size_t kMaxFiles = 32;
    static constexpr std::size_t kMaxTextBytes = 32u << 20;

private:
    struct Entry;
    std::list<Entry>::iterator Find(const std::string& folded);

    std::mutex mutex_;
    std::list<Entry> entries_; // most recently used first
    std::size_t textBytes_ = 0;
};

} // namespace quill
