#pragma once

#include "platform/win32/wide.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A picture of a window as it is on screen, saved as a PNG file (stored,
// uncompressed deflate blocks: no library needed), for the help topics.

namespace quill::test::window {

namespace png {

inline std::uint32_t Crc(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

inline void Chunk(std::vector<std::uint8_t>& out, const char* type,
                  const std::vector<std::uint8_t>& data) {
    PutBig(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig(out, Crc(body.data(), body.size()));
}

// rows: height rows of 1 + 3 * width bytes (filter byte, then RGB).
inline std::vector<std::uint8_t> Encode(int width, int height,
                                        const std::vector<std::uint8_t>& rows) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig(header, static_cast<std::uint32_t>(width));
    PutBig(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    Chunk(out, "IHDR", header);

    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : rows) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, rows.size() - at);
        z.push_back(at + n == rows.size() ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n & 0xFF));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n & 0xFF));
        z.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), rows.begin() + static_cast<std::ptrdiff_t>(at),
                 rows.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < rows.size());
    PutBig(z, (b << 16) | a);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    return out;
}

} // namespace png

// A rectangle of the screen, as RGB rows for Encode.
inline std::vector<std::uint8_t> Grab(const RECT& r, int& width, int& height) {
    width = r.right - r.left;
    height = r.bottom - r.top;
    std::vector<std::uint8_t> rows;
    if (width <= 0 || height <= 0) {
        return rows;
    }
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        ::GdiFlush();
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        rows.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
        for (int y = 0; y < height; ++y) {
            rows.push_back(0);
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = pixels + (static_cast<std::size_t>(y) * width + x) * 4;
                rows.insert(rows.end(), {p[2], p[1], p[0]});
            }
        }
        ::SelectObject(memory, old);
    }
    if (bitmap) {
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return rows;
}

// The window's client area as the screen shows it (the caption and frame
// are the window manager's, which a virtual display may not have).
inline std::vector<std::uint8_t> Grab(HWND window, int& width, int& height) {
    RECT r{};
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return Grab(r, width, height);
}

#ifdef QUILL_SCREENSHOTS
// The folder of the pictures, build/<arch>/artefacts/screenshots.
inline std::wstring ScreenshotFolder() {
    std::string unix = QUILL_SCREENSHOTS;
    for (char& c : unix) {
        c = c == '/' ? '\\' : c;
    }
    return platform::win32::Wide("Z:" + unix);
}
#endif

// Saves the picture of the window as folder\name.png, the folder made when
// missing; true when written.
inline bool SaveScreenshot(HWND window, const std::wstring& folder, const std::wstring& name) {
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> rows = Grab(window, width, height);
    if (rows.empty()) {
        return false;
    }
    std::wstring path;
    for (std::size_t at = 0; at <= folder.size(); ++at) {
        if (at == folder.size() || folder[at] == L'\\') {
            path = folder.substr(0, at);
            ::CreateDirectoryW(path.c_str(), nullptr);
        }
    }
    const std::vector<std::uint8_t> file = png::Encode(width, height, rows);
    HANDLE out = ::CreateFileW((folder + L"\\" + name + L".png").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        ::WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
        written == file.size();
    ::CloseHandle(out);
    return ok;
}

} // namespace quill::test::window
