#pragma once

#include <string>

// Facts about the running system.

namespace quill::platform {

enum class DriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // Name of the logged-on user; empty when it cannot be had.
    [[nodiscard]] virtual std::string UserName() = 0;
    // The Windows folder and the system folder, without trailing backslash.
    [[nodiscard]] virtual std::string WindowsFolder() = 0;
    [[nodiscard]] virtual std::string SystemFolder() = 0;
    // Type of the drive whose root is given, such as "C:\".
    [[nodiscard]] virtual DriveType GetDriveType(const std::string& root) = 0;
};

} // namespace quill::platform
