#pragma once

#include "app/main_window.h"
#include "app/pacer.h"
#include "app/win32/dialogs/dialog_context.h"
#include "app/win32/modal_window.h"
#include "platform/win32/win32_tray.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The main window on Win32: builds the real controls, hands their events to
// the window's logic and mirrors its state back into them.

namespace quill::win32app {

struct MainCommand;

class MainFrame final : public WindowHost {
public:
    static constexpr const wchar_t* kClassName = L"TFormMainQLMR";

    // The logic is the caller's and outlives the frame.
    MainFrame(TFormMainQLMR& form, HINSTANCE instance);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Creates the window, centred on the desktop; false when it cannot be.
    bool Create();
    HWND Handle() const { return hwnd_; }
    // The window that owns message boxes and pickers now: the innermost
    // dialog open, else the main window.
    HWND TopWindow() const { return modal_.Top(); }
    // Shows the window normally or minimized.
    void Show(bool minimized);

    // --- WindowHost ---
    void ProcessMessages() override;
    void Repaint() override;
    void WaitForMessages(std::uint32_t maxMs) override;
    std::uint32_t TickCount() override;
    void ShowModal(TPreviewForm& dialog, const PreviewWashContext& context) override;
    void ShowModal(TFormAddEditItem& editor) override;
    void ShowModal(TFormFolder& editor) override;
    void ShowModal(TFormRegister& editor) override;
    void ShowModal(TFormPreferences& dialog) override;
    void ShowModal(TFormExcludeFile& dialog) override;
    void ShowModal(TFormselectbyfilter& dialog) override;
    void ShowModal(TFormWildcard& dialog) override;
    void ShowModal(TFormDetect& dialog) override;
    void ShowModal(Taboutform& dialog) override;

private:
    HICON ProgramIcon(int size) const;
    struct ListMirror {
        HWND hwnd = nullptr;
        CheckListBox* model = nullptr;
        std::vector<CheckListBox::Row> shown;
        std::int32_t shownIndex = -2;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    // A button of a command, its hint and its place in the command table.
    HWND AddCommand(const MainCommand& command, int x, int y, int w, int h);
    const MainCommand* CommandOf(int id) const;
    HWND AddList(int id, int x, int y, int w, int h);
    void AddHint(HWND control, const wchar_t* hint);
    void SetRowHeight(HWND list, int height);
    // The command glyphs from the icons numbered from firstIcon.
    HIMAGELIST LoadGlyphs(int firstIcon) const;
    // A command button: its glyph, or its caption (red on the Cancel
    // buttons), on a push button's face.
    void DrawCommand(const DRAWITEMSTRUCT& d);
    // Gives the focus back to the control that had it (else to the wash item
    // list) when the window is active and no control has it; true when a
    // control has it now.
    bool RestoreFocus(HWND wanted);
    bool TakesFocus(HWND control) const;

    void OnCommand(int id);
    LRESULT OnNotify(NMHDR* header);
    LRESULT OnListChanged(int id, const NMLISTVIEW& change);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);

    // Runs a handler of the logic; errors go to the application's handler.
    void Run(const std::function<void()>& handler);
    // Copies the logic's state into the controls, touching only those whose
    // state changed.
    void Mirror();
    // What the dialogs need of this window: its stack, help and error handler.
    DialogContext Dialogs();
    // Mirror and paint what changed, at most once per refresh interval
    // unless the status bar changes its mode.
    void Refresh();
    void OnTray(LPARAM event);
    // The first activation's work, once: when the window is first activated
    // or, started hidden in the tray, at once.
    void PostFirstActivation();
    void MirrorStatus();
    void RestoreFromTray();
    void ShowTrayMenu();
    void MirrorList(ListMirror& list);

    TFormMainQLMR& form_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND status_ = nullptr;
    HWND progress_ = nullptr;
    HWND spMainCancel_ = nullptr;
    HWND spCancelPreview_ = nullptr;
    HFONT font_ = nullptr;
    HIMAGELIST glyphs_ = nullptr;    // owned
    HIMAGELIST glyphsOff_ = nullptr; // owned: the disabled buttons' glyphs
    ListMirror items_;
    ListMirror folders_;
    ListMirror registers_;
    std::vector<std::pair<HWND, const MainCommand*>> buttons_;
    bool mirroring_ = false;
    int runDepth_ = 0;
    HWND focusBefore_ = nullptr; // the control that had the focus
    // While a dialog is open only the Cancel buttons take input.
    ModalStack modal_{[this] { Mirror(); }};
    // Counters, labels and progress while a run goes on: what the eye can
    // follow. Pending messages: often enough for Cancel to act at once.
    Pacer refresh_{60};
    Pacer pump_{10};
    StatusMode statusShownMode_ = StatusMode::Idle;
    bool cancelShown_ = false;
    std::int32_t progressShownMax_ = -1;
    std::int32_t progressShownPosition_ = -1;
    UINT taskbarCreated_ = 0;
    bool timerOn_ = false;
    bool activated_ = false;
    std::unique_ptr<platform::Win32Tray> tray_;
    std::wstring statusShown_;
};

} // namespace quill::win32app
