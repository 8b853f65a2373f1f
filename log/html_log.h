#pragma once

#include "log/wash_log.h"
#include "platform/file_system.h"
#include "platform/wall_clock.h"

#include <memory>
#include <stdexcept>
#include <string>

// The HTML wash log: left.htm holds one link per section, right.htm the
// sections themselves. Both only ever grow; a new file starts with a UTF-8
// byte-order mark, since paths are written as UTF-8.

namespace quill {

// Raised when a log file cannot be opened, written or closed. The message
// reads "I/O error N" with the system's error number.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int code);
    int Code() const { return code_; }

private:
    int code_;
};

// The system error number that stands for a failed file operation.
int IoErrorCode(platform::IoResult result);

class HtmlWashLog final : public WashLog {
public:
    // appDir is the program's folder with its trailing backslash.
    HtmlWashLog(platform::FileSystem& fs, platform::WallClock& clock, std::string appDir);
    ~HtmlWashLog() override;

    // Opens right.htm, then left.htm, and writes the link and the table head.
    void BeginLogSection() override;
    void AppendLogRow(LogKind kind, bool quick, bool success, const std::string& note,
                      const std::string& item) override;
    // Writes the end of the table and closes right.htm, then left.htm.
    void EndLogSection() override;

    bool SectionOpen() const { return right_ != nullptr; }

private:
    using Stream = std::unique_ptr<platform::FileSystem::AppendStream>;

    Stream Open(const std::string& name);
    // Writes to an open file; on failure closes both files and raises.
    void Put(Stream& stream, const std::string& bytes);
    // Closes both files, right.htm first; reports the first failure.
    platform::IoResult CloseBoth();

    platform::FileSystem& fs_;
    platform::WallClock& clock_;
    std::string appDir_;
    Stream right_;
    Stream left_;
};

} // namespace quill
