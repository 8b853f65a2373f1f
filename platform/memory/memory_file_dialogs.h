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
    // One scripted answer holds the chosen paths separated by "|".
    bool ChooseFilesToOpen(const FileDialogRequest& request,
                           std::vector<std::string>& paths) override {
        std::string joined;
        if (!Answer(request, joined)) {
            return false;
        }
        paths.clear();
        for (std::size_t at = 0;;) {
            const auto bar = joined.find('|', at);
            paths.push_back(joined.substr(at, bar - at));
            if (bar == std::string::npos) {
                break;
            }
            at = bar + 1;
        }
        return true;
    }
    bool ChooseFolder(const std::string& title, std::string& path) override {
        return Answer({title, "", "", false}, path);
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
