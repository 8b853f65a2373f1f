#pragma once

#include "platform/file_dialogs.h"

// The common file dialogs of Windows, owned by a window.

namespace quill::platform {

class Win32FileDialogs final : public FileDialogs {
public:
    // owner: the owning window (a HWND), or null.
    void SetOwner(void* owner) { owner_ = owner; }

    bool ChooseFileToOpen(const FileDialogRequest& request, std::string& path) override;
    bool ChooseFilesToOpen(const FileDialogRequest& request,
                           std::vector<std::string>& paths) override;
    bool ChooseFolder(const std::string& title, std::string& path) override;
    bool ChooseFileToSave(const FileDialogRequest& request, std::string& path) override;

private:
    bool Choose(const FileDialogRequest& request, std::vector<std::string>& paths, bool save,
                bool several);
    void* owner_ = nullptr;
};

} // namespace quill::platform
