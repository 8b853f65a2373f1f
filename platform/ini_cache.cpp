#include "platform/ini_cache.h"

#include "platform/ini_document.h"
#include "platform/text.h"

namespace quill {

struct IniCache::Entry {
    std::string folded;
    platform::FileStamp stamp;
    std::unique_ptr<IniDocument> document;
    std::size_t textBytes = 0;
};

IniCache::IniCache() = default;
IniCache::~IniCache() = default;

std::list<IniCache::Entry>::iterator IniCache::Find(const std::string& folded) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->folded == folded) {
            return it;
        }
    }
    return entries_.end();
}

std::unique_ptr<IniDocument>
IniCache::Take(const std::string& path, const platform::FileStamp& stamp, std::size_t& textBytes) {
    textBytes = 0;
    const std::string folded = text::FoldCaseCopy(path);
    const std::lock_guard lock(mutex_);
    const auto it = Find(folded);
    if (it == entries_.end()) {
        return nullptr;
    }
    std::unique_ptr<IniDocument> document;
    if (it->stamp == stamp) {
        document = std::move(it->document);
        textBytes = it->textBytes;
    }
    textBytes_ -= it->textBytes;
    entries_.erase(it);
    return document;
}

void IniCache::Put(const std::string& path, const platform::FileStamp& stamp,
                   std::unique_ptr<IniDocument> document, std::size_t textBytes) {
    if (!document || textBytes > kMaxTextBytes) {
        return;
    }
    std::string folded = text::FoldCaseCopy(path);
    const std::lock_guard lock(mutex_);
    if (const auto it = Find(folded); it != entries_.end()) {
        textBytes_ -= it->textBytes;
        entries_.erase(it);
    }
    entries_.push_front(Entry{std::move(folded), stamp, std::move(document), textBytes});
    textBytes_ += textBytes;
    while (entries_.size() > kMaxFiles || textBytes_ > kMaxTextBytes) {
        textBytes_ -= entries_.back().textBytes;
        entries_.pop_back();
    }
}

void IniCache::Forget(const std::string& path) {
    const std::string folded = text::FoldCaseCopy(path);
    const std::lock_guard lock(mutex_);
    if (const auto it = Find(folded); it != entries_.end()) {
        textBytes_ -= it->textBytes;
        entries_.erase(it);
    }
}

} // namespace quill
