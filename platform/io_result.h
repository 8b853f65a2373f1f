#pragma once

// Outcome of one platform file or registry operation, mapped from the
// system's own error code right where the call failed.

namespace quill::platform {

enum class IoResult {
    Ok,
    NotFound,         // the file or value does not exist
    PathNotFound,     // a folder on the way does not exist
    AccessDenied,     // refused by security or by the read-only attribute
    SharingViolation, // held open by another process
    DiskFull,
    AlreadyExists,
    Failed, // any other failure
};

[[nodiscard]] inline bool Succeeded(IoResult r) {
    return r == IoResult::Ok;
}

} // namespace quill::platform
