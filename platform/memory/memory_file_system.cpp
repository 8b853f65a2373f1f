#include "platform/memory/memory_file_system.h"

#include "platform/text.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quill::platform {

struct MemoryFileSystem::Node {
    std::string name;
    bool folder = false;
    std::uint32_t attributes = 0;
    std::string content;
    FileTime creation = 0;
    FileTime lastAccess = 0;
    FileTime lastWrite = 0;
    bool accessDenied = false;
    bool heldOpen = false;
    // Links, large files and exclusive handles.
    std::string linkTarget; // set for a symbolic link
    std::uint32_t linkCount = 1;
    std::optional<std::uint64_t> syntheticSize;
    bool openExclusive = false; // held by one of our own exclusive handles
    std::uint64_t id = 0;       // the file number, unique in the file system
    std::uint64_t version = 0;  // counts every change of content, times or attributes
    // Children keyed by folded name, so they enumerate in case-insensitive order.
    std::map<std::string, std::unique_ptr<Node>> children;
};

struct MemoryFileSystem::Lookup {
    Node* parent = nullptr; // the folder that holds (or would hold) the entry
    Node* node = nullptr;   // the entry, when it exists
    std::string leaf;       // the entry's name as given
    bool parentMissing = true;
};

namespace {

// True when Windows can hold no file of that name: one of <>:"|?* or a
// control character in it. Other file systems hold such names; Windows
// refuses every path with one.
bool NameWindowsRefuses(const std::string& name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!cur.empty()) {
                parts.push_back(cur);
            }
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) {
        parts.push_back(cur);
    }
    return parts;
}

} // namespace

MemoryFileSystem::MemoryFileSystem() {
    AddDrive("C:");
}

MemoryFileSystem::~MemoryFileSystem() = default;

void MemoryFileSystem::AddDrive(const std::string& letterColon) {
    auto& slot = drives_[text::FoldCaseCopy(letterColon)];
    if (!slot) {
        slot = std::make_unique<Node>();
        slot->name = letterColon;
        slot->folder = true;
        slot->attributes = attr::Directory;
        slot->id = ++lastId_;
    }
}

MemoryFileSystem::Lookup MemoryFileSystem::Find(const std::string& path) const {
    Lookup found;
    const auto parts = SplitPath(path);
    if (parts.empty()) {
        return found;
    }
    const auto drive = drives_.find(text::FoldCaseCopy(parts[0]));
    if (drive == drives_.end()) {
        return found;
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (NameWindowsRefuses(parts[i])) {
            return found; // as if a folder on the way were missing
        }
    }
    Node* cur = drive->second.get();
    if (parts.size() == 1) {
        found.node = cur;
        found.parentMissing = false;
        found.leaf = parts[0];
        return found;
    }
    for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
        const auto it = cur->children.find(text::FoldCaseCopy(parts[i]));
        if (it == cur->children.end() || !it->second->folder) {
            return found;
        }
        cur = Resolve(it->second.get());
        if (!cur) {
            return found;
        }
    }
    found.parent = cur;
    found.parentMissing = false;
    found.leaf = parts.back();
    const auto it = cur->children.find(text::FoldCaseCopy(found.leaf));
    if (it != cur->children.end()) {
        found.node = it->second.get();
    }
    return found;
}

MemoryFileSystem::Node* MemoryFileSystem::Resolve(Node* node) const {
    // A folder link is followed where a path goes through it, as Windows
    // follows a junction; links to links end after a few steps.
    for (int step = 0; node && !node->linkTarget.empty(); ++step) {
        if (step == 8) {
            return nullptr;
        }
        node = Find(node->linkTarget).node;
    }
    return node && node->folder ? node : nullptr;
}

MemoryFileSystem::Node& MemoryFileSystem::MakePath(const std::string& path, bool lastIsFolder) {
    const auto parts = SplitPath(path);
    if (parts.empty()) {
        throw std::invalid_argument("empty path");
    }
    AddDrive(parts[0]);
    Node* cur = drives_[text::FoldCaseCopy(parts[0])].get();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        auto& slot = cur->children[text::FoldCaseCopy(parts[i])];
        const bool folder = lastIsFolder || i + 1 < parts.size();
        if (!slot) {
            slot = std::make_unique<Node>();
            slot->name = parts[i];
            slot->folder = folder;
            slot->attributes = folder ? attr::Directory : attr::Archive;
            slot->creation = slot->lastAccess = slot->lastWrite = now_;
            slot->id = ++lastId_;
        }
        cur = slot.get();
    }
    return *cur;
}

void MemoryFileSystem::AddFolder(const std::string& path) {
    MakePath(path, true);
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& content,
                               std::uint32_t attributes) {
    Node& n = MakePath(path, false);
    n.content = content;
    n.attributes = attributes & ~attr::Directory;
    n.version = ++lastVersion_;
}

void MemoryFileSystem::SetTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                                FileTime lastWrite) {
    if (Node* n = Find(path).node) {
        n->creation = creation;
        n->lastAccess = lastAccess;
        n->lastWrite = lastWrite;
        n->version = ++lastVersion_;
    }
}

void MemoryFileSystem::SetReparsePoint(const std::string& path, bool reparse) {
    if (Node* n = Find(path).node) {
        n->attributes =
            reparse ? (n->attributes | attr::ReparsePoint) : (n->attributes & ~attr::ReparsePoint);
    }
}

void MemoryFileSystem::SetAccessDenied(const std::string& path, bool denied) {
    if (Node* n = Find(path).node) {
        n->accessDenied = denied;
    }
}

void MemoryFileSystem::SetHeldOpen(const std::string& path, bool held) {
    if (Node* n = Find(path).node) {
        n->heldOpen = held;
    }
}

std::optional<std::string> MemoryFileSystem::Content(const std::string& path) const {
    const Node* n = Find(path).node;
    if (!n || n->folder) {
        return std::nullopt;
    }
    return n->content;
}

IoResult MemoryFileSystem::CheckUsable(const Node& node) const {
    if (node.accessDenied) {
        return IoResult::AccessDenied;
    }
    if (node.heldOpen || node.openExclusive) {
        return IoResult::SharingViolation;
    }
    return IoResult::Ok;
}

IoResult MemoryFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const Lookup l = Find(path);
    if (l.parentMissing) {
        return IoResult::PathNotFound;
    }
    if (!l.node) {
        return IoResult::NotFound;
    }
    if (l.node->folder) {
        return IoResult::AccessDenied;
    }
    if (const auto r = CheckUsable(*l.node); r != IoResult::Ok) {
        return r;
    }
    bytes = l.node->content;
    return IoResult::Ok;
}

IoResult MemoryFileSystem::Stamp(const std::string& path, FileStamp& stamp) {
    stamp = {};
    const Lookup l = Find(path);
    if (l.parentMissing) {
        return IoResult::PathNotFound;
    }
    if (!l.node) {
        return IoResult::NotFound;
    }
    if (l.node->accessDenied) {
        return IoResult::AccessDenied;
    }
    // Files here keep the time they are given; their number and version
    // stand for the times instead.
    stamp.size = SizeOf(*l.node);
    stamp.creation = l.node->id;
    stamp.lastWrite = l.node->version;
    return IoResult::Ok;
}

IoResult MemoryFileSystem::ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const Lookup l = Find(path);
    if (l.parentMissing || !l.parent) {
        return IoResult::PathNotFound;
    }
    if (l.parent->accessDenied) {
        return IoResult::AccessDenied;
    }
    if (l.node) {
        if (l.node->folder || (l.node->attributes & attr::ReadOnly)) {
            return IoResult::AccessDenied;
        }
        if (const auto r = CheckUsable(*l.node); r != IoResult::Ok) {
            return r;
        }
    }
    // The new content is written in full beside the old before it replaces it.
    if (freeSpace_ && bytes.size() > *freeSpace_) {
        return IoResult::DiskFull;
    }
    if (freeSpace_) {
        const std::uint64_t old = l.node ? l.node->content.size() : 0;
        *freeSpace_ = *freeSpace_ + old - bytes.size();
    }
    Node& n = l.node ? *l.node : MakePath(path, false);
    n.content = bytes;
    n.lastWrite = now_;
    n.version = ++lastVersion_;
    return IoResult::Ok;
}

bool MemoryFileSystem::Exists(const std::string& path) {
    return Find(path).node != nullptr;
}

std::uint32_t MemoryFileSystem::GetAttributes(const std::string& path) {
    const Node* n = Find(path).node;
    return n ? n->attributes : attr::Invalid;
}

IoResult MemoryFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    const Lookup l = Find(path);
    if (!l.node) {
        return l.parentMissing ? IoResult::PathNotFound : IoResult::NotFound;
    }
    if (l.node->accessDenied) {
        return IoResult::AccessDenied;
    }
    const std::uint32_t kept = l.node->attributes & (attr::Directory | attr::ReparsePoint);
    l.node->attributes =
        kept | (attributes & ~(attr::Directory | attr::ReparsePoint | attr::Normal));
    l.node->version = ++lastVersion_;
    return IoResult::Ok;
}

IoResult MemoryFileSystem::Delete(const std::string& path) {
    const Lookup l = Find(path);
    if (l.parentMissing) {
        return IoResult::PathNotFound;
    }
    if (!l.node) {
        return IoResult::NotFound;
    }
    if (l.node->folder || (l.node->attributes & attr::ReadOnly)) {
        return IoResult::AccessDenied;
    }
    if (const auto r = CheckUsable(*l.node); r != IoResult::Ok) {
        return r;
    }
    if (freeSpace_) {
        *freeSpace_ += l.node->content.size();
    }
    l.parent->children.erase(text::FoldCaseCopy(l.leaf));
    return IoResult::Ok;
}

IoResult MemoryFileSystem::CreateFolder(const std::string& path) {
    const Lookup l = Find(path);
    if (l.parentMissing || !l.parent) {
        return IoResult::PathNotFound;
    }
    if (l.node) {
        return IoResult::AlreadyExists;
    }
    if (l.parent->accessDenied) {
        return IoResult::AccessDenied;
    }
    MakePath(path, true);
    return IoResult::Ok;
}

IoResult MemoryFileSystem::ListFolder(const std::string& folder, const Visitor& visit) {
    const Lookup l = Find(folder);
    const Node* dir = l.node ? Resolve(l.node) : nullptr;
    if (!dir) {
        return IoResult::PathNotFound;
    }
    if (dir->accessDenied || l.node->accessDenied) {
        return IoResult::AccessDenied;
    }
    for (const auto& [key, child] : dir->children) {
        FileEntry e;
        e.name = child->name;
        e.attributes = child->attributes;
        e.size = child->content.size();
        e.creationTime = child->creation;
        e.lastAccessTime = child->lastAccess;
        e.lastWriteTime = child->lastWrite;
        if (!visit(e)) {
            break;
        }
    }
    return IoResult::Ok;
}

// --- Links, large files and the write history ---

std::uint64_t MemoryFileSystem::SizeOf(const Node& node) const {
    return node.syntheticSize ? *node.syntheticSize : node.content.size();
}

void MemoryFileSystem::Record(const std::string& path, std::string event) {
    history_[text::FoldCaseCopy(path)].push_back(std::move(event));
}

std::vector<std::string> MemoryFileSystem::History(const std::string& path) const {
    const auto it = history_.find(text::FoldCaseCopy(path));
    return it == history_.end() ? std::vector<std::string>() : it->second;
}

void MemoryFileSystem::AddSymlink(const std::string& path, const std::string& target) {
    Node& n = MakePath(path, false);
    n.content.clear();
    n.attributes = attr::Archive | attr::ReparsePoint;
    n.linkTarget = target;
}

void MemoryFileSystem::SetLinkCount(const std::string& path, std::uint32_t count) {
    if (Node* n = Find(path).node) {
        n->linkCount = count;
    }
}

void MemoryFileSystem::SetSyntheticSize(const std::string& path, std::uint64_t size) {
    if (Node* n = Find(path).node) {
        n->content.clear();
        n->syntheticSize = size;
        n->version = ++lastVersion_;
    }
}

class MemoryFileSystem::MemoryAppendStream final : public FileSystem::AppendStream {
public:
    MemoryAppendStream(MemoryFileSystem& fs, std::string path, bool created)
        : fs_(fs), path_(std::move(path)), created_(created) {}

    bool Created() const override { return created_; }

    IoResult Write(std::string_view bytes) override {
        if (closed_) {
            return IoResult::Failed;
        }
        Node* n = fs_.Find(path_).node;
        if (!n || n->folder) {
            return IoResult::NotFound;
        }
        if (fs_.freeSpace_ && bytes.size() > *fs_.freeSpace_) {
            return IoResult::DiskFull;
        }
        if (fs_.freeSpace_) {
            *fs_.freeSpace_ -= bytes.size();
        }
        n->content.append(bytes);
        n->lastWrite = fs_.now_;
        n->version = ++fs_.lastVersion_;
        return IoResult::Ok;
    }

    IoResult Close() override {
        closed_ = true;
        return IoResult::Ok;
    }

private:
    MemoryFileSystem& fs_;
    std::string path_;
    bool created_;
    bool closed_ = false;
};

class MemoryFileSystem::MemoryExclusiveFile final : public FileSystem::ExclusiveFile {
public:
    // The entry leaf of the folder parent; path names it in the history.
    MemoryExclusiveFile(MemoryFileSystem& fs, Node& parent, std::string leaf, std::string path)
        : fs_(fs), parent_(parent), leaf_(std::move(leaf)), path_(std::move(path)) {}
    ~MemoryExclusiveFile() override { Release(); }

    IoResult Facts(OpenFileFacts& facts) override {
        Node* n = Own();
        if (!n) {
            return IoResult::Failed;
        }
        facts.size = fs_.SizeOf(*n);
        facts.reparsePoint = (n->attributes & attr::ReparsePoint) != 0;
        facts.linkCount = n->linkCount;
        return IoResult::Ok;
    }

    IoResult WriteAt(std::uint64_t position, const char* data, std::uint32_t count,
                     std::uint32_t& written) override {
        written = 0;
        Node* n = Own();
        if (!n) {
            return IoResult::Failed;
        }
        // Writing through a link changes what it points at.
        Node* target = n;
        if (!n->linkTarget.empty()) {
            target = fs_.Find(n->linkTarget).node;
            if (!target || target->folder) {
                return IoResult::NotFound;
            }
        }
        const std::uint64_t size = fs_.SizeOf(*target);
        const std::uint64_t end = position + count;
        const std::uint64_t growth = end > size ? end - size : 0;
        if (fs_.freeSpace_ && growth > *fs_.freeSpace_) {
            return IoResult::DiskFull; // no progress at all
        }
        if (fs_.freeSpace_) {
            *fs_.freeSpace_ -= growth;
        }
        if (target->syntheticSize) {
            *target->syntheticSize = std::max(size, end);
        } else {
            if (target->content.size() < end) {
                target->content.resize(static_cast<std::size_t>(end), '\0');
            }
            target->content.replace(static_cast<std::size_t>(position), count, data, count);
        }
        target->lastWrite = fs_.now_;
        target->version = ++fs_.lastVersion_;
        written = count;
        std::string event = "write " + std::to_string(position) + " " + std::to_string(count);
        // Every byte equal to the first: the block compared with itself one
        // byte on.
        const bool uniform = count > 0 && std::memcmp(data, data + 1, count - 1) == 0;
        if (uniform) {
            static const char* const kHex = "0123456789ABCDEF";
            const auto b = static_cast<unsigned char>(data[0]);
            event += std::string(" 0x") + kHex[b >> 4] + kHex[b & 15];
        } else {
            event += " mixed";
        }
        fs_.Record(path_, std::move(event));
        return IoResult::Ok;
    }

    IoResult Flush() override {
        if (!Own()) {
            return IoResult::Failed;
        }
        fs_.Record(path_, "flush");
        return IoResult::Ok;
    }

    IoResult DeleteByHandle() override {
        Node* n = Own();
        if (!n) {
            return IoResult::Failed;
        }
        const std::uint64_t size = fs_.SizeOf(*n);
        if (fs_.freeSpace_ && n->linkCount <= 1) {
            *fs_.freeSpace_ += n->content.size();
        }
        fs_.Record(path_, "delete " + std::to_string(size));
        parent_.children.erase(text::FoldCaseCopy(leaf_));
        open_ = false;
        return IoResult::Ok;
    }

    IoResult Close() override {
        Release();
        return IoResult::Ok;
    }

private:
    Node* Own() const {
        if (!open_) {
            return nullptr;
        }
        const auto it = parent_.children.find(text::FoldCaseCopy(leaf_));
        Node* n = it == parent_.children.end() ? nullptr : it->second.get();
        return n && n->openExclusive ? n : nullptr;
    }
    void Release() {
        if (Node* n = Own()) {
            n->openExclusive = false;
        }
        open_ = false;
    }

    MemoryFileSystem& fs_;
    Node& parent_;
    std::string leaf_;
    std::string path_;
    bool open_ = true;
};

class MemoryFileSystem::MemoryReadStream final : public FileSystem::ReadStream {
public:
    MemoryReadStream(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

    IoResult Read(char* buffer, std::uint32_t capacity, std::uint32_t& got) override {
        got = 0;
        const Node* n = fs_.Find(path_).node;
        if (n && !n->linkTarget.empty()) {
            n = fs_.Find(n->linkTarget).node; // reading goes through a link
        }
        if (!n || n->folder) {
            return IoResult::Failed;
        }
        if (const auto r = fs_.CheckUsable(*n); r != IoResult::Ok) {
            return r;
        }
        if (offset_ < n->content.size()) {
            const std::size_t count = std::min<std::size_t>(capacity, n->content.size() - offset_);
            std::copy_n(n->content.data() + offset_, count, buffer);
            offset_ += count;
            got = static_cast<std::uint32_t>(count);
        }
        return IoResult::Ok;
    }

private:
    MemoryFileSystem& fs_;
    std::string path_;
    std::size_t offset_ = 0;
};

IoResult MemoryFileSystem::OpenForReading(const std::string& path,
                                          std::unique_ptr<ReadStream>& stream) {
    stream.reset();
    const Lookup l = Find(path);
    if (l.parentMissing) {
        return IoResult::PathNotFound;
    }
    if (!l.node) {
        return IoResult::NotFound;
    }
    const Node* n = l.node;
    if (!n->linkTarget.empty()) {
        n = Find(n->linkTarget).node;
        if (!n) {
            return IoResult::NotFound;
        }
    }
    if (n->folder) {
        return IoResult::AccessDenied;
    }
    if (const auto r = CheckUsable(*l.node); r != IoResult::Ok) {
        return r;
    }
    if (const auto r = CheckUsable(*n); r != IoResult::Ok) {
        return r;
    }
    stream = std::make_unique<MemoryReadStream>(*this, path);
    return IoResult::Ok;
}

IoResult MemoryFileSystem::OpenForAppend(const std::string& path,
                                         std::unique_ptr<AppendStream>& stream) {
    stream.reset();
    const Lookup l = Find(path);
    if (l.parentMissing || !l.parent) {
        return IoResult::PathNotFound;
    }
    bool created = false;
    if (l.node) {
        if (l.node->folder || (l.node->attributes & attr::ReadOnly)) {
            return IoResult::AccessDenied;
        }
        if (const auto r = CheckUsable(*l.node); r != IoResult::Ok) {
            return r;
        }
        if (l.node->openExclusive) {
            return IoResult::SharingViolation;
        }
    } else {
        if (l.parent->accessDenied) {
            return IoResult::AccessDenied;
        }
        MakePath(path, false);
        created = true;
    }
    stream = std::make_unique<MemoryAppendStream>(*this, path, created);
    return IoResult::Ok;
}

IoResult MemoryFileSystem::OpenExclusive(const std::string& path,
                                         std::unique_ptr<ExclusiveFile>& file) {
    file.reset();
    const Lookup l = Find(path);
    if (l.parentMissing) {
        return IoResult::PathNotFound;
    }
    if (!l.node) {
        return IoResult::NotFound;
    }
    if (l.node->folder || (l.node->attributes & attr::ReadOnly)) {
        return IoResult::AccessDenied;
    }
    if (const auto r = CheckUsable(*l.node); r != IoResult::Ok) {
        return r;
    }
    if (l.node->openExclusive) {
        return IoResult::SharingViolation;
    }
    l.node->openExclusive = true;
    file = std::make_unique<MemoryExclusiveFile>(*this, *l.parent, l.leaf, path);
    return IoResult::Ok;
}

// --- Temporary files and working inside one folder ---

IoResult MemoryFileSystem::RemoveStaleTempFiles(const std::string& folder, int& removed) {
    removed = 0;
    const Lookup l = Find(folder);
    Node* dir = l.node ? Resolve(l.node) : nullptr;
    if (!dir) {
        return IoResult::PathNotFound;
    }
    for (auto it = dir->children.begin(); it != dir->children.end();) {
        const std::string& name = it->second->name;
        const bool temp =
            !it->second->folder && name.size() > kTempPrefix.size() + kTempSuffix.size() &&
            name.compare(0, kTempPrefix.size(), kTempPrefix) == 0 &&
            name.compare(name.size() - kTempSuffix.size(), kTempSuffix.size(), kTempSuffix) == 0;
        if (temp && CheckUsable(*it->second) == IoResult::Ok) {
            it = dir->children.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return IoResult::Ok;
}

void MemoryFileSystem::AddFolderLink(const std::string& path, const std::string& target) {
    const Lookup l = Find(path);
    if (l.parent && l.node) {
        l.parent->children.erase(text::FoldCaseCopy(l.leaf));
    }
    Node& n = MakePath(path, true);
    n.attributes = attr::Directory | attr::ReparsePoint;
    n.linkTarget = target;
}

IoResult MemoryFileSystem::IdentifyFolder(const std::string& path, FolderId& id) {
    const Lookup l = Find(path);
    const Node* dir = l.node ? Resolve(l.node) : nullptr;
    if (!dir) {
        return l.node ? IoResult::PathNotFound
                      : (l.parentMissing ? IoResult::PathNotFound : IoResult::NotFound);
    }
    if (dir->accessDenied) {
        return IoResult::AccessDenied;
    }
    id.volume = static_cast<unsigned char>(text::FoldCaseCopy(path.substr(0, 1))[0]);
    id.file = dir->id;
    return IoResult::Ok;
}

class MemoryFileSystem::MemoryOpenFolder final : public FileSystem::OpenFolder {
public:
    MemoryOpenFolder(MemoryFileSystem& fs, Node& dir, FolderId id, std::string path)
        : fs_(fs), dir_(dir), id_(id), path_(std::move(path)) {
        if (!path_.empty() && path_.back() != '\\') {
            path_ += '\\';
        }
    }

    FolderId Identity() const override { return id_; }

    std::uint32_t GetAttributes(const std::string& name) override {
        const Node* n = Entry(name);
        return n ? n->attributes : attr::Invalid;
    }

    IoResult SetAttributes(const std::string& name, std::uint32_t attributes) override {
        Node* n = Entry(name);
        if (!n) {
            return Missing(name);
        }
        if (n->accessDenied) {
            return IoResult::AccessDenied;
        }
        const std::uint32_t kept = n->attributes & (attr::Directory | attr::ReparsePoint);
        n->attributes =
            kept | (attributes & ~(attr::Directory | attr::ReparsePoint | attr::Normal));
        return IoResult::Ok;
    }

    IoResult Delete(const std::string& name) override {
        Node* n = Entry(name);
        if (!n) {
            return Missing(name);
        }
        if ((n->folder && n->linkTarget.empty()) || (n->attributes & attr::ReadOnly)) {
            return IoResult::AccessDenied;
        }
        if (const auto r = fs_.CheckUsable(*n); r != IoResult::Ok) {
            return r;
        }
        if (fs_.freeSpace_) {
            *fs_.freeSpace_ += n->content.size();
        }
        dir_.children.erase(text::FoldCaseCopy(name));
        return IoResult::Ok;
    }

    IoResult OpenExclusive(const std::string& name,
                           std::unique_ptr<FileSystem::ExclusiveFile>& file) override {
        file.reset();
        Node* n = Entry(name);
        if (!n) {
            return Missing(name);
        }
        if (n->folder || (n->attributes & attr::ReadOnly)) {
            return IoResult::AccessDenied;
        }
        if (const auto r = fs_.CheckUsable(*n); r != IoResult::Ok) {
            return r;
        }
        n->openExclusive = true;
        file = std::make_unique<MemoryExclusiveFile>(fs_, dir_, name, path_ + name);
        return IoResult::Ok;
    }

    IoResult RemoveEmptyFolder(const std::string& name) override {
        Node* n = Entry(name);
        if (!n) {
            return Missing(name);
        }
        if (!n->folder || !n->linkTarget.empty() || (n->attributes & attr::ReparsePoint) ||
            !n->children.empty() || n->accessDenied) {
            return IoResult::AccessDenied;
        }
        dir_.children.erase(text::FoldCaseCopy(name));
        return IoResult::Ok;
    }

private:
    // The entry itself, never what a link of that name points at.
    Node* Entry(const std::string& name) const {
        if (name.empty() || NameWindowsRefuses(name) ||
            name.find_first_of("\\/") != std::string::npos) {
            return nullptr;
        }
        const auto it = dir_.children.find(text::FoldCaseCopy(name));
        return it == dir_.children.end() ? nullptr : it->second.get();
    }
    static IoResult Missing(const std::string& name) {
        return NameWindowsRefuses(name) ? IoResult::PathNotFound : IoResult::NotFound;
    }

    MemoryFileSystem& fs_;
    Node& dir_;
    FolderId id_;
    std::string path_;
};

IoResult MemoryFileSystem::OpenFolderAt(const std::string& path,
                                        std::unique_ptr<OpenFolder>& folder) {
    folder.reset();
    FolderId id;
    if (const IoResult r = IdentifyFolder(path, id); r != IoResult::Ok) {
        return r;
    }
    Node* dir = Resolve(Find(path).node);
    folder = std::make_unique<MemoryOpenFolder>(*this, *dir, id, path);
    return IoResult::Ok;
}

} // namespace quill::platform
