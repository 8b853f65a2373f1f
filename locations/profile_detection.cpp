#include "locations/profile_detection.h"

#include "model/data_files.h"
#include "platform/ini_file.h"
#include "platform/text.h"

namespace quill {

namespace {} // namespace

std::string DriveSearchPattern(platform::SystemInfo& system, char letter) {
    const std::string root = std::string(1, letter) + ":\\";
    return system.DriveTypeOf(root) == platform::DriveType::Fixed ? root + "*.slt" : "";
}

bool BrowserProfileCheckDue(const DetectServices& services) {
    const IniFile ini(services.fs, services.appDir + data_files::kSettings);
    if (!ini.ReadBool("Detect", "Detect directory at load", true)) {
        return false;
    }
    std::unique_ptr<platform::RegistryKey> key;
    if (!Succeeded(services.registry.OpenKeyForReading(platform::RootKey::CurrentUser,
                                                       "Software\\Netscape\\Netscape", key)) ||
        !key) {
        return false;
    }
    platform::RegistryValue value;
    if (!Succeeded(key->QueryValue("CurrentVersion", value)) ||
        (value.type != platform::ValueType::String &&
         value.type != platform::ValueType::ExpandString)) {
        return false;
    }
    const std::string& version = value.data;
    if (version.empty() || version[0] < '7' || version[0] > '9') {
        return false;
    }
    const std::string folder = services.macros.ExpandPathMacros("{netscape}");
    const std::uint32_t a = services.fs.GetAttributes(folder);
    return a == platform::attr::Invalid || (a & platform::attr::Directory) == 0;
}

void TFormDetect::SpeedButton3Click() {
    if (!services_.dialogs.ShowMessage(platform::MessageKind::Question,
                                       "This may take a few minutes,continue?")) {
        return;
    }
    services_.shell.ShowBusyCursor(true);
    try {
        RxCheckListBox1.clear();
        Ticked = -1;
        std::vector<std::string> includes;
        for (char letter = 'C'; letter <= 'Z'; ++letter) {
            const std::string pattern = DriveSearchPattern(services_.system, letter);
            if (!pattern.empty()) {
                includes.push_back(pattern);
            }
        }
        if (!includes.empty() && services_.search) {
            services_.search(includes, [this](const std::string& folder, const std::string& name) {
                std::string path = text::TrimCopy(folder);
                if (path.empty() || path.back() != '\\') {
                    path += '\\';
                }
                path += name;
                const std::uint32_t a = services_.fs.GetAttributes(path);
                if (a != platform::attr::Invalid && (a & platform::attr::Directory)) {
                    RxCheckListBox1.push_back(path);
                }
            });
        }
        if (!RxCheckListBox1.empty()) {
            Ticked = 0;
        }
    } catch (...) {
        services_.shell.ShowBusyCursor(false);
        throw;
    }
    services_.shell.ShowBusyCursor(false);
}

void TFormDetect::SpeedButton4Click() {
    std::string folder;
    if (!services_.fileDialogs.ChooseFolder("Please select Netscape directory", folder)) {
        return;
    }
    RxCheckListBox1 = {folder};
    Ticked = 0;
}

void TFormDetect::SpeedButton1Click() {
    if (RxCheckListBox1.empty()) {
        services_.dialogs.ShowMessage(platform::MessageKind::Warning,
                                      "Please click Auto or Manually Detect Folder button\rto "
                                      "detect Netscape profile directory and select one");
        return;
    }
    if (Ticked >= 0 && Ticked < static_cast<std::int32_t>(RxCheckListBox1.size())) {
        IniFile ini(services_.fs, services_.appDir + data_files::kSettings);
        ini.WriteString(services_.macros.ExpandPathMacros("{username}"), "Netscape Path",
                        RxCheckListBox1[static_cast<std::size_t>(Ticked)]);
    }
    Closed = true;
}

void TFormDetect::FormClose() {
    IniFile ini(services_.fs, services_.appDir + data_files::kSettings);
    ini.WriteBool("Detect", "Detect directory at load", !CheckBox1);
}

} // namespace quill
