#pragma once

#include "support/screen_picture.h"

#include <windows.h>

#include <string>

// The pictures of the windows for the help topics: a window's client area as
// the screen shows it (the caption and frame are the window manager's, which
// a virtual display may not have), saved as folder\name.png.

namespace quill::test::window {

// The folder of the pictures, build/<arch>/artefacts/screenshots\, made
// when missing.
inline std::wstring ScreenshotFolder() {
    return PictureFolder();
}

// True when written.
inline bool SaveScreenshot(HWND window, const std::wstring& folder, const std::wstring& name) {
    RECT client{};
    ::GetClientRect(window, &client);
    const ScreenPicture picture(window, client);
    if (picture.Width() <= 0 || picture.Height() <= 0) {
        return false;
    }
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    return picture.SavePng(path + name + L".png");
}

} // namespace quill::test::window
