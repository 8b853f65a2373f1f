#include "app/preview_dialogs.h"

#include "engine/builtin_stores.h"
#include "engine/code_points.h"
#include "engine/empty_folders.h"
#include "engine/file_removal.h"
#include "engine/registry_targets.h"
#include "platform/text.h"

#include <cstddef>

#include <algorithm>

namespace quill {

namespace {

// Ascending, ASCII letters without regard to case, other characters by
// their code points.
bool Before(const CheckedLine& a, const CheckedLine& b) {
    const std::size_t n = std::min(a.Text.size(), b.Text.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a.Text[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b.Text[i]));
        if (x != y) {
            return x < y;
        }
    }
    return a.Text.size() < b.Text.size();
}

} // namespace

void PreviewList::Add(std::string line, bool checked) {
    CheckedLine entry{std::move(line), checked};
    if (!sorted_) {
        Lines.push_back(std::move(entry));
        return;
    }
    const auto at = std::upper_bound(Lines.begin(), Lines.end(), entry, Before);
    Lines.insert(at, std::move(entry));
}

void PreviewList::AddAll(const std::vector<std::string>& lines, bool checked) {
    const auto first = static_cast<std::ptrdiff_t>(Lines.size());
    for (const std::string& line : lines) {
        Lines.push_back({line, checked});
    }
    if (sorted_) {
        std::stable_sort(Lines.begin() + first, Lines.end(), Before);
        std::inplace_merge(Lines.begin(), Lines.begin() + first, Lines.end(), Before);
    }
}

void PreviewList::SetSorted() {
    if (!sorted_) {
        std::stable_sort(Lines.begin(), Lines.end(), Before);
        sorted_ = true;
    }
}

void PreviewList::SelectAll() {
    for (CheckedLine& line : Lines) {
        line.Checked = true;
    }
}

void PreviewList::UnselectAll() {
    for (CheckedLine& line : Lines) {
        line.Checked = false;
    }
}

TPreviewForm::TPreviewForm(PreviewKind kind) : kind_(kind) {}

const char* TPreviewForm::ClassName() const {
    switch (kind_) {
    case PreviewKind::Folder:
        return "TFormPreviewFolder";
    case PreviewKind::Register:
        return "TFormPreviewregister";
    case PreviewKind::FolderRegister:
        return "TFormPreviewFolderRegister";
    case PreviewKind::All:
        break;
    }
    return "TFormPreviewAll";
}

std::vector<std::string> TPreviewForm::PageNames() const {
    switch (kind_) {
    case PreviewKind::FolderRegister:
        return {"Washer Folder", "Washer Register"};
    case PreviewKind::All:
        return {"Clean Special", "Clean Folder/File", "Clean Registry Entry"};
    default:
        return {};
    }
}

TFormPreviewFolder::TFormPreviewFolder() : TPreviewForm(PreviewKind::Folder) {
    Caption = "Preview files of current item - ";
}

TFormPreviewregister::TFormPreviewregister() : TPreviewForm(PreviewKind::Register) {
    Caption = "Preview entries of current item - ";
}

TFormPreviewFolderRegister::TFormPreviewFolderRegister()
    : TPreviewForm(PreviewKind::FolderRegister) {
    Caption = "Preview current item - ";
    ActivePage = 0; // "Washer Folder"
}

TFormPreviewAll::TFormPreviewAll() : TPreviewForm(PreviewKind::All) {
    Caption = "Preview - ";
    ActivePage = 1; // "Clean Folder/File"
}

void TPreviewForm::Wash(const PreviewWashContext& context) {
    if (context.writeToLog) {
        context.log.BeginLogSection();
    }
    WashLog* log = context.writeToLog ? &context.log : nullptr;
    if (HasFiles()) {
        RemovalCounts counts;
        const RemovalContext removal{context.fs, context.seam, log, context.specialFiles};
        RemoveTickedFiles(CheckListBoxPreviewFolder.Lines, context.useQuick, counts, removal);
        // Then the folders left empty, for the children that ask for it.
        (void)RemoveEmptiedFolders(context.fs, context.seam.Emptied().Folders(),
                                   &context.seam.Collected());
        context.seam.Emptied().Clear();
        context.LabFolderSuccess = std::to_string(counts.removed);
        context.LabFolderFails = std::to_string(counts.failed);
    }
    if (HasEntries()) {
        const RemovalCounts counts =
            RemoveTickedEntries(CheckListBoxPreviewregister.Lines, context.registry, log);
        context.LabelSuccess = std::to_string(counts.removed);
        context.LabelFails = std::to_string(counts.failed);
    }
    if (context.writeToLog) {
        context.log.EndLogSection();
    }
    if (HasSpecial()) {
        // An unticked special item is left alone, as the user asked.
        for (const CheckedLine& line : CheckListBoxSpecial.Lines) {
            if (line.Checked) {
                CleanSpecialItem(line.Text, context.shell, log);
            }
        }
    }
    Close();
}

RegistryLineLook LookOfRegistryLine(const std::string& entry, platform::Registry& registry) {
    const std::string marker = kDeleteKeyMarker;
    const auto at = entry.find(marker);
    if (at != std::string::npos) {
        return {entry.substr(0, at) + entry.substr(at + marker.size()), true};
    }
    return {RegistryEntryDisplayText(entry, registry), false};
}

} // namespace quill
