#include <algorithm>
#include <cstring>
#include <fstream>

#include "harness.h"

namespace harness {

Screenshot captureScreen() { return captureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}); }

Screenshot captureScreen(const RECT& area) {
    Screenshot shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        shot.pixels.assign(source, source + std::size_t(shot.width) * std::size_t(shot.height));
        for (std::uint32_t& pixel : shot.pixels) pixel &= 0x00FFFFFFu;
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    } else {
        shot.width = shot.height = 0;
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

bool waitForScreenChanges(int changes, std::chrono::milliseconds timeout) {
    Screenshot last = captureScreen();
    int seen = 0;
    return waitUntil(
        [&] {
            Screenshot now = captureScreen();
            if (now.pixels != last.pixels) {
                ++seen;
                last = std::move(now);
            }
            return seen >= changes;
        },
        timeout);
}

Screenshot Screenshot::crop(const RECT& part) const {
    Screenshot cropped;
    const int left = std::max(0, int(part.left)), top = std::max(0, int(part.top));
    const int right = std::min(width, int(part.right)), bottom = std::min(height, int(part.bottom));
    if (right <= left || bottom <= top) return cropped;
    cropped.width = right - left;
    cropped.height = bottom - top;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) cropped.pixels.push_back(at(x, y));
    }
    return cropped;
}

// 24 bits per pixel, bottom-up: the form every image viewer reads.
bool Screenshot::saveBmp(const std::filesystem::path& path) const {
    if (width <= 0 || height <= 0) return false;
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t imageBytes = rowBytes * std::size_t(height);

    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = DWORD(file.bfOffBits + imageBytes);
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(imageBytes);

    std::string bytes(file.bfSize, '\0');
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &header, sizeof header);
    for (int y = 0; y < height; ++y) {
        char* row = bytes.data() + file.bfOffBits + std::size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = at(x, y);
            row[x * 3 + 0] = char(pixel & 0xFF);
            row[x * 3 + 1] = char((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = char((pixel >> 16) & 0xFF);
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace harness
