#pragma once

#include <windows.h>

#include <cstdint>

#include "host/render/render.h"

namespace host::win32 {

// A 32-bit top-down bitmap selected into its own memory device context: GDI
// draws into it and the renderer writes its pixels directly. Zero-sized
// when the window has no client area.
class DibSection {
public:
    DibSection() = default;
    DibSection(int width, int height, std::uint32_t fill);
    ~DibSection();
    DibSection(DibSection&& other) noexcept;
    DibSection& operator=(DibSection&& other) noexcept;
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return bits_ == nullptr; }
    // Flushes pending GDI drawing first, so the pixels are current.
    render::PixelView view() const;

private:
    void release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace host::win32
