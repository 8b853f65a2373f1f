// The dialogs the main window shows: each laid out by its own unit, owned by
// the innermost window open, run modally.

#include "app/win32/dialogs/about_dialog.h"
#include "app/win32/dialogs/exclusion_dialog.h"
#include "app/win32/dialogs/filter_selection_dialog.h"
#include "app/win32/dialogs/folder_child_editor.h"
#include "app/win32/dialogs/preferences_dialog.h"
#include "app/win32/dialogs/profile_detection_dialog.h"
#include "app/win32/dialogs/registry_child_editor.h"
#include "app/win32/dialogs/wash_item_editor.h"
#include "app/win32/dialogs/wildcard_dialog.h"
#include "app/win32/main_frame.h"
#include "app/win32/preview_window.h"

namespace quill::win32app {

DialogContext MainFrame::Dialogs() {
    return DialogContext{modal_, instance_,
                         [this](std::int32_t context) { form_.ShowHelpTopic(context); },
                         [this](const std::exception& e) { form_.ApplicationEventsException(e); }};
}

void MainFrame::ShowModal(TFormAddEditItem& editor) {
    Mirror();
    ShowWashItemEditor(Dialogs(), editor);
}

void MainFrame::ShowModal(TFormFolder& editor) {
    Mirror();
    ShowFolderChildEditor(Dialogs(), editor);
}

void MainFrame::ShowModal(TFormRegister& editor) {
    Mirror();
    ShowRegistryChildEditor(Dialogs(), editor);
}

void MainFrame::ShowModal(TFormPreferences& dialog) {
    Mirror();
    ShowPreferencesDialog(Dialogs(), dialog);
}

void MainFrame::ShowModal(TFormExcludeFile& dialog) {
    Mirror();
    ShowExclusionDialog(Dialogs(), dialog);
}

void MainFrame::ShowModal(TFormselectbyfilter& dialog) {
    // Owned by the dialog open now (an editor or the exclusion list).
    ShowFilterSelectionDialog(Dialogs(), dialog);
}

void MainFrame::ShowModal(Taboutform& dialog) {
    ShowAboutDialog(Dialogs(), dialog);
}

void MainFrame::ShowModal(TFormDetect& dialog) {
    ShowProfileDetectionDialog(Dialogs(), dialog);
}

void MainFrame::ShowModal(TFormWildcard& dialog) {
    ShowWildcardDialog(Dialogs(), dialog);
}

void MainFrame::ShowModal(TPreviewForm& dialog, const PreviewWashContext& context) {
    Mirror();
    PreviewWindow window(dialog, context, modal_, instance_);
    window.ShowModal();
}

} // namespace quill::win32app
