#pragma once

#include "platform/file_dialogs.h"

#include <functional>

// The common file dialogs of Windows, owned by the window that has the input
// when each is shown.

namespace quill::platform {

class Win32FileDialogs final : public FileDialogs {
public:
    // Names the owning window (a HWND, or null) when a dialog is shown: the
    // one that has the input then, which the dialog gives it back to.
    using OwnerSource = std::function<void*()>;
    void SetOwner(OwnerSource owner) { owner_ = std::move(owner); }

    bool ChooseFileToOpen(const FileDialogRequest& request, std::string& path) override;
    bool ChooseFilesToOpen(const FileDialogRequest& request,
                           std::vector<std::string>& paths) override;
    bool ChooseFolder(const std::string& title, std::string& path) override;
    bool ChooseFileToSave(const FileDialogRequest& request, std::string& path) override;

private:
    bool Choose(const FileDialogRequest& request, std::vector<std::string>& paths, bool save,
                bool several);
    void* Owner() const;
    OwnerSource owner_;
};

} // namespace quill::platform
