#include "settings/exclusion_list.h"

#include "settings/line_list.h"
#include "settings/settings_file.h"

namespace quill {

TFormExcludeFile::TFormExcludeFile(platform::FileSystem& fs, std::string appDir,
                                   platform::FileDialogs& files, platform::Shell& shell,
                                   std::string helpFile,
                                   std::function<std::optional<std::string>()> pickByWildcard)
    : fs_(fs), appDir_(std::move(appDir)), files_(files), shell_(shell),
      helpFile_(std::move(helpFile)), pickByWildcard_(std::move(pickByWildcard)) {
    TextListBox1 = SettingsFile(fs_, appDir_).ReadExclusions();
}

void TFormExcludeFile::AddUnlessListed(const std::string& entry) {
    lines::AppendUnlessListed(TextListBox1, entry);
}

void TFormExcludeFile::Button6Click() {
    if (!pickByWildcard_) {
        return;
    }
    if (const std::optional<std::string> entry = pickByWildcard_()) {
        AddUnlessListed(*entry);
    }
}

void TFormExcludeFile::Button3Click() {
    const platform::FileDialogRequest request{"Select files by filename", "", "", false};
    std::vector<std::string> paths;
    if (files_.ChooseFilesToOpen(request, paths)) {
        for (const std::string& path : paths) {
            AddUnlessListed(path);
        }
    }
}

void TFormExcludeFile::btnUpClick() {
    lines::MoveSelected(TextListBox1, ItemIndex, -1);
}

void TFormExcludeFile::btnDownClick() {
    lines::MoveSelected(TextListBox1, ItemIndex, +1);
}

void TFormExcludeFile::SpeedButton2Click() {
    TextListBox1.clear();
    ItemIndex = -1;
}

void TFormExcludeFile::Button5Click() {
    (void)lines::RemoveSelected(TextListBox1, ItemIndex); // no selection: nothing
}

void TFormExcludeFile::SpeedButton4Click() {
    (void)shell_.ShowHelp(helpFile_, kHelpContext);
}

void TFormExcludeFile::SpeedButton1Click() {
    SettingsFile(fs_, appDir_).WriteExclusions(TextListBox1);
    Closed = true;
}

} // namespace quill
