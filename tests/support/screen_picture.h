#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// What a window shows on screen, read back from the display as the user sees
// it: its pixels, and a PNG file of them for the pictures of the windows.

namespace quill::test::window {

class ScreenPicture {
public:
    // The pixels of the window's frame as the screen shows them now.
    explicit ScreenPicture(HWND window) {
        RECT r{};
        ::GetWindowRect(window, &r);
        Take(r);
    }
    // The pixels of a part of a window's client area.
    ScreenPicture(HWND window, RECT client) {
        POINT a{client.left, client.top};
        POINT b{client.right, client.bottom};
        ::ClientToScreen(window, &a);
        ::ClientToScreen(window, &b);
        Take({a.x, a.y, b.x, b.y});
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const {
        const std::uint32_t p = pixels_[static_cast<std::size_t>(y * width_ + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // How many pixels satisfy pred.
    template <class Pred> int Count(Pred pred) const {
        int n = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                n += pred(At(x, y)) ? 1 : 0;
            }
        }
        return n;
    }

    // Writes the picture as a PNG file (RGB, uncompressed deflate blocks);
    // false when the file cannot be written.
    bool SavePng(const std::wstring& path) const {
        std::string raw;
        raw.reserve(static_cast<std::size_t>(height_ * (width_ * 3 + 1)));
        for (int y = 0; y < height_; ++y) {
            raw += '\0'; // no filter
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = At(x, y);
                raw += static_cast<char>(GetRValue(c));
                raw += static_cast<char>(GetGValue(c));
                raw += static_cast<char>(GetBValue(c));
            }
        }
        std::string z = "\x78\x01";
        for (std::size_t at = 0; at < raw.size() || at == 0;) {
            const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
            const bool last = at + n >= raw.size();
            z += static_cast<char>(last ? 1 : 0);
            z += static_cast<char>(n & 0xFF);
            z += static_cast<char>(n >> 8);
            z += static_cast<char>(~n & 0xFF);
            z += static_cast<char>((~n >> 8) & 0xFF);
            z.append(raw, at, n);
            at += n;
            if (last) {
                break;
            }
        }
        std::uint32_t a = 1, b = 0;
        for (const char c : raw) {
            a = (a + static_cast<unsigned char>(c)) % 65521;
            b = (b + a) % 65521;
        }
        AppendBig(z, (b << 16) | a);

        std::string header;
        AppendBig(header, static_cast<std::uint32_t>(width_));
        AppendBig(header, static_cast<std::uint32_t>(height_));
        header += std::string("\x08\x02\x00\x00\x00", 5);
        std::string png = "\x89PNG\r\n\x1a\n";
        AppendChunk(png, "IHDR", header);
        AppendChunk(png, "IDAT", z);
        AppendChunk(png, "IEND", "");
        std::ofstream out(path.c_str(), std::ios::binary);
        out.write(png.data(), static_cast<std::streamsize>(png.size()));
        return static_cast<bool>(out);
    }

private:
    void Take(const RECT& r) {
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        if (width_ <= 0 || height_ <= 0) {
            width_ = height_ = 0;
            return;
        }
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_; // top down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width_, height_, screen, r.left, r.top, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(p, p + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }

    static void AppendBig(std::string& s, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            s += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    static std::uint32_t Crc(const std::string& data) {
        std::uint32_t c = 0xFFFFFFFFu;
        for (const char ch : data) {
            c ^= static_cast<unsigned char>(ch);
            for (int k = 0; k < 8; ++k) {
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            }
        }
        return c ^ 0xFFFFFFFFu;
    }
    static void AppendChunk(std::string& png, const char* type, const std::string& data) {
        AppendBig(png, static_cast<std::uint32_t>(data.size()));
        std::string typed = type;
        typed += data;
        png += typed;
        AppendBig(png, Crc(typed));
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Red as the program draws special rows and Cancel captions (anti-aliased
// edges included).
inline bool IsRed(COLORREF c) {
    return GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

// The folder the pictures of the windows go to, made when missing.
inline std::wstring PictureFolder() {
    std::string unix = QUILL_SCREENSHOTS;
    std::wstring folder = L"Z:";
    for (char c : unix) {
        folder += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    for (std::size_t at = folder.find(L'\\', 3); at != std::wstring::npos;
         at = folder.find(L'\\', at + 1)) {
        ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

} // namespace quill::test::window
