#pragma once

// Win32 only: conversion of UTF-8 paths to the wide strings of the W APIs and
// mapping of system error codes.

#include "platform/io_result.h"

#include <string>
#include <string_view>

#include <windows.h>

namespace quill::platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A path for the wide file APIs, in the long form ("\\?\C:\...",
// "\\?\UNC\server\share\...") so that Windows takes every name as it is: a
// name ending in a dot or a blank is that name, not its neighbour without
// one, and deep folders work. Only what can never be a name is tidied first:
// forward slashes become backslashes, doubled separators and "." fall away,
// ".." steps back one folder. Relative paths are left as they are.
std::wstring WidePath(std::string_view utf8);

IoResult MapError(DWORD error);
inline IoResult LastError() {
    return MapError(::GetLastError());
}

// Owns a kernel handle.
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE h) : h_(h) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Close(); }

    bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE Get() const { return h_; }
    void Close() {
        if (Valid()) {
            ::CloseHandle(h_);
        }
        h_ = INVALID_HANDLE_VALUE;
    }
    // Takes h in place of the handle held (closed first).
    void Reset(HANDLE h) {
        Close();
        h_ = h;
    }
    // Gives the handle up without closing it.
    HANDLE Release() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Owns an open registry key.
class ScopedKey {
public:
    ScopedKey() = default;
    explicit ScopedKey(HKEY h) : h_(h) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() { Close(); }

    bool Valid() const { return h_ != nullptr; }
    HKEY Get() const { return h_; }
    void Close() {
        if (h_ != nullptr) {
            ::RegCloseKey(h_);
        }
        h_ = nullptr;
    }

private:
    HKEY h_ = nullptr;
};

} // namespace quill::platform::win32
