#include "platform/file_system.h"

#include "platform/ini_cache.h"

namespace quill::platform {

FileSystem::FileSystem() : iniCache_(std::make_unique<IniCache>()) {}

FileSystem::~FileSystem() = default;

IoResult FileSystem::Stamp(const std::string& /*path*/, FileStamp& stamp) {
    stamp = {};
    return IoResult::Failed;
}

} // namespace quill::platform
