#pragma once

#include <string>
#include <vector>

// The common file dialogs: pick a file to open or a file to save.

namespace quill::platform {

struct FileDialogRequest {
    std::string title;
    std::string filter;           // "Description|*.EXT" pairs, as "TXT file (*.TXT)|*.TXT"
    std::string defaultExtension; // without the dot
    bool confirmOverwrite = false;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // True when the user chose a file; path is then its full path.
    [[nodiscard]] virtual bool ChooseFileToOpen(const FileDialogRequest& request,
                                                std::string& path) = 0;
    // Several files at once; paths are their full paths in the dialog's order.
    [[nodiscard]] virtual bool ChooseFilesToOpen(const FileDialogRequest& request,
                                                 std::vector<std::string>& paths) = 0;
    // A folder of the file system, from the shell's folder browser.
    [[nodiscard]] virtual bool ChooseFolder(const std::string& title, std::string& path) = 0;
    [[nodiscard]] virtual bool ChooseFileToSave(const FileDialogRequest& request,
                                                std::string& path) = 0;
};

} // namespace quill::platform
