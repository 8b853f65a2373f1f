#pragma once

#include <cstdint>

// What the main window's logic needs of the real window while a run goes
// on: pending messages processed, an immediate repaint, a wait for messages,
// the system's tick counter, and the preview dialogs shown modally.

namespace quill {

class TPreviewForm;
struct PreviewWashContext;
class TFormAddEditItem;
class TFormFolder;
class TFormRegister;
class TFormPreferences;
class TFormExcludeFile;
class TFormselectbyfilter;
class TFormWildcard;
class TFormDetect;
class Taboutform;

class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual void ProcessMessages() = 0;
    virtual void Repaint() = 0;
    // Waits until a message arrives or maxMs have passed.
    virtual void WaitForMessages(std::uint32_t maxMs) = 0;
    // Milliseconds since some fixed point, wrapping like GetTickCount.
    virtual std::uint32_t TickCount() = 0;
    // Shows the dialog until it is closed; its Wash command uses context.
    virtual void ShowModal(TPreviewForm& dialog, const PreviewWashContext& context) = 0;
    // The editors: shown until their ModalResult_ is set.
    virtual void ShowModal(TFormAddEditItem& editor) = 0;
    virtual void ShowModal(TFormFolder& editor) = 0;
    virtual void ShowModal(TFormRegister& editor) = 0;
    virtual void ShowModal(TFormPreferences& dialog) = 0;
    virtual void ShowModal(TFormExcludeFile& dialog) = 0;
    virtual void ShowModal(TFormselectbyfilter& dialog) = 0;
    virtual void ShowModal(TFormWildcard& dialog) = 0;
    virtual void ShowModal(TFormDetect& dialog) = 0;
    virtual void ShowModal(Taboutform& dialog) = 0;
};

} // namespace quill
