#pragma once

#include "help/context_ids.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/shell.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The wildcard list (favourite file masks kept in the settings file) and the
// two dialogs that serve it: the filter selection dialog, which picks a
// folder and a mask, and the wildcard dialog, which edits the list.

namespace quill {

class TFormWildcard {
public:
    static constexpr int kHelpContext = kHelpWildcardDialog;     // F1
    static constexpr int kHelpButtonContext = kHelpEditingItems; // its Help button

    TFormWildcard(platform::FileSystem& fs, std::string appDir, platform::Dialogs& dialogs,
                  platform::Shell& shell, std::string helpFile);

    void SpNewClick();                     // add wildcard
    void Button4Click();                   // delete a item
    void SpeedButton1Click();              // delete all items
    void SpeedButton3Click();              // up a item
    void SpeedButton2Click();              // down a item
    void btnOkClick();                     // OK, then save
    void Button3Click() { Closed = true; } // cancel
    void Button1Click();                   // help

    std::string Caption = "Edit Wildcard";
    std::vector<std::string> ListBox1;
    std::int32_t ItemIndex = -1;
    std::string Edit1;
    bool Ok = false;
    bool Closed = false;

private:
    platform::FileSystem& fs_;
    std::string appDir_;
    platform::Dialogs& dialogs_;
    platform::Shell& shell_;
    std::string helpFile_;
};

class TFormselectbyfilter {
public:
    static constexpr int kHelpContext = kHelpFilterSelection;

    // editWildcards shows a wildcard dialog and says whether it ended with OK.
    TFormselectbyfilter(platform::FileSystem& fs, std::string appDir, platform::Dialogs& dialogs,
                        std::function<bool()> editWildcards);

    // Loads the wildcard list and shows the selected folder.
    void Reload();
    // The folder chosen in the tree: its path, or empty for a node without
    // one (such as the computer).
    void TreeSelectionChanged(const std::string& folderPath);
    void SpeedButton1Click();              // edit wildcard
    void Button1Click();                   // OK
    void Button2Click() { Closed = true; } // cancel

    // The entry the choice stands for: folder, a backslash unless it ends
    // with one, the mask trimmed.
    std::string Entry() const;

    std::string Caption = "Select files by wildcard";
    std::string SelectedFolder; // the tree's selection
    std::string labFolder;
    std::vector<std::string> ComboBox1Items;
    std::string ComboBox1Text;
    bool Ok = false;
    bool Closed = false;

private:
    platform::FileSystem& fs_;
    std::string appDir_;
    platform::Dialogs& dialogs_;
    std::function<bool()> editWildcards_;
};

} // namespace quill
