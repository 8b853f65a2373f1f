#pragma once

#include "log/wash_log.h"

#include <string>
#include <vector>

namespace quill::test {

// A wash log that keeps what it was told, one text per call.
class RecordingLog final : public WashLog {
public:
    void BeginLogSection() override { calls.push_back("begin"); }
    void AppendLogRow(LogKind kind, bool quick, bool success, const std::string& note,
                      const std::string& item) override {
        static const char* const kKinds[] = {"file", "registry", "special"};
        calls.push_back(std::string(kKinds[static_cast<int>(kind)]) + (quick ? " quick" : "") +
                        (success ? " ok " : " fail ") + item + (note.empty() ? "" : " | " + note));
    }
    void EndLogSection() override { calls.push_back("end"); }

    std::vector<std::string> calls;
};

} // namespace quill::test
