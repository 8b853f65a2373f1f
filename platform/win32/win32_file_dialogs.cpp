#include "platform/win32/win32_file_dialogs.h"

#include "platform/win32/wide.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace quill::platform {

void* Win32FileDialogs::Owner() const {
    return owner_ ? owner_() : nullptr;
}

bool Win32FileDialogs::ChooseFileToOpen(const FileDialogRequest& request, std::string& path) {
    std::vector<std::string> paths;
    if (!Choose(request, paths, false, false) || paths.empty()) {
        return false;
    }
    path = paths.front();
    return true;
}

bool Win32FileDialogs::ChooseFilesToOpen(const FileDialogRequest& request,
                                         std::vector<std::string>& paths) {
    return Choose(request, paths, false, true);
}

bool Win32FileDialogs::ChooseFolder(const std::string& title, std::string& path) {
    const std::wstring wideTitle = win32::Wide(title);
    BROWSEINFOW info{};
    info.hwndOwner = static_cast<HWND>(Owner());
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) {
        return false;
    }
    std::vector<wchar_t> folder(32768, L'\0');
    const bool ok = ::SHGetPathFromIDListEx(chosen, folder.data(),
                                            static_cast<DWORD>(folder.size()), GPFIDL_DEFAULT);
    ::CoTaskMemFree(chosen);
    if (!ok || folder[0] == L'\0') {
        return false;
    }
    path = win32::Narrow(folder.data());
    return true;
}

bool Win32FileDialogs::ChooseFileToSave(const FileDialogRequest& request, std::string& path) {
    std::vector<std::string> paths;
    if (!Choose(request, paths, true, false) || paths.empty()) {
        return false;
    }
    path = paths.front();
    return true;
}

bool Win32FileDialogs::Choose(const FileDialogRequest& request, std::vector<std::string>& paths,
                              bool save, bool several) {
    // "A|*.X|B|*.Y" becomes the double-NUL-terminated list the dialog takes.
    std::wstring filter = win32::Wide(request.filter);
    for (wchar_t& c : filter) {
        c = c == L'|' ? L'\0' : c;
    }
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    const std::wstring title = win32::Wide(request.title);
    const std::wstring extension = win32::Wide(request.defaultExtension);
    std::vector<wchar_t> file(32768, L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(Owner());
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (save) {
        ofn.Flags |= request.confirmOverwrite ? OFN_OVERWRITEPROMPT : 0;
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | (several ? OFN_ALLOWMULTISELECT : 0);
    }
    const BOOL chosen = save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!chosen) {
        return false;
    }
    // One file: its full path. Several: the folder, then each name, each
    // ended by a NUL, the list by two.
    paths.clear();
    const std::wstring first = file.data();
    const wchar_t* next = file.data() + first.size() + 1;
    if (!several || *next == L'\0') {
        paths.push_back(win32::Narrow(first));
        return true;
    }
    std::wstring folder = first;
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    while (*next != L'\0') {
        const std::wstring name = next;
        paths.push_back(win32::Narrow(folder + name));
        next += name.size() + 1;
    }
    return true;
}

} // namespace quill::platform
