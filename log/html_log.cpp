#include "log/html_log.h"

#include "log/log_markup.h"
#include "model/data_files.h"

namespace quill {

using platform::IoResult;

namespace {

constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

EInOutError::EInOutError(int code)
    : std::runtime_error("I/O error " + std::to_string(code)), code_(code) {}

int IoErrorCode(IoResult result) {
    switch (result) {
    case IoResult::Ok:
        return 0;
    case IoResult::NotFound:
        return 2; // ERROR_FILE_NOT_FOUND
    case IoResult::PathNotFound:
        return 3; // ERROR_PATH_NOT_FOUND
    case IoResult::AccessDenied:
        return 5; // ERROR_ACCESS_DENIED
    case IoResult::SharingViolation:
        return 32; // ERROR_SHARING_VIOLATION
    case IoResult::DiskFull:
        return 112; // ERROR_DISK_FULL
    case IoResult::AlreadyExists:
        return 183; // ERROR_ALREADY_EXISTS
    case IoResult::Failed:
        break;
    }
    return 31; // ERROR_GEN_FAILURE
}

HtmlWashLog::HtmlWashLog(platform::FileSystem& fs, platform::WallClock& clock, std::string appDir)
    : fs_(fs), clock_(clock), appDir_(std::move(appDir)) {}

HtmlWashLog::~HtmlWashLog() {
    (void)CloseBoth();
}

HtmlWashLog::Stream HtmlWashLog::Open(const std::string& name) {
    Stream stream;
    const IoResult r = fs_.OpenForAppend(appDir_ + name, stream);
    if (!Succeeded(r)) {
        (void)CloseBoth();
        throw EInOutError(IoErrorCode(r));
    }
    if (stream->Created()) {
        Put(stream, kUtf8Bom);
    }
    return stream;
}

void HtmlWashLog::Put(Stream& stream, const std::string& bytes) {
    if (!stream) {
        (void)CloseBoth();
        throw EInOutError(103); // file not open: no section was begun
    }
    const IoResult r = stream->Write(bytes);
    if (!Succeeded(r)) {
        // Both files end up closed, so later sections and deleting the log work.
        (void)CloseBoth();
        throw EInOutError(IoErrorCode(r));
    }
}

IoResult HtmlWashLog::CloseBoth() {
    IoResult first = IoResult::Ok;
    for (Stream* s : {&right_, &left_}) {
        if (*s) {
            const IoResult r = (*s)->Close();
            if (Succeeded(first) && !Succeeded(r)) {
                first = r;
            }
            s->reset();
        }
    }
    return first;
}

void HtmlWashLog::BeginLogSection() {
    // Only one section is open at a time; one left open by a failed wash ends here.
    (void)CloseBoth();
    right_ = Open(data_files::kLogSections);
    left_ = Open(data_files::kLogIndex);
    const std::string stamp = logmarkup::Stamp(clock_.Now());
    const std::string date = logmarkup::Date(clock_.Now());
    Put(left_, logmarkup::IndexLine(stamp, date));
    Put(right_, logmarkup::SectionHead(stamp, date));
}

void HtmlWashLog::AppendLogRow(LogKind kind, bool quick, bool success, const std::string& note,
                               const std::string& item) {
    Put(right_, logmarkup::Row(kind, quick, success, note, item));
}

void HtmlWashLog::EndLogSection() {
    Put(right_, logmarkup::kSectionEnd);
    const IoResult r = CloseBoth();
    if (!Succeeded(r)) {
        throw EInOutError(IoErrorCode(r));
    }
}

} // namespace quill
