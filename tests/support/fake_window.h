#pragma once

#include "app/about_form.h"
#include "app/preview_dialogs.h"
#include "app/window_host.h"
#include "locations/profile_detection.h"
#include "settings/exclusion_list.h"
#include "settings/item_editors.h"
#include "settings/preferences.h"
#include "settings/wildcard_dialogs.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quill::test {

// A window that records what the runs did with it: pumps can press a
// button, the tick counter moves only while waiting, previews run a script.
class FakeWindow final : public WindowHost {
public:
    void ProcessMessages() override {
        ++pumps;
        if (onPump) {
            onPump(pumps);
        }
    }
    void Repaint() override { ++repaints; }
    void WaitForMessages(std::uint32_t maxMs) override {
        waits.push_back(maxMs);
        ticks += maxMs;
        waited += maxMs;
    }
    std::uint32_t TickCount() override { return ticks; }
    void ShowModal(TPreviewForm& dialog, const PreviewWashContext& context) override {
        ++shown;
        caption = dialog.Caption;
        files = dialog.CheckListBoxPreviewFolder.Lines;
        entries = dialog.CheckListBoxPreviewregister.Lines;
        special = dialog.CheckListBoxSpecial.Lines;
        page = dialog.ActivePage;
        if (onShow) {
            onShow(dialog, context);
        }
    }

    int pumps = 0;
    int repaints = 0;
    std::uint32_t ticks = 1000;
    std::uint32_t waited = 0;
    std::vector<std::uint32_t> waits; // each wait asked for, in milliseconds
    int shown = 0;
    std::string caption;
    CheckedList files, entries, special;
    std::int32_t page = -1;
    std::function<void(int)> onPump;
    std::function<void(TPreviewForm&, const PreviewWashContext&)> onShow;

    // The editors: each runs its script, which plays the user.
    void ShowModal(TFormAddEditItem& editor) override { Play(onItemEditor, editor); }
    void ShowModal(TFormFolder& editor) override { Play(onFolderEditor, editor); }
    void ShowModal(TFormRegister& editor) override { Play(onRegisterEditor, editor); }
    void ShowModal(TFormPreferences& dialog) override { Play(onPreferences, dialog); }
    void ShowModal(TFormExcludeFile& dialog) override { Play(onExclusions, dialog); }
    void ShowModal(TFormselectbyfilter& dialog) override { Play(onFilter, dialog); }
    void ShowModal(TFormWildcard& dialog) override { Play(onWildcards, dialog); }
    void ShowModal(TFormDetect& dialog) override { Play(onDetect, dialog); }
    std::function<void(TFormDetect&)> onDetect;
    void ShowModal(Taboutform& dialog) override { Play(onAbout, dialog); }
    std::function<void(Taboutform&)> onAbout;
    std::function<void(TFormselectbyfilter&)> onFilter;
    std::function<void(TFormWildcard&)> onWildcards;
    std::function<void(TFormPreferences&)> onPreferences;
    std::function<void(TFormExcludeFile&)> onExclusions;
    std::function<void(TFormAddEditItem&)> onItemEditor;
    std::function<void(TFormFolder&)> onFolderEditor;
    std::function<void(TFormRegister&)> onRegisterEditor;
    int editorsShown = 0;

private:
    template <class Editor> void Play(const std::function<void(Editor&)>& script, Editor& editor) {
        ++editorsShown;
        if (script) {
            script(editor);
        }
    }
};

} // namespace quill::test
