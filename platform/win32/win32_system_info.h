#pragma once

#include "platform/system_info.h"

// System facts from the Win32 wide-character APIs.

namespace quill::platform {

class Win32SystemInfo final : public SystemInfo {
public:
    std::string UserName() override;
    std::string WindowsFolder() override;
    std::string SystemFolder() override;
    std::string TempFolder() override;
    std::string FolderOf(KnownFolder folder) override;
    DriveType DriveTypeOf(const std::string& root) override;
    std::vector<std::string> DriveRoots() override;
};

} // namespace quill::platform
