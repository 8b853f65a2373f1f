// The dialogs the main window shows: each built from its form's fields and
// handlers, owned by the innermost window open, run modally.

#include "app/win32/form_dialog.h"
#include "app/win32/main_frame.h"
#include "app/win32/preview_window.h"

namespace quill::win32app {

void MainFrame::ShowModal(TFormAddEditItem& editor) {
    Mirror();
    FormDialog d(modal_, instance_, L"TFormAddEditItem", editor.Caption);
    d.Label("Wash Item Name");
    d.Edit(editor.Edititemname);
    d.Check("Active", editor.Chisactive);
    d.Label("Stored in File:");
    d.Label(editor.LabelStore);
    d.Buttons(
        {{"&Save", [&] { editor.btnSaveClick(); }}, {"Can&cel", [&] { editor.btncancelClick(); }}});
    d.ShowModal([&] { return editor.ModalResult_ != ModalResult::None; },
                [&] { editor.btncancelClick(); });
}

void MainFrame::ShowModal(TFormFolder& editor) {
    Mirror();
    FormDialog d(modal_, instance_, L"TFormFolder", editor.Caption);
    d.Label("Clean Folder/File Item name");
    d.Edit(editor.EditItemName);
    d.Check("Active", editor.Chisactive);
    d.Radio("Clean single file", editor.rbSingle, 1);
    d.EditWithButton(editor.EditSingle, "...", "Select Files by Filename",
                     [&] { editor.btnSelectFileClick(); });
    d.Radio("Clean files matched  in folder ", editor.rbFolder, 1);
    d.EditWithButton(editor.EditFolder, "*", "Select Files by Wildcard",
                     [&] { editor.btnAddWildcardClick(); });
    d.Radio("Clean all files in the folder depended on registry key", editor.rbRegister, 1);
    d.Label("Key Name");
    d.EditWithButton(editor.EditRegister, "R", "Open Registry",
                     [&] { editor.SpeedButton3Click(); });
    d.Label("Value Name");
    d.Edit(editor.EditRegisterValue);
    d.Check("Include Subfolder", editor.Chincludesubfolder);
    d.Buttons({{"&Help", [&] { editor.SpeedButton4Click(); }},
               {"S&ave", [&] { editor.SpeedButton1Click(); }},
               {"Can&cel", [&] { editor.SpeedButton2Click(); }}});
    d.ShowModal([&] { return editor.ModalResult_ != ModalResult::None; },
                [&] { editor.SpeedButton2Click(); });
}

void MainFrame::ShowModal(TFormRegister& editor) {
    Mirror();
    FormDialog d(modal_, instance_, L"TFormRegister", editor.Caption);
    d.Label("Clean regitry entry Item name");
    d.Edit(editor.EditItemName);
    d.Check("Active", editor.Chisactive);
    d.Label("Registry key name");
    d.EditWithButton(editor.EditKeyName, "R", "Open Registry", [&] { editor.SpeedButton3Click(); });
    d.Radio("Clean single value of the key ", editor.rbdeleteSingleValue, 1);
    d.Label("Value Name");
    d.Edit(editor.EditSingleRegisterValue);
    d.Radio("Clean all the value of the registry key", editor.rbDeleteValue, 1);
    d.Radio("Clean the whole registry key ( Include subkey )", editor.rbdeleteKey, 1);
    d.Buttons({{"&Help", [&] { editor.SpeedButton1Click(); }},
               {"&Save", [&] { editor.btnSaveClick(); }},
               {"Can&cel", [&] { editor.btnCancelClick(); }}});
    d.ShowModal([&] { return editor.ModalResult_ != ModalResult::None; },
                [&] { editor.btnCancelClick(); });
}

void MainFrame::ShowModal(TFormPreferences& dialog) {
    Mirror();
    FormDialog d(modal_, instance_, L"TFormPreferences", dialog.Caption);
    const std::vector<std::string> pages = TFormPreferences::PageNames();
    d.Page(pages[0], dialog.ActivePage);
    d.Check("Load at Windows startup", dialog.cbRun, [&] { dialog.cbRunClick(); });
    d.Check("Run Minimized", dialog.cbMini, {}, &dialog.cbMiniEnabled, 20);
    d.Check("Detect Netscape  directory at load", dialog.cbDetect);
    d.SmallButtons({{"Re-detect", "Re-detect Netscape", [&] { dialog.SpeedButton4Click(); }}});
    d.Page(pages[1], dialog.ActivePage);
    d.Label("Run wash automatically ");
    d.Check("When Windows is started", dialog.rbWhenStart);
    d.Check("When Windows is shutdown", dialog.rbWhenShutDown);
    d.Check("Every", dialog.rbEveryHour);
    d.Edit(dialog.SpinEditMinuts);
    d.Label("minutes");
    d.Page(pages[2], dialog.ActivePage);
    const std::vector<std::string> modifiers = TFormPreferences::ModifierTexts();
    const std::vector<std::string> letters = TFormPreferences::LetterTexts();
    d.Label("Close all Interner Explorer windows");
    d.Combo(modifiers, dialog.cbControl, 140);
    d.Combo(letters, dialog.cbChar, 60);
    d.Label("Clean all the checked wash items");
    d.Combo(modifiers, dialog.cbControlNew, 140);
    d.Combo(letters, dialog.cbCharNew, 60);
    d.Page(pages[3], dialog.ActivePage);
    d.Check("Use secure deleting file method (Slowly)", dialog.ChEraseSafe);
    d.Check("Write wash operation to log file", dialog.ChWritetolog);
    d.Check("Delete log file on exit", dialog.ChDeleteonExit);
    d.Check("Prompt before clean", dialog.chPromptBeforeDelete);
    d.Buttons({{"&Help", [&] { form_.ShowHelpTopic(TFormPreferences::kHelpContext); }},
               {"&Apply", [&] { dialog.SpeedButton1Click(); }},
               {"Cl&ose", [&] { dialog.SpeedButton2Click(); }}});
    // A failed save stays in the dialog, its error shown by the program's handler.
    d.SetErrorHandler([&](const std::exception& e) { form_.ApplicationEventsException(e); });
    d.ShowModal([&] { return dialog.Closed; }, [&] { dialog.SpeedButton2Click(); });
}

void MainFrame::ShowModal(TFormExcludeFile& dialog) {
    Mirror();
    FormDialog d(modal_, instance_, L"TFormExcludeFile", dialog.Caption);
    d.Label("Excludes the following files when Preview or Wash ");
    d.List(dialog.TextListBox1, dialog.ItemIndex, 220);
    d.SmallButtons(
        {{"Wildcard", "Select Files Excluded by Wildcard", [&] { dialog.Button6Click(); }},
         {"Files...", "Select Files Excluded by Filename", [&] { dialog.Button3Click(); }},
         {"Up", "Up a Item", [&] { dialog.btnUpClick(); }},
         {"Down", "Down a Item", [&] { dialog.btnDownClick(); }},
         {"Clear", "Delete all Items", [&] { dialog.SpeedButton2Click(); }},
         {"Delete", "Delete a Item", [&] { dialog.Button5Click(); }}});
    d.Buttons({{"&Help", [&] { dialog.SpeedButton4Click(); }},
               {"A&pply", [&] { dialog.SpeedButton1Click(); }},
               {"Can&cel", [&] { dialog.SpeedButton3Click(); }}});
    d.SetErrorHandler([&](const std::exception& e) { form_.ApplicationEventsException(e); });
    d.ShowModal([&] { return dialog.Closed; }, [&] { dialog.SpeedButton3Click(); });
}

void MainFrame::ShowModal(TFormselectbyfilter& dialog) {
    // Owned by the dialog open now (an editor or the exclusion list).
    FormDialog d(modal_, instance_, L"TFormselectbyfilter", dialog.Caption);
    d.Label("Folder selected:");
    d.FieldLabel(dialog.labFolder);
    d.FolderTree(
        dialog.SelectedFolder, [&] { dialog.TreeSelectionChanged(dialog.SelectedFolder); }, 220);
    d.Label("Wildcard:");
    d.EditCombo(dialog.ComboBox1Items, dialog.ComboBox1Text);
    d.SmallButtons({{"Edit...", "Edit Wildcard", [&] { dialog.SpeedButton1Click(); }}});
    d.Buttons(
        {{"&Ok", [&] { dialog.Button1Click(); }}, {"Can&cel", [&] { dialog.Button2Click(); }}});
    d.ShowModal([&] { return dialog.Closed; }, [&] { dialog.Button2Click(); });
}

void MainFrame::ShowModal(Taboutform& dialog) {
    FormDialog d(modal_, instance_, L"Taboutform", dialog.Caption);
    d.Label(dialog.LabelProduct);
    d.Label(std::string("Support: ") + Taboutform::kSupport);
    d.Label(std::string("Web site: ") + Taboutform::kWebSite);
    d.SmallButtons({{"Write", "Write to support", [&] { dialog.LabelMailClick(); }},
                    {"Visit", "Visit the web site", [&] { dialog.LabelWebClick(); }}});
    d.Buttons({{"&Close", [&] { dialog.btnCloseClick(); }}});
    d.ShowModal([&] { return dialog.Closed; }, [&] { dialog.btnCloseClick(); });
}

void MainFrame::ShowModal(TFormDetect& dialog) {
    FormDialog d(modal_, instance_, L"TFormDetect", dialog.Caption);
    d.Label("The Nescape have been detected on your computer,you can select");
    d.Label("the profile folder by clicking Auto  or  Manually Detect Folder button.");
    d.List(dialog.RxCheckListBox1, dialog.Ticked, 140);
    d.SmallButtons({{"Auto", "Auto detect directory", [&] { dialog.SpeedButton3Click(); }},
                    {"Manual", "Manually detect directory", [&] { dialog.SpeedButton4Click(); }}});
    d.Check("Don't display the dialog  box next time ", dialog.CheckBox1);
    d.Buttons({{"&Ok", [&] { dialog.SpeedButton1Click(); }},
               {"Can&cel", [&] { dialog.SpeedButton2Click(); }}});
    d.SetErrorHandler([&](const std::exception& e) { form_.ApplicationEventsException(e); });
    d.ShowModal([&] { return dialog.Closed; }, [&] { dialog.SpeedButton2Click(); });
}

void MainFrame::ShowModal(TFormWildcard& dialog) {
    FormDialog d(modal_, instance_, L"TFormWildcard", dialog.Caption);
    d.Label("Wildcard list:");
    d.List(dialog.ListBox1, dialog.ItemIndex, 160);
    d.SmallButtons({{"Delete", "Delete a item", [&] { dialog.Button4Click(); }},
                    {"Clear", "Delete all items", [&] { dialog.SpeedButton1Click(); }},
                    {"Up", "Up a item", [&] { dialog.SpeedButton3Click(); }},
                    {"Down", "Down a item", [&] { dialog.SpeedButton2Click(); }}});
    d.Label("Add wildcard:");
    d.EditWithButton(dialog.Edit1, "+", "Add wildcard", [&] { dialog.SpNewClick(); });
    d.Buttons({{"Help", [&] { dialog.Button1Click(); }},
               {"&Ok", [&] { dialog.btnOkClick(); }},
               {"Can&cel", [&] { dialog.Button3Click(); }}});
    d.ShowModal([&] { return dialog.Closed; }, [&] { dialog.Button3Click(); });
}

void MainFrame::ShowModal(TPreviewForm& dialog, const PreviewWashContext& context) {
    Mirror();
    PreviewWindow window(dialog, context, modal_, instance_);
    window.ShowModal();
}

} // namespace quill::win32app
