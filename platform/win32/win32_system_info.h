#pragma once

#include "platform/system_info.h"

// windows.h may have come before: the member keeps its own name.
#ifdef GetDriveType
#undef GetDriveType
#endif

// System facts from the Win32 wide-character APIs.

namespace quill::platform {

class Win32SystemInfo final : public SystemInfo {
public:
    std::string UserName() override;
    std::string WindowsFolder() override;
    std::string SystemFolder() override;
    DriveType GetDriveType(const std::string& root) override;
    std::vector<std::string> DriveRoots() override;
};

} // namespace quill::platform
