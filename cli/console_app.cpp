#include "cli/console_app.h"

#include "app/preview_dialogs.h"
#include "app/run_controller.h"
#include "cli/json_text.h"
#include "engine/builtin_stores.h"
#include "engine/registry_targets.h"
#include "locations/path_macros.h"
#include "log/html_log.h"
#include "model/catalogue.h"
#include "model/item_content.h"
#include "platform/text.h"
#include "rules/winapp2_import.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace quill::cli {

namespace {

std::string FileNameOf(const std::string& path) {
    const auto at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

// A path inside the program folder relative to it, others as they are.
std::string ShownPath(const std::string& appDir, const std::string& path) {
    if (path.size() > appDir.size() &&
        text::EqualsNoCase(std::string_view(path).substr(0, appDir.size()), appDir)) {
        return path.substr(appDir.size());
    }
    return path;
}

// What a preview lists: the dialog's three lists and each file's size.
struct PreviewReport {
    std::string caption;
    std::vector<std::string> special;
    std::vector<std::string> files;
    std::vector<std::optional<std::uint64_t>> sizes; // none: the file could not be read
    std::vector<std::string> entries;
    std::vector<std::string> entryTexts; // as the dialog shows them
    std::int64_t foundKB = 0;
};

// Follows a run for the console: progress on the error stream, Ctrl+C as
// the main Cancel, the questions answered by --yes, the preview kept.
class ConsoleRunObserver final : public RunObserver {
public:
    ConsoleRunObserver(Console& console, bool yes, platform::FileSystem& fs,
                       platform::Registry& registry)
        : console_(console), yes_(yes), fs_(fs), registry_(registry) {}

    void Follow(RunController& controller) { controller_ = &controller; }

    void ProcessMessages() override {
        if (controller_ && console_.Interrupted() && !controller_->StopRequested()) {
            controller_->Stop();
        }
    }
    bool Confirm(const std::string&) override { return yes_; }
    void SearchCounters(const std::string& l2, const std::string& l4) override {
        std::string line = "Searching... ";
        line += l2;
        line += " files, ";
        line += l4;
        ShowProgress(line);
    }
    void ProgressChanged(std::int32_t position, std::int32_t max) override {
        std::string line = "Removing ";
        line += std::to_string(position);
        line += "/";
        line += std::to_string(max);
        ShowProgress(line);
    }
    void StatusChanged(StatusMode mode) override {
        if (mode == StatusMode::Idle && progressShown_) {
            console_.Err("\n");
            progressShown_ = false;
        }
    }
    void ShowPreview(TPreviewForm& dialog, const PreviewWashContext&) override {
        report_.caption = dialog.Caption;
        for (const CheckedLine& line : dialog.CheckListBoxSpecial.Lines) {
            report_.special.push_back(line.Text);
        }
        for (const CheckedLine& line : dialog.CheckListBoxPreviewFolder.Lines) {
            report_.files.push_back(line.Text);
            platform::FileStamp stamp;
            report_.sizes.push_back(Succeeded(fs_.Stamp(line.Text, stamp))
                                        ? std::optional<std::uint64_t>(stamp.size)
                                        : std::nullopt);
        }
        for (const CheckedLine& line : dialog.CheckListBoxPreviewregister.Lines) {
            report_.entries.push_back(line.Text);
            report_.entryTexts.push_back(LookOfRegistryLine(line.Text, registry_).text);
        }
        report_.foundKB = controller_ ? controller_->Found().FoundSizeKB : 0;
    }

    const PreviewReport& Report() const { return report_; }

private:
    void ShowProgress(const std::string& line) {
        if (!console_.ShowsProgress()) {
            return;
        }
        std::string shown = text::Joined("\r", line);
        if (line.size() < width_) {
            shown.append(width_ - line.size(), ' ');
        }
        width_ = line.size();
        console_.Err(shown);
        progressShown_ = true;
    }

    Console& console_;
    bool yes_;
    platform::FileSystem& fs_;
    platform::Registry& registry_;
    RunController* controller_ = nullptr;
    PreviewReport report_;
    std::size_t width_ = 0;
    bool progressShown_ = false;
};

// The wash items a run covers: every catalogue entry (the run takes the
// checked ones), or the named ones, ticked whether checked or not.
bool SelectItems(const titem_list& catalogue, const std::vector<std::string>& names,
                 std::vector<RunItem>& items, std::string& unknown) {
    if (names.empty()) {
        for (const titem_property& e : catalogue.Items) {
            items.push_back({e, e.IsActive});
        }
        return true;
    }
    std::vector<bool> taken(catalogue.Items.size(), false);
    for (const std::string& name : names) {
        bool found = false;
        for (std::size_t i = 0; i < catalogue.Items.size(); ++i) {
            if (text::EqualsNoCase(catalogue.Items[i].ItemName, name)) {
                found = true;
                if (!taken[i]) {
                    taken[i] = true;
                    items.push_back({catalogue.Items[i], true});
                }
            }
        }
        if (!found) {
            unknown = name;
            return false;
        }
    }
    return true;
}

// Appends the array name, one element per line, each written by element(i).
// What one run from the console works with: the stored settings, the files
// they name, the log and the controller the console follows.
class ConsoleRun {
public:
    ConsoleRun(const ConsoleServices& services, const std::string& appDir, Console& console,
               bool yes)
        : settings_(services.fs, appDir), stored_(settings_.ReadRunSettings()),
          macros_(services.system, services.registry, services.fs, settings_.Path()),
          log_(services.fs, services.clock, appDir),
          specialFiles_(CollectSpecialFiles(services.registry)),
          observer_(console, yes, services.fs, services.registry),
          controller_(RunServices{services.fs, services.registry, services.system, services.shell,
                                  log_, macros_, specialFiles_, settings_.Path()},
                      RunOptions{stored_.UseQuick, stored_.PromptBefore, stored_.WriteToLog},
                      observer_) {
        observer_.Follow(controller_);
    }

    const RunSettings& Stored() const { return stored_; }
    RunController& Controller() { return controller_; }
    const ConsoleRunObserver& Observer() const { return observer_; }

private:
    const SettingsFile settings_;
    const RunSettings stored_;
    const PathMacros macros_;
    HtmlWashLog log_;
    const std::vector<std::string> specialFiles_;
    ConsoleRunObserver observer_;
    RunController controller_;
};

template <class Element>
void AppendJsonArray(std::string& json, const char* name, std::size_t count, Element element) {
    json += text::Joined(",\n  \"", name, "\": [");
    for (std::size_t i = 0; i < count; ++i) {
        json += i ? ",\n    " : "\n    ";
        element(i);
    }
    json += count == 0 ? "]" : "\n  ]";
}

std::string PreviewJson(const PreviewReport& r, const std::string& appDir, bool cancelled) {
    std::uint64_t bytes = 0;
    std::string json = text::Joined("{\n  \"caption\": ", JsonString(r.caption));
    json += ",\n  \"cancelled\": ";
    json += cancelled ? "true" : "false";
    AppendJsonArray(json, "special", r.special.size(),
                    [&](std::size_t i) { json += JsonString(r.special[i]); });
    AppendJsonArray(json, "files", r.files.size(), [&](std::size_t i) {
        json += "{\"path\": ";
        json += JsonString(r.files[i]);
        json += ", \"size\": ";
        if (r.sizes[i]) {
            json += std::to_string(*r.sizes[i]);
            bytes += *r.sizes[i];
        } else {
            json += "null";
        }
        json += "}";
    });
    AppendJsonArray(json, "entries", r.entries.size(), [&](std::size_t i) {
        json += "{\"target\": ";
        json += JsonString(r.entries[i]);
        json += ", \"shown\": ";
        json += JsonString(r.entryTexts[i]);
        json += ", \"key\": ";
        json += r.entries[i].find(kDeleteKeyMarker) != std::string::npos ? "true" : "false";
        json += "}";
    });
    json += text::Joined(
        ",\n  \"totals\": {\"special\": ", std::to_string(r.special.size()),
        ", \"files\": ", std::to_string(r.files.size()),
        ", \"entries\": ", std::to_string(r.entries.size()), ", \"bytes\": ", std::to_string(bytes),
        ", \"sizeKB\": ", std::to_string(r.foundKB), "},\n  \"folder\": ", JsonString(appDir));
    json += "\n}\n";
    return json;
}

std::string PreviewText(const PreviewReport& r) {
    std::uint64_t bytes = 0;
    std::string out = text::Joined(r.caption, "\n");
    out += "\nSpecial items:\n";
    for (const std::string& name : r.special) {
        out += text::Joined("  ", name, "\n");
    }
    out += "\nFiles (bytes, path):\n";
    for (std::size_t i = 0; i < r.files.size(); ++i) {
        out += "  ";
        out += r.sizes[i] ? std::to_string(*r.sizes[i]) : std::string("?");
        out += text::Joined("\t", r.files[i], "\n");
        bytes += r.sizes[i].value_or(0);
    }
    out += "\nRegistry entries:\n";
    for (const std::string& entry : r.entries) {
        out += text::Joined("  ", entry, "\n");
    }
    out += "\nTotal: ";
    out += std::to_string(r.special.size());
    out += " special, ";
    out += std::to_string(r.files.size());
    out += " files (";
    out += std::to_string(bytes);
    out += " bytes), ";
    out += std::to_string(r.entries.size());
    out += " registry entries\n";
    return out;
}

} // namespace

ConsoleApp::ConsoleApp(const ConsoleServices& services, std::string appDir, Console& console)
    : services_(services), appDir_(std::move(appDir)), console_(console) {
    if (appDir_.empty() || appDir_.back() != '\\') {
        appDir_ += '\\';
    }
}

int ConsoleApp::Refuse(const std::string& reason) {
    console_.Err(text::Joined("quillmere-cli: ", reason, "\n"));
    return kUsageOrDataError;
}

int ConsoleApp::Cancelled() {
    console_.Err("quillmere-cli: cancelled\n");
    return kCancelled;
}

titem_list ConsoleApp::LoadedCatalogue() {
    titem_list catalogue(services_.fs);
    LoadCatalogue(services_.fs, appDir_, catalogue);
    return catalogue;
}

int ConsoleApp::Run(const CommandLine& command) {
    try {
        switch (command.kind) {
        case CommandKind::Help:
            console_.Out(UsageText());
            return kAllRemoved;
        case CommandKind::Version:
            console_.Out(text::Joined(kVersion, "\n"));
            return kAllRemoved;
        case CommandKind::List:
            return List();
        case CommandKind::Preview:
            return Preview(command);
        case CommandKind::Wash:
            return Wash(command);
        case CommandKind::ImportPlugin:
            return ImportPlugin(command);
        case CommandKind::ImportWinapp2:
            return ImportWinapp2(command);
        case CommandKind::Export:
            return Export(command);
        }
    } catch (const std::exception& e) {
        return Refuse(e.what());
    }
    return kUsageOrDataError;
}

int ConsoleApp::List() {
    const titem_list catalogue = LoadedCatalogue();
    std::string out = "Order\tName\tChecked\tSpecial\tFile\n";
    std::int32_t order = 0;
    for (const titem_property& e : catalogue.Items) {
        out += std::to_string(++order);
        out += text::Joined("\t", e.ItemName);
        out += e.IsActive ? "\tyes" : "\tno";
        out += e.IsSpecial ? "\tyes" : "\tno";
        out += text::Joined("\t", ShownPath(appDir_, e.txtfilename), "\n");
    }
    console_.Out(out);
    return kAllRemoved;
}

int ConsoleApp::Preview(const CommandLine& command) {
    std::vector<RunItem> items;
    std::string unknown;
    if (!SelectItems(LoadedCatalogue(), command.items, items, unknown)) {
        return Refuse(text::Joined("no wash item is named '", unknown, "'"));
    }
    ConsoleRun run(services_, appDir_, console_, false);
    if (console_.Interrupted()) {
        return Cancelled();
    }
    const RunEnd end = run.Controller().Run({RunScope::AllChecked, true, items});
    if (end == RunEnd::Cancelled || console_.Interrupted()) {
        return Cancelled();
    }
    const PreviewReport& report = run.Observer().Report();
    console_.Out(command.json ? PreviewJson(report, appDir_, false) : PreviewText(report));
    return kAllRemoved;
}

int ConsoleApp::Wash(const CommandLine& command) {
    if (WashBlocker) {
        const std::string reason = WashBlocker();
        if (!reason.empty()) {
            return Refuse(reason);
        }
    }
    ConsoleRun run(services_, appDir_, console_, command.yes);
    const RunSettings& stored = run.Stored();
    if (stored.PromptBefore && !command.yes) {
        return Refuse("the settings ask before every wash (\"prompt Before\"): "
                      "add --yes to wash from the console");
    }
    std::vector<RunItem> items;
    std::string unknown;
    if (!SelectItems(LoadedCatalogue(), command.items, items, unknown)) {
        return Refuse(text::Joined("no wash item is named '", unknown, "'"));
    }
    RunController& controller = run.Controller();
    controller.SetOptions(RunOptions{command.quick.value_or(stored.UseQuick), stored.PromptBefore,
                                     stored.WriteToLog && !command.noLog});
    if (console_.Interrupted()) {
        return Cancelled(); // before the run: nothing was touched
    }
    const RunEnd end = controller.Run({RunScope::AllChecked, false, items});
    if (end == RunEnd::Declined) {
        return Refuse("the wash was not confirmed");
    }
    const RunCounters& c = controller.Counters();
    const std::string out = text::Joined(
        "Files Cleaned  Success: ", c.FilesRemoved, "  Fails: ", c.FilesFailed,
        "\nRegistries Cleaned  Success: ", c.EntriesRemoved, "  Fails: ", c.EntriesFailed, "\n");
    console_.Out(out);
    if (end == RunEnd::Cancelled || console_.Interrupted()) {
        return Cancelled();
    }
    return c.Failures() > 0 ? kSomeFailed : kAllRemoved;
}

int ConsoleApp::ImportPlugin(const CommandLine& command) {
    std::string bytes;
    if (!Succeeded(services_.fs.ReadWholeFile(command.file, bytes))) {
        return Refuse(text::Joined("cannot read '", command.file, "'"));
    }
    titem_list items(services_.fs);
    items.LoadFromFile(command.file);
    if (items.Count() == 0) {
        return Refuse(text::Joined("'", command.file, "' holds no wash items"));
    }
    const std::string folder = appDir_ + catalogue_files::kPluginFolder;
    const std::string target = text::Joined(folder, "\\", FileNameOf(command.file));
    if (text::EqualsNoCase(target, command.file)) {
        return Refuse(text::Joined("'", command.file, "' is already in the plugin folder"));
    }
    if (services_.fs.Exists(target) && !command.yes) {
        return Refuse(
            text::Joined("the file '", target, "' already exists: add --yes to replace it"));
    }
    if (!services_.fs.Exists(folder)) {
        (void)services_.fs.CreateFolder(folder); // a failure shows as the write's
    }
    if (!Succeeded(services_.fs.ReplaceFileContent(target, bytes))) {
        return Refuse(text::Joined("cannot write '", target, "'"));
    }
    std::string out = std::to_string(items.Count());
    out += text::Joined(" wash items imported into ", target, "\n");
    console_.Out(out);
    return kAllRemoved;
}

int ConsoleApp::ImportWinapp2(const CommandLine& command) {
    std::string bytes;
    if (!Succeeded(services_.fs.ReadWholeFile(command.file, bytes))) {
        return Refuse(text::Joined("cannot read '", command.file, "'"));
    }
    const titem_list catalogue = LoadedCatalogue();
    const SettingsFile settings(services_.fs, appDir_);
    const PathMacros macros(services_.system, services_.registry, services_.fs, settings.Path());
    const rules::EntryDetector detector(services_.registry, services_.fs, macros);
    rules::ImportOptions options;
    options.allEntries = command.allEntries;
    rules::ImportReport report;
    try {
        report = rules::ImportWinapp2(services_.fs, appDir_, bytes, detector, options,
                                      rules::NamesTakenOutsideImports(appDir_, catalogue.Items));
    } catch (const EIniFileException& error) {
        return Refuse(error.what());
    }
    // The report's lines end as every other output here does.
    std::string out;
    for (const char c : report.Text()) {
        if (c != '\r') {
            out += c;
        }
    }
    out += '\n';
    console_.Out(out);
    return kAllRemoved;
}

int ConsoleApp::Export(const CommandLine& command) {
    // The export starts from an empty file; one of the program's own files
    // would lose what it holds.
    std::vector<std::string> own = WashItemFiles(services_.fs, appDir_);
    own.push_back(appDir_ + catalogue_files::kOrder);
    own.push_back(SettingsFile(services_.fs, appDir_).Path());
    for (const std::string& file : own) {
        if (text::EqualsNoCase(file, command.file)) {
            return Refuse(text::Joined("the file '", command.file, "' belongs to the program"));
        }
    }
    const titem_list catalogue = LoadedCatalogue();
    std::vector<RunItem> items;
    std::string unknown;
    if (!SelectItems(catalogue, command.names, items, unknown)) {
        return Refuse(text::Joined("no wash item is named '", unknown, "'"));
    }
    const std::string shipped = appDir_ + catalogue_files::kSystemItems;
    std::vector<titem_property> exported;
    for (const RunItem& item : items) {
        if (text::EqualsNoCase(item.entry.txtfilename, shipped)) {
            console_.Err(text::Joined("quillmere-cli: '", item.entry.ItemName,
                                      "' ships with the program and is not exported\n"));
        } else {
            exported.push_back(item.entry);
        }
    }
    if (exported.empty()) {
        return Refuse("No washer items to be exported!");
    }
    (void)services_.fs.Delete(command.file);
    for (const titem_property& e : exported) {
        tItemContent content(services_.fs, e.txtfilename, e.ItemName);
        content.AppendToFile(command.file, e.ItemName, e.IsActive);
    }
    std::string out = std::to_string(exported.size());
    out += " washer items are exported!\n";
    console_.Out(out);
    return kAllRemoved;
}

} // namespace quill::cli
