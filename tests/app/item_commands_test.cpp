// Changing wash items from the main window: adding, editing, deleting and
// moving wash items, their children through the editors, checking a child
// list, exporting and importing plug-in files; and the editors' own rules.

#include "app/main_window.h"

#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_dialogs.h"
#include "platform/memory/memory_hot_keys.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_info.h"
#include "settings/settings_file.h"
#include "support/app_test.h"
#include "support/fake_window.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using platform::MessageKind;

class ItemCommandsTest : public test::AppTest {
protected:
    void SetUp() override {
        env->Put("const\\system.txt", "[Common]\r\nTotal=1\r\nItem0=Shipped\r\n[Shipped]\r\n"
                                      "IsActive=1\r\n");
        env->Put("const\\user.txt",
                 "[Common]\r\nTotal=2\r\nItem0=Mine\r\nItem1=Other\r\n[Mine]\r\nIsActive=1\r\n"
                 "tFolder.Total=2\r\ntFolder0.ChildItemName=Temp\r\ntFolder0.isactive=0\r\n"
                 "tFolder0.deletepath=C:\\Temp\\*.tmp\r\ntFolder1.ChildItemName=Logs\r\n"
                 "tFolder1.isactive=0\r\n"
                 "tRegister.Total=1\r\ntRegister0.ChildItemName=MRU\r\n"
                 "tRegister0.RegisterKeyName=HKEY_CURRENT_USER\\Software\\X\r\n"
                 "[Other]\r\nIsActive=0\r\n");
    }

    static std::string Rows(const CheckListBox& list) {
        std::string out;
        for (std::int32_t i = 0; i < list.Count(); ++i) {
            out += list.At(i).Text + (list.Checked(i) ? "+" : "-") + ",";
        }
        return out;
    }

    void Select(TFormMainQLMR& w, std::int32_t row) {
        w.ChListBoxItem.ItemIndex = row;
        w.SelectItem();
    }

    std::string LastMessage() const {
        return dialogs.shown.empty() ? "" : dialogs.shown.back().text;
    }
};

TEST_F(ItemCommandsTest, AddingAWashItemRefusesANameTheUserFileHas) {
    auto w = Start();
    window.onItemEditor = [](TFormAddEditItem& e) {
        EXPECT_EQ(e.Caption, "Add Wash Item");
        EXPECT_EQ(e.Edititemname, "New Item");
        e.Edititemname = "  mINE ";
        e.btnSaveClick();
    };
    w->SpNewClick();
    EXPECT_EQ(LastMessage(), "Item Name exists! Please retry.");
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Mine+,Other-,");

    // The shipped name is in another file: allowed; listed last, selected.
    window.onItemEditor = [&](TFormAddEditItem& e) {
        EXPECT_EQ(e.LabelStore, app + "const\\user.txt");
        e.Edititemname = " Shipped ";
        e.Chisactive = false;
        e.btnSaveClick();
    };
    w->SpNewClick();
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Mine+,Other-,Shipped-,");
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 3);
    EXPECT_EQ(w->CurrentItem->ItemProperty.txtfilename, app + "const\\user.txt");
    EXPECT_NE(env->Get("const\\user.txt").find("Item2=Shipped\r\n"), std::string::npos);
    EXPECT_NE(env->Get("order.ini"), "<missing>");

    // A blank name keeps the editor open, and closing it adds nothing.
    window.onItemEditor = [](TFormAddEditItem& e) {
        e.Edititemname = "   ";
        e.btnSaveClick();
        EXPECT_EQ(e.ModalResult_, ModalResult::None);
        e.btncancelClick();
    };
    w->SpNewClick();
    EXPECT_EQ(w->ChListBoxItem.Count(), 4);
}

TEST_F(ItemCommandsTest, EditingAWashItemChecksTheOtherNamesOfItsFile) {
    auto w = Start();
    Select(*w, 1); // Mine
    window.onItemEditor = [](TFormAddEditItem& e) {
        EXPECT_EQ(e.Caption, "Edit Wash Item");
        EXPECT_EQ(e.Edititemname, "Mine");
        e.Edititemname = "other";
        e.btnSaveClick();
    };
    w->SpEditClick();
    EXPECT_EQ(LastMessage(), "Item Name exists! Please retry.");

    window.onItemEditor = [](TFormAddEditItem& e) {
        e.Edititemname = "Renamed";
        e.Chisactive = false;
        e.btnSaveClick();
    };
    w->SpEditClick();
    // A new name no longer matches its order entry: it moves to the end.
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Other-,Renamed-,");
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 2);
    ASSERT_TRUE(w->CurrentItem);
    EXPECT_EQ(w->CurrentItem->Folders.Count(), 2);
}

TEST_F(ItemCommandsTest, DeletingAndMovingWashItems) {
    auto w = Start();
    Select(*w, 2);
    dialogs.answers = {false};
    w->SpDeleteClick();
    EXPECT_EQ(LastMessage(), "Do you want to delete 'Other'?");
    EXPECT_EQ(w->ChListBoxItem.Count(), 3);

    dialogs.answers = {true};
    w->SpDeleteClick(); // the last row: the selection goes to row 0
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Mine+,");
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 0);
    EXPECT_EQ(env->Get("const\\user.txt").find("[Other]"), std::string::npos);

    w->btnUpClick(); // row 0: nothing
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Mine+,");
    w->btnDownClick();
    EXPECT_EQ(Rows(w->ChListBoxItem), "Mine+,Shipped+,");
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 1);
    w->btnDownClick(); // the last row: nothing
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 1);

    dialogs.answers = {true, true};
    w->SpDeleteClick();
    w->SpDeleteClick();
    EXPECT_EQ(w->ChListBoxItem.Count(), 0);
    EXPECT_EQ(w->ChListBoxFolder.Count(), 0);
    EXPECT_FALSE(w->CurrentItem);
}

TEST_F(ItemCommandsTest, RemovingEmptyFoldersIsTheEditorsTickAndNeverLeftOverFromAnOldChild) {
    env->Put("const\\user.txt", "[Common]\r\nTotal=1\r\nItem0=Mine\r\n[Mine]\r\nIsActive=1\r\n"
                                "tFolder.Total=0\r\ntFolder0.ChildItemName=Old\r\n"
                                "tFolder0.RemoveEmptyFolders=1\r\n");
    auto w = Start();
    Select(*w, 1);
    window.onFolderEditor = [](TFormFolder& e) {
        e.EditItemName = "New";
        e.EditFolder = "C:\\Temp\\*.tmp";
        e.SpeedButton1Click();
    };
    w->btnaddfolderClick();
    tItemContent stored(env->Fs(), app + "const\\user.txt", "Mine");
    ASSERT_EQ(stored.Folders.Count(), 1);
    EXPECT_FALSE(stored.Folders.Items[0].RemoveEmptyFolders);
    EXPECT_EQ(env->Get("const\\user.txt").find("RemoveEmptyFolders"), std::string::npos);

    // Ticked in the editor, stored; shown ticked the next time; unticked, gone.
    window.onFolderEditor = [](TFormFolder& e) {
        EXPECT_FALSE(e.ChRemoveEmptyFolders);
        e.ChRemoveEmptyFolders = true;
        e.SpeedButton1Click();
    };
    w->btnEditFolderClick();
    EXPECT_TRUE(tItemContent(env->Fs(), app + "const\\user.txt", "Mine")
                    .Folders.Items[0]
                    .RemoveEmptyFolders);
    window.onFolderEditor = [](TFormFolder& e) {
        EXPECT_TRUE(e.ChRemoveEmptyFolders);
        e.ChRemoveEmptyFolders = false;
        e.SpeedButton1Click();
    };
    w->btnEditFolderClick();
    EXPECT_EQ(env->Get("const\\user.txt").find("RemoveEmptyFolders"), std::string::npos);
}

TEST_F(ItemCommandsTest, FolderChildrenAreAddedEditedAndDeletedThroughTheEditor) {
    auto w = Start();
    Select(*w, 1);
    window.onFolderEditor = [](TFormFolder& e) {
        EXPECT_EQ(e.Caption, "Add Folder/File Item");
        EXPECT_EQ(e.EditItemName, "");
        EXPECT_TRUE(e.rbFolder);
        e.EditItemName = " temp ";
        e.SpeedButton1Click();
    };
    w->btnaddfolderClick();
    EXPECT_EQ(LastMessage(), "Item 'temp' exists. Please retry!");
    EXPECT_EQ(w->ChListBoxFolder.Count(), 2);

    window.onFolderEditor = [](TFormFolder& e) {
        e.EditItemName = " Cache ";
        e.Chisactive = true;
        e.EditFolder = "  {windows}\\Cache\\*.* ";
        e.SpeedButton1Click();
    };
    w->btnaddfolderClick();
    EXPECT_EQ(Rows(w->ChListBoxFolder), "Temp-,Logs-,Cache+,");
    EXPECT_EQ(w->ChListBoxFolder.ItemIndex, 2);
    tItemContent stored(env->Fs(), app + "const\\user.txt", "Mine");
    ASSERT_EQ(stored.Folders.Count(), 3);
    EXPECT_EQ(stored.Folders.Items[2].deletepath, "{windows}\\Cache\\*.*");

    // Editing row 0 to its own name is fine; switching the kind keeps the
    // folder path; a cancelled edit stores nothing.
    w->ChListBoxFolder.ItemIndex = 0;
    window.onFolderEditor = [](TFormFolder& e) {
        EXPECT_EQ(e.Caption, "Edit Folder/File Item");
        EXPECT_EQ(e.EditFolder, "C:\\Temp\\*.tmp");
        e.EditItemName = "TEMP";
        e.ChooseKind(bySingle);
        e.EditSingle = "C:\\one.txt";
        e.SpeedButton1Click();
    };
    w->btnEditFolderClick();
    tItemContent edited(env->Fs(), app + "const\\user.txt", "Mine");
    EXPECT_EQ(edited.Folders.Items[0].ChildItemName, "TEMP");
    EXPECT_EQ(edited.Folders.Items[0].bycategory, bySingle);
    EXPECT_EQ(edited.Folders.Items[0].deletepath, "C:\\Temp\\*.tmp");
    window.onFolderEditor = [](TFormFolder& e) {
        e.EditItemName = "Changed";
        e.SpeedButton2Click();
    };
    w->btnEditFolderClick();
    EXPECT_EQ(w->ChListBoxFolder.At(0).Text, "TEMP");

    dialogs.answers = {true};
    w->ChListBoxFolder.ItemIndex = 2;
    w->btndeletefolderClick();
    EXPECT_EQ(LastMessage(), "Do you want to delete 'Mine -> Cache'?");
    EXPECT_EQ(Rows(w->ChListBoxFolder), "TEMP-,Logs-,");
    EXPECT_EQ(w->ChListBoxFolder.ItemIndex, 0);
    EXPECT_EQ(tItemContent(env->Fs(), app + "const\\user.txt", "Mine").Folders.Count(), 2);
}

TEST_F(ItemCommandsTest, RegistryChildrenNeedANameAndAKey) {
    auto w = Start();
    Select(*w, 1);
    window.onRegisterEditor = [](TFormRegister& e) {
        EXPECT_EQ(e.Caption, "Add Registry Entry Item");
        e.EditItemName = "Run";
        e.btnSaveClick(); // no key yet: stays open
        EXPECT_EQ(e.ModalResult_, ModalResult::None);
        e.EditKeyName = " HKEY_CURRENT_USER\\Software\\Run ";
        e.ChooseKind(deleteSingleValue);
        e.EditSingleRegisterValue = " last ";
        e.btnSaveClick();
    };
    w->btnAddRegsiterChildClick();
    EXPECT_EQ(Rows(w->ChListBoxRegister), "MRU-,Run-,");
    tItemContent stored(env->Fs(), app + "const\\user.txt", "Mine");
    ASSERT_EQ(stored.Registers.Count(), 2);
    EXPECT_EQ(stored.Registers.Items[1].RegisterKeyName, "HKEY_CURRENT_USER\\Software\\Run");
    EXPECT_EQ(stored.Registers.Items[1].RegisterSingleValue, "last");
    EXPECT_EQ(stored.Registers.Items[1].CleanRegisterType, deleteSingleValue);

    window.onRegisterEditor = [](TFormRegister& e) {
        e.EditItemName = "mru";
        e.btnSaveClick();
    };
    w->ChListBoxRegister.ItemIndex = 1;
    w->btnEditRegsiterChildClick();
    EXPECT_EQ(LastMessage(), "Item 'mru' exists. Please retry!");

    // Checking the whole list writes each child that changes.
    w->SpeedButton6Click();
    EXPECT_EQ(Rows(w->ChListBoxRegister), "MRU+,Run+,");
    EXPECT_EQ(w->ChListBoxRegister.ItemIndex, 1);
    tItemContent checked(env->Fs(), app + "const\\user.txt", "Mine");
    EXPECT_TRUE(checked.Registers.Items[0].isactive);
    EXPECT_TRUE(checked.Registers.Items[1].isactive);
    w->SpeedButton4Click();
    EXPECT_FALSE(
        tItemContent(env->Fs(), app + "const\\user.txt", "Mine").Folders.Items[1].isactive);
}

TEST_F(ItemCommandsTest, ExportWritesTheCheckedUserItemsOnly) {
    auto w = Start();
    env->Put("out.txt", "old");
    w->ChListBoxItem.SetChecked(1, false); // only Shipped is checked
    fileDialogs.answers = {app + "out.txt"};
    w->btnSavePluginClick();
    EXPECT_EQ(fileDialogs.asked[0].title, "Save Wash Item selected to PlugIn file");
    EXPECT_EQ(LastMessage(), "No washer items to be exported!\rNote: The Wash Items created by "
                             "software author will not be include when export!");
    EXPECT_EQ(env->Get("out.txt"), "<missing>");

    w->ChListBoxItem.SetChecked(1, true);
    w->ChListBoxItem.SetChecked(2, true);
    fileDialogs.answers = {app + "out.txt"};
    w->btnSavePluginClick();
    EXPECT_EQ(LastMessage(), "2 washer items are exported!");
    titem_list exported(env->Fs());
    exported.LoadFromFile(app + "out.txt");
    ASSERT_EQ(exported.Count(), 2);
    EXPECT_EQ(exported.Items[0].ItemName, "Mine");
    EXPECT_EQ(tItemContent(env->Fs(), app + "out.txt", "Mine").Folders.Count(), 2);
    // The selection is its own file's again.
    EXPECT_EQ(w->CurrentItem->ItemProperty.txtfilename, app + "const\\user.txt");

    // The program's own files are never emptied by an export.
    const std::string before = env->Get("const\\user.txt");
    fileDialogs.answers = {app + "CONST\\user.txt"};
    w->btnSavePluginClick();
    EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Error);
    EXPECT_EQ(env->Get("const\\user.txt"), before);
}

TEST_F(ItemCommandsTest, ImportCopiesIntoThePluginFolderAndAsksBeforeReplacing) {
    auto w = Start();
    env->Put("in\\extra.txt", "[Common]\r\nTotal=1\r\nItem0=Extra\r\n");
    fileDialogs.answers = {app + "in\\extra.txt"};
    w->SpeedButton7Click();
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Mine+,Other-,Extra+,");
    EXPECT_EQ(w->ChListBoxItem.ItemIndex, 0);

    env->Put("in\\extra.txt", "[Common]\r\nTotal=1\r\nItem0=Replaced\r\n");
    fileDialogs.answers = {app + "in\\extra.txt"};
    dialogs.answers = {false};
    w->SpeedButton7Click();
    EXPECT_EQ(LastMessage(), "The file '" + app + "plugin\\extra.txt' already exists! OverWrite?");
    EXPECT_EQ(w->ChListBoxItem.At(3).Text, "Extra");

    fileDialogs.answers = {app + "in\\extra.txt"};
    dialogs.answers = {true};
    w->SpeedButton7Click();
    EXPECT_EQ(w->ChListBoxItem.At(3).Text, "Replaced");

    fileDialogs.answers = {""}; // cancelled
    w->SpeedButton7Click();
    EXPECT_EQ(w->ChListBoxItem.Count(), 4);
}

TEST_F(ItemCommandsTest, ImportWinapp2WritesPluginFilesShowsTheReportAndReloads) {
    auto w = Start();
    env->Put("in\\winapp2.ini",
             "; rules\r\n\r\n"
             "[Found App *]\r\nLangSecRef=3021\r\nWarning=Also the recent list.\r\n"
             "FileKey1=%WinDir%\\QuillTest|*.tmp|REMOVESELF\r\n\r\n"
             "[Absent App *]\r\nLangSecRef=3021\r\n"
             "Detect=HKCU\\Software\\Quillmere Test Key That Is Not There\r\n"
             "FileKey1=%WinDir%\\QuillAbsent|*.tmp\r\n\r\n"
             "[Shipped *]\r\nLangSecRef=3021\r\nFileKey1=%WinDir%\\QuillTest|*.log\r\n");
    fileDialogs.answers = {app + "in\\winapp2.ini"};
    dialogs.answers = {false}; // only what this computer has
    w->btnImportWinapp2Click();
    ASSERT_GE(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Question);
    EXPECT_EQ(dialogs.shown[0].text,
              "Also import the entries for programs not found on this computer?");
    EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Information);
    EXPECT_NE(LastMessage().find("Entries read: 3\r\nImported: 1\r\n"
                                 "Skipped, program not found on this computer: 1\r\n"
                                 "Skipped, not supported: 1"),
              std::string::npos)
        << LastMessage();
    EXPECT_NE(LastMessage().find("Shipped: an item of that name exists already"),
              std::string::npos);
    EXPECT_EQ(Rows(w->ChListBoxItem), "Shipped+,Mine+,Other-,Found App-,");
    tItemContent found(env->Fs(), app + "plugin\\winapp2 Applications.txt", "Found App");
    EXPECT_EQ(found.Warning, "Also the recent list.");
    ASSERT_EQ(found.Folders.Count(), 1);
    EXPECT_TRUE(found.Folders.Items[0].RemoveEmptyFolders);

    // Asked for everything: the earlier import's file is replaced, not doubled.
    fileDialogs.answers = {app + "in\\winapp2.ini"};
    dialogs.answers = {true};
    w->btnImportWinapp2Click();
    EXPECT_NE(LastMessage().find("Imported: 2\r\n"), std::string::npos) << LastMessage();
    EXPECT_EQ(w->ChListBoxItem.Count(), 5);

    // Cancelled, or a file that cannot be read: nothing changes.
    const std::size_t shown = dialogs.shown.size();
    fileDialogs.answers = {""};
    w->btnImportWinapp2Click();
    EXPECT_EQ(dialogs.shown.size(), shown);
    fileDialogs.answers = {app + "in\\missing.ini"};
    w->btnImportWinapp2Click();
    EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Error);
    EXPECT_EQ(LastMessage(), "Unable to read " + app + "in\\missing.ini");
    EXPECT_EQ(w->ChListBoxItem.Count(), 5);
}

TEST_F(ItemCommandsTest, FolderEditorAsksForANameAndOpensItsAids) {
    TFormFolder editor({dialogs, shell, fileDialogs, app + "help.chm", nullptr});
    editor.EditItemName = "  ";
    editor.SpeedButton1Click();
    EXPECT_EQ(editor.ModalResult_, ModalResult::None);
    EXPECT_EQ(LastMessage(), "Please input item name!");
    EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Error);

    editor.SpeedButton3Click();
    editor.SpeedButton4Click();
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"regedit|"}));
    EXPECT_EQ(shell.helpShown, (std::vector<std::string>{app + "help.chm#31"}));

    fileDialogs.answers = {"C:\\picked.log"};
    editor.ChooseKind(byFolder);
    editor.btnSelectFileClick();
    EXPECT_EQ(editor.EditSingle, "C:\\picked.log");
    EXPECT_TRUE(editor.rbFolder); // the kind stays
}

TEST_F(ItemCommandsTest, TheWildcardButtonsFillTheFolderAndTheExclusionList) {
    auto w = Start();
    Select(*w, 1);
    window.onFilter = [](TFormselectbyfilter& f) {
        f.TreeSelectionChanged("C:\\Windows");
        f.ComboBox1Text = "*.log ";
        f.Button1Click();
    };
    window.onFolderEditor = [](TFormFolder& e) {
        e.EditItemName = "Logs of Windows";
        e.btnAddWildcardClick();
        EXPECT_EQ(e.EditFolder, "C:\\Windows\\*.log");
        e.SpeedButton1Click();
    };
    w->btnaddfolderClick();
    EXPECT_EQ(tItemContent(env->Fs(), app + "const\\user.txt", "Mine").Folders.Items[2].deletepath,
              "C:\\Windows\\*.log");

    window.onExclusions = [](TFormExcludeFile& d) {
        d.Button6Click();
        d.SpeedButton1Click();
    };
    w->btnExcludeClick();
    EXPECT_EQ(SettingsFile(env->Fs(), app).ReadExclusions(),
              (std::vector<std::string>{"C:\\Windows\\*.log"}));
}

TEST_F(ItemCommandsTest, AboutShowsTheVersionAndOpensMailAndWebSite) {
    auto w = Start();
    window.onAbout = [](Taboutform& about) {
        EXPECT_EQ(about.LabelProduct, "Quillmere V1.09 (Build 4)");
        about.LabelMailClick();
        about.LabelWebClick();
        about.btnCloseClick();
    };
    w->SpeedButton3Click();
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].rfind("mailto:", 0), 0u);
    EXPECT_EQ(shell.opened[1].rfind("https://", 0), 0u);
}

} // namespace
} // namespace quill
