#pragma once

#include "help/context_ids.h"
#include "model/wash_items.h"
#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/shell.h"

#include <functional>
#include <optional>
#include <string>

// The three editors of what a wash item stores: its name and Active flag, one
// folder/file child, one registry child. Each is filled by its caller, shown
// once, read back and dropped; the editors only insist on the texts they
// cannot do without.

namespace quill {

enum class ModalResult { None, OK, Cancel };
enum class TransferDirection { IntoEditor, BackIntoChild };

// What the editors use of the program: messages, the shell and its files.
struct EditorServices {
    platform::Dialogs& dialogs;
    platform::Shell& shell;
    platform::FileDialogs& fileDialogs;
    std::string helpFile;
    // Shows the filter selection dialog; the entry chosen, or nothing.
    std::function<std::optional<std::string>()> pickByWildcard;
};

class TFormAddEditItem {
public:
    static constexpr int kHelpContext = kHelpEditingItems;

    void btnSaveClick();
    void btncancelClick() { ModalResult_ = ModalResult::Cancel; }

    std::string Caption = "Add or Edit Item";
    std::string Edititemname;
    bool Chisactive = false;
    std::string LabelStore = "Stored in File:";
    ModalResult ModalResult_ = ModalResult::None;
};

class TFormFolder {
public:
    static constexpr int kHelpContext = kHelpEditingItems;

    explicit TFormFolder(EditorServices services) : services_(std::move(services)) {}

    void SpeedButton1Click(); // Save
    void SpeedButton2Click() { ModalResult_ = ModalResult::Cancel; }
    void SpeedButton4Click(); // Help
    void SpeedButton3Click(); // Open Registry
    void btnSelectFileClick();
    void btnAddWildcardClick();
    // Chooses one of the three kinds; the others are cleared.
    void ChooseKind(bycategory kind);
    bycategory ChosenKind() const;

    std::string Caption = "Add Edit Folder";
    std::string EditItemName;
    bool Chisactive = false;
    bool rbSingle = false;
    std::string EditSingle;
    bool rbFolder = true;
    std::string EditFolder;
    bool rbRegister = false;
    std::string EditRegister;
    std::string EditRegisterValue;
    bool Chincludesubfolder = false;
    // After the files, the folders the wash leaves empty go too, up to and
    // including the entry's own folder.
    bool ChRemoveEmptyFolders = false;
    ModalResult ModalResult_ = ModalResult::None;

private:
    EditorServices services_;
};

class TFormRegister {
public:
    static constexpr int kHelpContext = kHelpEditingItems;

    explicit TFormRegister(EditorServices services) : services_(std::move(services)) {}

    void btnSaveClick();
    void btnCancelClick() { ModalResult_ = ModalResult::Cancel; }
    void SpeedButton1Click(); // Help
    void SpeedButton3Click(); // Open Registry
    void ChooseKind(CleanRegisterType kind);
    CleanRegisterType ChosenKind() const;

    std::string Caption = "Add Edit Register";
    std::string EditItemName;
    bool Chisactive = false;
    std::string EditKeyName;
    bool rbdeleteSingleValue = false;
    std::string EditSingleRegisterValue;
    bool rbDeleteValue = true;
    bool rbdeleteKey = false;
    ModalResult ModalResult_ = ModalResult::None;

private:
    EditorServices services_;
};

// Copies every mapped field between editor and child; nothing else of the
// child changes. Texts come back trimmed.
void TransferFolderChild(TFormFolder& editor, tChildFolder& child, TransferDirection direction);
void TransferRegistryChild(TFormRegister& editor, tChildRegister& child,
                           TransferDirection direction);

} // namespace quill
