#pragma once

#include <string>

// Message dialogs: questions proceed only on Yes, refusals and results are
// acknowledged with OK.

namespace quill::platform {

enum class MessageKind {
    Question,    // warning icon, Yes and No
    Warning,     // warning icon, OK
    Error,       // error icon, OK
    Information, // information icon, OK
    Notice,      // plain box captioned "Information", OK
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows the message and waits for the answer; true only for Yes to a
    // question (and for OK to every other kind).
    virtual bool ShowMessage(MessageKind kind, const std::string& text) = 0;
};

} // namespace quill::platform
