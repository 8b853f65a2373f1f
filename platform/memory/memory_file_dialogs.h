#pragma once

#include "platform/file_dialogs.h"

#include <deque>
#include <string>
#include <vector>

// File dialogs for tests: each answer is the next scripted path, and an
// empty one (or none left) stands for Cancel.

namespace quill::platform {

class MemoryFileDialogs final : public FileDialogs {
public:
    bool ChooseFileToOpen(const FileDialogRequest& request, std::string& path) override {
        return Answer(request, path);
    }
    bool ChooseFileToSave(const FileDialogRequest& request, std::string& path) override {
        return Answer(request, path);
    }

    std::deque<std::string> answers;
    std::vector<FileDialogRequest> asked;

private:
    bool Answer(const FileDialogRequest& request, std::string& path) {
        asked.push_back(request);
        if (answers.empty()) {
            return false;
        }
        path = answers.front();
        answers.pop_front();
        return !path.empty();
    }
};

} // namespace quill::platform
