#include "settings/wildcard_dialogs.h"

#include "platform/text.h"
#include "settings/line_list.h"
#include "settings/settings_file.h"

#include <utility>

namespace quill {

TFormWildcard::TFormWildcard(platform::FileSystem& fs, std::string appDir,
                             platform::Dialogs& dialogs, platform::Shell& shell,
                             std::string helpFile)
    : fs_(fs), appDir_(std::move(appDir)), dialogs_(dialogs), shell_(shell),
      helpFile_(std::move(helpFile)) {
    ListBox1 = SettingsFile(fs_, appDir_).ReadWildcards();
}

void TFormWildcard::SpNewClick() {
    const std::string mask = text::TrimCopy(Edit1);
    if (mask.empty()) {
        return;
    }
    lines::AppendUnlessListed(ListBox1, mask);
    Edit1.clear(); // also when the mask was listed already
}

void TFormWildcard::Button4Click() {
    if (!lines::RemoveSelected(ListBox1, ItemIndex)) {
        dialogs_.ShowMessage(platform::MessageKind::Information,
                             "Please select a item by clicking");
    }
}

void TFormWildcard::SpeedButton1Click() {
    ListBox1.clear();
    ItemIndex = -1;
}

void TFormWildcard::SpeedButton3Click() {
    lines::MoveSelected(ListBox1, ItemIndex, -1);
}

void TFormWildcard::SpeedButton2Click() {
    lines::MoveSelected(ListBox1, ItemIndex, +1);
}

void TFormWildcard::btnOkClick() {
    // The result is OK before the save: a failed write still closes with OK.
    Ok = true;
    Closed = true;
    SettingsFile(fs_, appDir_).WriteWildcards(ListBox1);
}

void TFormWildcard::Button1Click() {
    (void)shell_.ShowHelp(helpFile_, kHelpButtonContext);
}

TFormselectbyfilter::TFormselectbyfilter(platform::FileSystem& fs, std::string appDir,
                                         platform::Dialogs& dialogs,
                                         std::function<bool()> editWildcards)
    : fs_(fs), appDir_(std::move(appDir)), dialogs_(dialogs),
      editWildcards_(std::move(editWildcards)) {
    Reload();
}

void TFormselectbyfilter::Reload() {
    ComboBox1Items = SettingsFile(fs_, appDir_).ReadWildcards();
    ComboBox1Text = ComboBox1Items.empty() ? "*.*" : ComboBox1Items.front();
    labFolder = SelectedFolder;
}

void TFormselectbyfilter::TreeSelectionChanged(const std::string& folderPath) {
    SelectedFolder = folderPath;
    labFolder = folderPath;
}

void TFormselectbyfilter::SpeedButton1Click() {
    if (editWildcards_ && editWildcards_()) {
        Reload();
    }
}

void TFormselectbyfilter::Button1Click() {
    if (text::Trim(labFolder).empty()) {
        dialogs_.ShowMessage(platform::MessageKind::Warning, "Please select a folder!");
        return;
    }
    Ok = true;
    Closed = true;
}

std::string TFormselectbyfilter::Entry() const {
    std::string entry = SelectedFolder;
    if (entry.empty() || entry.back() != '\\') {
        entry += '\\';
    }
    return entry + text::TrimCopy(ComboBox1Text);
}

} // namespace quill
