#pragma once

#include "engine/checked_list.h"
#include "engine/run_seam.h"
#include "log/wash_log.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"

#include <cstdint>
#include <string>
#include <vector>

// The four preview dialogs of a run: check lists of files, registry entries
// and special item names, with Select All / Unselect All per list and a Wash
// command that removes what is ticked, fills the main window's counters and
// writes the log. The logic runs without a window; a window shows it.

namespace quill {

// One check list of a preview dialog. Once sorted, it keeps its lines in
// ascending order (letter case ignored), new lines included.
class PreviewList {
public:
    void Add(std::string line, bool checked = false);
    // Appends lines in one go; a sorted list merges them into place.
    void AddAll(const std::vector<std::string>& lines, bool checked = false);
    void SetSorted();
    bool Sorted() const { return sorted_; }
    void SelectAll();
    void UnselectAll();
    std::int32_t Count() const { return static_cast<std::int32_t>(Lines.size()); }

    CheckedList Lines;

private:
    bool sorted_ = false;
};

// What a Wash command works with: the main window's services, settings and
// counter labels.
struct PreviewWashContext {
    platform::FileSystem& fs;
    platform::Registry& registry;
    platform::Shell& shell;
    RunSeam& seam;
    WashLog& log;
    const std::vector<std::string>& specialFiles;
    bool writeToLog = true;
    bool useQuick = true;
    std::string& LabFolderSuccess;
    std::string& LabFolderFails;
    std::string& LabelSuccess;
    std::string& LabelFails;
};

enum class PreviewKind { Folder, Register, FolderRegister, All };

class TPreviewForm {
public:
    PreviewKind Kind() const { return kind_; }
    // The form's class name ("TFormPreviewFolder", ...).
    const char* ClassName() const;
    bool HasFiles() const { return kind_ != PreviewKind::Register; }
    bool HasEntries() const { return kind_ != PreviewKind::Folder; }
    bool HasSpecial() const { return kind_ == PreviewKind::All; }
    // Names of the pages, in order; none for the one-list forms.
    std::vector<std::string> PageNames() const;

    // Removes what is ticked: files, then registry entries, inside one log
    // section; then the ticked special items, each in a section of its own.
    // Closes the dialog.
    void Wash(const PreviewWashContext& context);
    void Close() { Closed = true; }

    std::string Caption;
    std::int32_t ActivePage = 0;
    bool Closed = false;
    PreviewList CheckListBoxPreviewFolder;
    PreviewList CheckListBoxPreviewregister;
    PreviewList CheckListBoxSpecial;

protected:
    explicit TPreviewForm(PreviewKind kind);

private:
    PreviewKind kind_;
};

class TFormPreviewFolder final : public TPreviewForm {
public:
    TFormPreviewFolder();
    void btnSelectallClick() { CheckListBoxPreviewFolder.SelectAll(); }
    void btnUnselectAllClick() { CheckListBoxPreviewFolder.UnselectAll(); }
    void btnwasherClick(const PreviewWashContext& context) { Wash(context); }
    void SpeedButton1Click() { Close(); }
};

class TFormPreviewregister final : public TPreviewForm {
public:
    TFormPreviewregister();
    void btnSelectallClick() { CheckListBoxPreviewregister.SelectAll(); }
    void btnUnselectAllClick() { CheckListBoxPreviewregister.UnselectAll(); }
    void btnwasherClick(const PreviewWashContext& context) { Wash(context); }
    void SpeedButton1Click() { Close(); }
};

class TFormPreviewFolderRegister final : public TPreviewForm {
public:
    TFormPreviewFolderRegister();
    void btnSelectallClick() { CheckListBoxPreviewFolder.SelectAll(); }
    void btnUnselectAllClick() { CheckListBoxPreviewFolder.UnselectAll(); }
    void NewbtnSelectallClick() { CheckListBoxPreviewregister.SelectAll(); }
    void NewbtnUnselectAllClick() { CheckListBoxPreviewregister.UnselectAll(); }
    void btnwasherClick(const PreviewWashContext& context) { Wash(context); }
    void SpeedButton1Click() { Close(); }
};

class TFormPreviewAll final : public TPreviewForm {
public:
    TFormPreviewAll();
    void AllbtnSelectallClick() { CheckListBoxSpecial.SelectAll(); }
    void AllbtnUnselectAllClick() { CheckListBoxSpecial.UnselectAll(); }
    void btnSelectallClick() { CheckListBoxPreviewFolder.SelectAll(); }
    void btnUnselectAllClick() { CheckListBoxPreviewFolder.UnselectAll(); }
    void NewbtnSelectallClick() { CheckListBoxPreviewregister.SelectAll(); }
    void NewbtnUnselectAllClick() { CheckListBoxPreviewregister.UnselectAll(); }
    void btnWashAllClick(const PreviewWashContext& context) { Wash(context); }
    void SpeedButton2Click() { Close(); }
};

// How a registry line is drawn: its text and its colours.
struct RegistryLineLook {
    std::string text;
    bool keyColours = false; // navy, or white on #0A5F89 when selected
};
RegistryLineLook LookOfRegistryLine(const std::string& entry, platform::Registry& registry);

} // namespace quill
