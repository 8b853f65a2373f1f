#include "platform/memory/memory_file_system.h"

#include "platform/text.h"

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
        cur = it->second.get();
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
}

void MemoryFileSystem::SetTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                                FileTime lastWrite) {
    if (Node* n = Find(path).node) {
        n->creation = creation;
        n->lastAccess = lastAccess;
        n->lastWrite = lastWrite;
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
    if (node.heldOpen) {
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
    if (!l.node) {
        return IoResult::PathNotFound;
    }
    if (!l.node->folder) {
        return IoResult::PathNotFound;
    }
    if (l.node->accessDenied) {
        return IoResult::AccessDenied;
    }
    for (const auto& [key, child] : l.node->children) {
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

} // namespace quill::platform
