// The main window's import of the community rule database winapp2.ini.

#include "app/main_window.h"

#include "platform/ini_file.h"
#include "platform/text.h"
#include "rules/winapp2_import.h"

namespace quill {

namespace {

constexpr const char* kWinapp2Filter = "winapp2.ini (*.ini)|*.ini";

} // namespace

void TFormMainQLMR::btnImportWinapp2Click() {
    if (running_) {
        return; // the run holds the selected item and its lists
    }
    const platform::FileDialogRequest request{"Import winapp2.ini", kWinapp2Filter, "ini", false};
    std::string source;
    if (!services_.fileDialogs.ChooseFileToOpen(request, source)) {
        return;
    }
    std::string bytes;
    if (!Succeeded(services_.fs.ReadWholeFile(source, bytes))) {
        services_.dialogs.ShowMessage(platform::MessageKind::Error, "Unable to read " + source);
        return;
    }
    rules::ImportOptions options;
    options.allEntries = services_.dialogs.ShowMessage(
        platform::MessageKind::Question,
        "Also import the entries for programs not found on this computer?");
    const std::vector<std::string> taken = rules::NamesTakenOutsideImports(AppDir, Catalogue.Items);
    const rules::EntryDetector detector(services_.registry, services_.fs, macros_);
    rules::ImportReport report;
    try {
        report = rules::ImportWinapp2(services_.fs, AppDir, bytes, detector, options, taken);
    } catch (const EIniFileException& error) {
        // The files written before the one refused stay: show what is there.
        ReloadCatalogue();
        services_.dialogs.ShowMessage(platform::MessageKind::Error, error.what());
        return;
    }
    ReloadCatalogue();
    services_.dialogs.ShowMessage(platform::MessageKind::Information, report.Text());
}

} // namespace quill
