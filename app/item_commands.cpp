// The main window's commands that change wash items: add, edit, delete and
// move wash items; add, edit and delete their children; check or uncheck a
// child list; export to and import from plug-in files.

#include "app/main_window.h"

#include "app/with_end.h"
#include "model/catalogue.h"
#include "model/data_files.h"
#include "platform/text.h"

namespace quill {

namespace {

using catalogue_files::kOrder;
using catalogue_files::kSystemItems;
using catalogue_files::kUserItems;
constexpr const char* kPluginFilter = "TXT file (*.TXT)|*.TXT";

bool SameName(const std::string& a, const std::string& b) {
    return text::EqualsNoCase(text::Trim(a), text::Trim(b));
}

// True when a child other than the one at skip carries the name.
template <class Child>
bool ChildNamed(const std::vector<Child>& children, const std::string& name, std::int32_t skip) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (static_cast<std::int32_t>(i) != skip && SameName(children[i].ChildItemName, name)) {
            return true;
        }
    }
    return false;
}

std::string FileNameOf(const std::string& path) {
    const auto cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

EditorServices TFormMainQLMR::Editors() {
    return EditorServices{services_.dialogs, services_.shell, services_.fileDialogs, HelpFile,
                          [this] { return PickByWildcard(); }};
}

bool TFormMainQLMR::NameTakenInFile(const std::string& file, const std::string& name) const {
    return NameTakenByOther(file, name, -1);
}

bool TFormMainQLMR::NameTakenByOther(const std::string& file, const std::string& name,
                                     std::int32_t n) const {
    const IniFile ini(services_.fs, file, IniAccess::OneCommand);
    const std::int32_t total = ini.ReadCount("Common", "Total", "Item");
    for (std::int32_t k = 0; k < total; ++k) {
        if (k != n && SameName(ini.ReadString("Common", "Item" + std::to_string(k), ""), name)) {
            return true;
        }
    }
    return false;
}

void TFormMainQLMR::ReloadCatalogue() {
    LoadCatalogue();
    FillItemList();
    if (ChListBoxItem.Count() > 0) {
        ChListBoxItem.ItemIndex = 0;
        SelectItem();
    } else {
        CurrentItem.reset();
        ChListBoxFolder.Clear();
        ChListBoxRegister.Clear();
    }
    ShowSummary();
}

// --- Wash items ---

void TFormMainQLMR::SpNewClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::string file = AppDir + kUserItems;
    tItemContent scratch(services_.fs, file, "New Item");
    TFormAddEditItem editor;
    editor.Caption = "Add Wash Item";
    editor.Edititemname = "New Item";
    editor.Chisactive = scratch.ItemProperty.IsActive;
    editor.LabelStore = file;
    Host().ShowModal(editor);
    if (editor.ModalResult_ != ModalResult::OK) {
        return;
    }
    // Stored trimmed, as every name is read back.
    const std::string name = text::TrimCopy(editor.Edititemname);
    if (NameTakenInFile(file, name)) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                      "Item Name exists! Please retry.");
        return;
    }
    Catalogue.SaveToFile(AppDir + kOrder);
    scratch.AppendToFile(file, name, editor.Chisactive);
    LoadCatalogue();
    FillItemList();
    ChListBoxItem.ItemIndex = ChListBoxItem.Count() - 1;
    SelectItem();
    ShowSummary();
}

void TFormMainQLMR::SpEditClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || !CurrentItem || row >= Catalogue.Count()) {
        return;
    }
    // A copy: the edit goes to this wash item wherever the selection is
    // when the editor closes.
    const titem_property item = CurrentItem->ItemProperty;
    TFormAddEditItem editor;
    editor.Caption = "Edit Wash Item";
    editor.Edititemname = item.ItemName;
    editor.Chisactive = item.IsActive;
    editor.LabelStore = item.txtfilename;
    Host().ShowModal(editor);
    if (editor.ModalResult_ != ModalResult::OK) {
        return;
    }
    const std::int32_t n = ItemIndexInFile(services_.fs, item.txtfilename, item.ItemName);
    const std::string name = text::TrimCopy(editor.Edititemname);
    if (NameTakenByOther(item.txtfilename, name, n)) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                      "Item Name exists! Please retry.");
        return;
    }
    for (titem_property& entry : Catalogue.Items) {
        if (entry.txtfilename == item.txtfilename && entry.ItemName == item.ItemName) {
            entry.IsActive = editor.Chisactive;
            break;
        }
    }
    Catalogue.SaveToFile(AppDir + kOrder);
    tItemContent(services_.fs, item.txtfilename, item.ItemName).Rename(name, editor.Chisactive, n);
    LoadCatalogue();
    FillItemList();
    ChListBoxItem.ItemIndex = ChListBoxItem.Count() - 1;
    SelectItem();
    ShowSummary();
}

void TFormMainQLMR::SpDeleteClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || row >= Catalogue.Count()) {
        return;
    }
    if (!services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "Do you want to delete '" + ChListBoxItem.At(row).Text +
                                           "'?")) {
        return;
    }
    const titem_property entry = Catalogue.Items[static_cast<std::size_t>(row)];
    Catalogue.SaveToFile(AppDir + kOrder);
    tItemContent::RemoveFromFile(services_.fs, entry.txtfilename, entry.ItemName,
                                 ItemIndexInFile(services_.fs, entry.txtfilename, entry.ItemName));
    LoadCatalogue();
    FillItemList();
    if (ChListBoxItem.Count() == 0) {
        CurrentItem.reset();
        ChListBoxFolder.Clear();
        ChListBoxRegister.Clear();
    } else {
        ChListBoxItem.ItemIndex = ChListBoxItem.Valid(row) ? row : 0;
        SelectItem();
    }
    ShowSummary();
}

void TFormMainQLMR::btnUpClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || row == 0) {
        return;
    }
    Catalogue.MoveUp(row);
    FillItemList();
    ChListBoxItem.ItemIndex = row - 1;
    SelectItem();
}

void TFormMainQLMR::btnDownClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!ChListBoxItem.Valid(row) || row == ChListBoxItem.Count() - 1) {
        return;
    }
    Catalogue.MoveDown(row);
    FillItemList();
    ChListBoxItem.ItemIndex = row + 1;
    SelectItem();
}

// --- Children ---

void TFormMainQLMR::SetAllChildChecks(CheckListBox& list, bool checked) {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t remembered = list.Count() > 0 ? list.ItemIndex : 0;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        if (list.Checked(i) == checked) {
            continue;
        }
        list.ItemIndex = i;
        list.SetChecked(i, checked);
        if (&list == &ChListBoxFolder) {
            ChListBoxFolderClickCheck(i);
        } else {
            ChListBoxRegisterClickCheck(i);
        }
    }
    if (list.Count() > 0) {
        list.ItemIndex = remembered;
    }
}

bool TFormMainQLMR::ShowsItem(const titem_property& item) const {
    return CurrentItem && CurrentItem->ItemProperty.txtfilename == item.txtfilename &&
           CurrentItem->ItemProperty.ItemName == item.ItemName;
}

// The editors work on copies and write to the wash item they were opened
// for, loaded again from its file when they close: nothing they hold can be
// replaced by a selection made meanwhile. The lists take the change when
// they still show that item.

void TFormMainQLMR::EditFolderChild(bool adding) {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    if (!ChListBoxItem.Valid(ChListBoxItem.ItemIndex) || !CurrentItem) {
        return;
    }
    const std::int32_t k = adding ? ChListBoxFolder.Count() : ChListBoxFolder.ItemIndex;
    if (!adding && (!ChListBoxFolder.Valid(k) || k >= CurrentItem->Folders.Count())) {
        return;
    }
    const titem_property owner = CurrentItem->ItemProperty;
    tChildFolder child(services_.fs, CurrentItem->Folders.FileName,
                       CurrentItem->Folders.SectionName, k);
    if (adding) {
        child.ChildItemName.clear();
        child.RegisterName.clear();
        child.RegisterValueofName.clear();
        child.deletepath.clear();
        child.deletefilename.clear();
        // A key left at this place by a child deleted before must not make
        // the new one remove folders: the box starts unticked.
        child.RemoveEmptyFolders = false;
    }
    TFormFolder editor(Editors());
    editor.Caption = adding ? "Add Folder/File Item" : "Edit Folder/File Item";
    TransferFolderChild(editor, child, TransferDirection::IntoEditor);
    Host().ShowModal(editor);
    TransferFolderChild(editor, child, TransferDirection::BackIntoChild);
    if (editor.ModalResult_ != ModalResult::OK) {
        return;
    }
    auto item = std::make_unique<tItemContent>(services_.fs, owner.txtfilename, owner.ItemName);
    tFolder& folders = item->Folders;
    if (!adding && k >= folders.Count()) {
        return; // the child is gone from the file meanwhile
    }
    if (ChildNamed(folders.Items, child.ChildItemName, adding ? -1 : k)) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                      "Item '" + child.ChildItemName + "' exists. Please retry!");
        return;
    }
    if (adding) {
        child.Index = folders.Count();
        folders.Add(child);
    } else {
        folders.Replace(child, k);
    }
    folders.Save();
    if (!ShowsItem(owner)) {
        return;
    }
    CurrentItem = std::move(item);
    if (adding) {
        ChListBoxFolder.Add(child.ChildItemName, child.isactive);
        ChListBoxFolder.ItemIndex = ChListBoxFolder.Count() - 1;
    } else if (ChListBoxFolder.Valid(k)) {
        ChListBoxFolder.SetRow(k, child.ChildItemName, child.isactive);
        ChListBoxFolder.ItemIndex = k;
    }
}

void TFormMainQLMR::EditRegistryChild(bool adding) {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    if (!ChListBoxItem.Valid(ChListBoxItem.ItemIndex) || !CurrentItem) {
        return;
    }
    const std::int32_t k = adding ? ChListBoxRegister.Count() : ChListBoxRegister.ItemIndex;
    if (!adding && (!ChListBoxRegister.Valid(k) || k >= CurrentItem->Registers.Count())) {
        return;
    }
    const titem_property owner = CurrentItem->ItemProperty;
    tChildRegister child(services_.fs, CurrentItem->Registers.FileName,
                         CurrentItem->Registers.SectionName, k);
    if (adding) {
        child.ChildItemName.clear();
        child.RegisterKeyName.clear();
        child.RegisterSingleValue.clear();
    }
    TFormRegister editor(Editors());
    editor.Caption = adding ? "Add Registry Entry Item" : "Edit Current Registry Entry Item";
    TransferRegistryChild(editor, child, TransferDirection::IntoEditor);
    Host().ShowModal(editor);
    TransferRegistryChild(editor, child, TransferDirection::BackIntoChild);
    if (editor.ModalResult_ != ModalResult::OK) {
        return;
    }
    auto item = std::make_unique<tItemContent>(services_.fs, owner.txtfilename, owner.ItemName);
    tRegister& registers = item->Registers;
    if (!adding && k >= registers.Count()) {
        return; // the child is gone from the file meanwhile
    }
    if (ChildNamed(registers.Items, child.ChildItemName, adding ? -1 : k)) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                      "Item '" + child.ChildItemName + "' exists. Please retry!");
        return;
    }
    if (adding) {
        child.Index = registers.Count();
        registers.Add(child);
    } else {
        registers.Replace(child, k);
    }
    registers.Save();
    if (!ShowsItem(owner)) {
        return;
    }
    CurrentItem = std::move(item);
    if (adding) {
        ChListBoxRegister.Add(child.ChildItemName, child.isactive);
        ChListBoxRegister.ItemIndex = ChListBoxRegister.Count() - 1;
    } else if (ChListBoxRegister.Valid(k)) {
        ChListBoxRegister.SetRow(k, child.ChildItemName, child.isactive);
        ChListBoxRegister.ItemIndex = k;
    }
}

void TFormMainQLMR::btndeletefolderClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t k = ChListBoxFolder.ItemIndex;
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!CurrentItem || !ChListBoxFolder.Valid(k) || !ChListBoxItem.Valid(row) ||
        k >= CurrentItem->Folders.Count()) {
        return;
    }
    if (!services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "Do you want to delete '" + ChListBoxItem.At(row).Text +
                                           " -> " + ChListBoxFolder.At(k).Text + "'?")) {
        return;
    }
    CurrentItem->Folders.Delete(k);
    ChListBoxFolder.Delete(k);
    ChListBoxFolder.ItemIndex =
        ChListBoxFolder.Valid(k) ? k : (ChListBoxFolder.Count() > 0 ? 0 : -1);
    CurrentItem->Folders.Save();
}

void TFormMainQLMR::btndeleteregisterClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const std::int32_t k = ChListBoxRegister.ItemIndex;
    const std::int32_t row = ChListBoxItem.ItemIndex;
    if (!CurrentItem || !ChListBoxRegister.Valid(k) || !ChListBoxItem.Valid(row) ||
        k >= CurrentItem->Registers.Count()) {
        return;
    }
    if (!services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "Do you want to delete '" + ChListBoxItem.At(row).Text +
                                           " -> " + ChListBoxRegister.At(k).Text + "'?")) {
        return;
    }
    CurrentItem->Registers.Delete(k);
    ChListBoxRegister.Delete(k);
    ChListBoxRegister.ItemIndex =
        ChListBoxRegister.Valid(k) ? k : (ChListBoxRegister.Count() > 0 ? 0 : -1);
    CurrentItem->Registers.Save();
}

// --- Plug-in files ---

void TFormMainQLMR::btnSavePluginClick() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const platform::FileDialogRequest request{"Save Wash Item selected to PlugIn file",
                                              kPluginFilter, "txt", true};
    std::string path;
    if (!services_.fileDialogs.ChooseFileToSave(request, path)) {
        return;
    }
    // The export starts from an empty file; one of the program's own files
    // would lose what it holds.
    std::vector<std::string> own = WashItemFiles(services_.fs, AppDir);
    own.push_back(AppDir + kOrder);
    own.push_back(AppDir + data_files::kSettings);
    for (const std::string& file : own) {
        if (text::EqualsNoCase(file, path)) {
            services_.dialogs.ShowMessage(platform::MessageKind::Error,
                                          "The file '" + path +
                                              "' belongs to the program. Please choose another "
                                              "file!");
            return;
        }
    }
    (void)services_.fs.Delete(path);
    ListsSuspended = true;
    std::int32_t count = 0;
    WithEnd(
        [&] {
            for (std::int32_t i = 0; i < ChListBoxItem.Count(); ++i) {
                if (!ChListBoxItem.Checked(i)) {
                    continue;
                }
                ChListBoxItem.ItemIndex = i;
                SelectItem();
                if (CurrentItem && CurrentItem->ItemProperty.txtfilename != AppDir + kSystemItems) {
                    const titem_property item = CurrentItem->ItemProperty;
                    CurrentItem->AppendToFile(path, item.ItemName, item.IsActive);
                    ++count;
                }
            }
        },
        [this] {
            ListsSuspended = false;
            // The exported copy is bound to the plug-in file; the selected
            // wash item is loaded again from its own file, where later
            // changes belong.
            SelectItem();
        });
    if (count == 0) {
        services_.dialogs.ShowMessage(platform::MessageKind::Information,
                                      "No washer items to be exported!\rNote: The Wash Items "
                                      "created by software author will not be include when "
                                      "export!");
    } else {
        services_.dialogs.ShowMessage(platform::MessageKind::Information,
                                      std::to_string(count) + " washer items are exported!");
    }
}

void TFormMainQLMR::SpeedButton7Click() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const platform::FileDialogRequest request{"Import Wash Items from PlugIn File", kPluginFilter,
                                              "txt", false};
    std::string source;
    if (!services_.fileDialogs.ChooseFileToOpen(request, source)) {
        return;
    }
    const std::string target = AppDir + "plugin\\" + FileNameOf(source);
    if (services_.fs.Exists(target) &&
        !services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "The file '" + target + "' already exists! OverWrite?")) {
        return;
    }
    // A failed copy is not reported: the reload shows the catalogue as it is.
    std::string bytes;
    if (Succeeded(services_.fs.ReadWholeFile(source, bytes))) {
        (void)services_.fs.CreateFolder(AppDir + "plugin");
        (void)services_.fs.ReplaceFileContent(target, bytes);
    }
    ReloadCatalogue();
}

} // namespace quill
