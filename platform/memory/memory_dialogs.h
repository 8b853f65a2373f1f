#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <string>
#include <vector>

// Dialogs for tests: record every message and answer questions from a
// script (No when the script has run out).

namespace quill::platform {

class MemoryDialogs final : public Dialogs {
public:
    struct Shown {
        MessageKind kind;
        std::string text;
    };

    bool ShowMessage(MessageKind kind, const std::string& text) override {
        shown.push_back({kind, text});
        if (kind != MessageKind::Question) {
            return true;
        }
        if (answers.empty()) {
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers;
};

} // namespace quill::platform
