#include "settings/item_editors.h"

#include "platform/text.h"

namespace quill {

namespace {

std::string Trimmed(const std::string& s) {
    return text::TrimCopy(s);
}

} // namespace

void TFormAddEditItem::btnSaveClick() {
    if (!Trimmed(Edititemname).empty()) {
        ModalResult_ = ModalResult::OK;
    }
}

void TFormFolder::SpeedButton1Click() {
    if (Trimmed(EditItemName).empty()) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error, "Please input item name!");
        return;
    }
    ModalResult_ = ModalResult::OK;
}

void TFormFolder::SpeedButton4Click() {
    (void)services_.shell.ShowHelp(services_.helpFile, kHelpContext);
}

void TFormFolder::SpeedButton3Click() {
    (void)services_.shell.Open("regedit", "");
}

void TFormFolder::btnSelectFileClick() {
    // A file of any kind, under a title of its own.
    const platform::FileDialogRequest request{"Select File", "All files (*.*)|*.*", "", false};
    std::string path;
    if (services_.fileDialogs.ChooseFileToOpen(request, path)) {
        EditSingle = path;
    }
}

void TFormFolder::btnAddWildcardClick() {
    if (!services_.pickByWildcard) {
        return;
    }
    if (const std::optional<std::string> entry = services_.pickByWildcard()) {
        EditFolder = *entry;
    }
}

void TFormFolder::ChooseKind(bycategory kind) {
    rbRegister = kind == byRegister;
    rbFolder = kind == byFolder;
    rbSingle = kind == bySingle;
}

bycategory TFormFolder::ChosenKind() const {
    if (rbRegister) {
        return byRegister;
    }
    if (rbSingle) {
        return bySingle;
    }
    return byFolder;
}

void TFormRegister::btnSaveClick() {
    if (!Trimmed(EditItemName).empty() && !Trimmed(EditKeyName).empty()) {
        ModalResult_ = ModalResult::OK;
    }
}

void TFormRegister::SpeedButton1Click() {
    (void)services_.shell.ShowHelp(services_.helpFile, kHelpContext);
}

void TFormRegister::SpeedButton3Click() {
    (void)services_.shell.Open("regedit", "");
}

void TFormRegister::ChooseKind(CleanRegisterType kind) {
    rbdeleteKey = kind == deleteKey;
    rbDeleteValue = kind == deleteAllValues;
    rbdeleteSingleValue = kind == deleteSingleValue;
}

CleanRegisterType TFormRegister::ChosenKind() const {
    if (rbdeleteKey) {
        return deleteKey;
    }
    if (rbdeleteSingleValue) {
        return deleteSingleValue;
    }
    return deleteAllValues;
}

void TransferFolderChild(TFormFolder& editor, tChildFolder& child, TransferDirection direction) {
    if (direction == TransferDirection::IntoEditor) {
        editor.EditItemName = child.ChildItemName;
        editor.Chisactive = child.isactive;
        editor.ChooseKind(child.bycategory);
        editor.Chincludesubfolder = child.IsIncludeSubfolder;
        editor.ChRemoveEmptyFolders = child.RemoveEmptyFolders;
        editor.EditRegister = child.RegisterName;
        editor.EditRegisterValue = child.RegisterValueofName;
        editor.EditFolder = child.deletepath;
        editor.EditSingle = child.deletefilename;
        return;
    }
    child.ChildItemName = Trimmed(editor.EditItemName);
    child.isactive = editor.Chisactive;
    child.bycategory = editor.ChosenKind();
    child.IsIncludeSubfolder = editor.Chincludesubfolder;
    child.RemoveEmptyFolders = editor.ChRemoveEmptyFolders;
    child.RegisterName = Trimmed(editor.EditRegister);
    child.RegisterValueofName = Trimmed(editor.EditRegisterValue);
    child.deletepath = Trimmed(editor.EditFolder);
    child.deletefilename = Trimmed(editor.EditSingle);
}

void TransferRegistryChild(TFormRegister& editor, tChildRegister& child,
                           TransferDirection direction) {
    if (direction == TransferDirection::IntoEditor) {
        editor.EditItemName = child.ChildItemName;
        editor.Chisactive = child.isactive;
        editor.EditKeyName = child.RegisterKeyName;
        editor.EditSingleRegisterValue = child.RegisterSingleValue;
        editor.ChooseKind(child.CleanRegisterType);
        return;
    }
    child.ChildItemName = Trimmed(editor.EditItemName);
    child.isactive = editor.Chisactive;
    child.RegisterKeyName = Trimmed(editor.EditKeyName);
    child.RegisterSingleValue = Trimmed(editor.EditSingleRegisterValue);
    child.CleanRegisterType = editor.ChosenKind();
}

} // namespace quill
