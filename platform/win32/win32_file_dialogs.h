#pragma once

#include "platform/file_dialogs.h"

// The common file dialogs of Windows, owned by a window.

namespace quill::platform {

class Win32FileDialogs final : public FileDialogs {
public:
    // owner: the owning window (a HWND), or null.
    void SetOwner(void* owner) { owner_ = owner; }

    bool ChooseFileToOpen(const FileDialogRequest& request, std::string& path) override;
    bool ChooseFileToSave(const FileDialogRequest& request, std::string& path) override;

private:
    bool Choose(const FileDialogRequest& request, std::string& path, bool save);
    void* owner_ = nullptr;
};

} // namespace quill::platform
