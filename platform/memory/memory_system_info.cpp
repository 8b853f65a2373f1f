#include "platform/memory/memory_system_info.h"

#include "platform/text.h"

namespace quill::platform {

namespace {

std::string RootKeyOf(const std::string& root) {
    std::string key = text::AsciiUpper(root);
    if (key.empty() || key.back() != '\\') {
        key += '\\';
    }
    return key;
}

} // namespace

MemorySystemInfo::MemorySystemInfo() {
    drives_["C:\\"] = DriveType::Fixed;
}

void MemorySystemInfo::SetDrive(const std::string& root, DriveType type) {
    drives_[RootKeyOf(root)] = type;
}

void MemorySystemInfo::RemoveDrive(const std::string& root) {
    drives_.erase(RootKeyOf(root));
}

DriveType MemorySystemInfo::DriveTypeOf(const std::string& root) {
    const auto it = drives_.find(RootKeyOf(root));
    return it == drives_.end() ? DriveType::NoRootDir : it->second;
}

std::vector<std::string> MemorySystemInfo::DriveRoots() {
    std::vector<std::string> roots;
    for (const auto& [root, type] : drives_) {
        roots.push_back(root);
    }
    return roots;
}

} // namespace quill::platform
