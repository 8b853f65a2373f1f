#pragma once

#include <string>
#include <vector>

// Facts about the running system.

namespace quill::platform {

// Folders of the shell that have no registry value of their own to read.
enum class KnownFolder {
    UserProfile,     // C:\Users\<name>
    CommonAppData,   // C:\ProgramData
    LocalAppDataLow, // C:\Users\<name>\AppData\LocalLow
};

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

    // Name of the logged-on user, whole; empty when it cannot be had.
    [[nodiscard]] virtual std::string UserName() = 0;
    // The Windows folder and the system folder, whole, without trailing
    // backslash (a drive root such as "C:\" keeps its backslash).
    [[nodiscard]] virtual std::string WindowsFolder() = 0;
    [[nodiscard]] virtual std::string SystemFolder() = 0;
    // The user's temporary folder, without trailing backslash; empty when it
    // cannot be had.
    [[nodiscard]] virtual std::string TempFolder() = 0;
    // A folder of the shell, without trailing backslash; empty when this
    // system has none.
    [[nodiscard]] virtual std::string FolderOf(KnownFolder folder) = 0;
    // Type of the drive whose root is given, such as "C:\"; NoRootDir for a
    // drive that is not present.
    [[nodiscard]] virtual DriveType DriveTypeOf(const std::string& root) = 0;
    // Roots of the drives present, such as "C:\", in alphabetical order.
    [[nodiscard]] virtual std::vector<std::string> DriveRoots() = 0;
};

} // namespace quill::platform
