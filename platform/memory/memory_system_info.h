#pragma once

#include "platform/system_info.h"

#include <map>
#include <string>
#include <vector>

// System facts for tests, all settable. Starts as user "User" with the
// Windows folder C:\WINDOWS, the system folder C:\WINDOWS\system32, the
// profile C:\Users\User with its temp folder (AppData\Local\Temp) and
// AppData\LocalLow, C:\ProgramData, and one fixed drive C:\.

namespace quill::platform {

class MemorySystemInfo final : public SystemInfo {
public:
    MemorySystemInfo();

    // An empty name stands for a user name that cannot be had.
    void SetUserName(std::string name) { userName_ = std::move(name); }
    void SetWindowsFolder(std::string folder) { windowsFolder_ = std::move(folder); }
    void SetSystemFolder(std::string folder) { systemFolder_ = std::move(folder); }
    void SetTempFolder(std::string folder) { tempFolder_ = std::move(folder); }
    // An empty folder stands for one this system does not have.
    void SetKnownFolder(KnownFolder id, std::string folder) { known_[id] = std::move(folder); }
    // Adds the drive, or changes its type; the root is a letter, a colon and
    // an optional backslash ("D:\" or "d:").
    void SetDrive(const std::string& root, DriveType type);
    void RemoveDrive(const std::string& root);
    void RemoveAllDrives() { drives_.clear(); }

    std::string UserName() override { return userName_; }
    std::string WindowsFolder() override { return windowsFolder_; }
    std::string SystemFolder() override { return systemFolder_; }
    std::string TempFolder() override { return tempFolder_; }
    std::string FolderOf(KnownFolder id) override { return known_[id]; }
    DriveType DriveTypeOf(const std::string& root) override;
    std::vector<std::string> DriveRoots() override;

private:
    std::string userName_ = "User";
    std::string windowsFolder_ = "C:\\WINDOWS";
    std::string systemFolder_ = "C:\\WINDOWS\\system32";
    std::string tempFolder_ = "C:\\Users\\User\\AppData\\Local\\Temp";
    std::map<KnownFolder, std::string> known_ = {
        {KnownFolder::UserProfile, "C:\\Users\\User"},
        {KnownFolder::CommonAppData, "C:\\ProgramData"},
        {KnownFolder::LocalAppDataLow, "C:\\Users\\User\\AppData\\LocalLow"},
    };
    std::map<std::string, DriveType> drives_; // keyed by upper-case root with backslash
};

} // namespace quill::platform
