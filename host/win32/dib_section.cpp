#include "host/win32/dib_section.h"

#include <algorithm>
#include <utility>

namespace host::win32 {

DibSection::DibSection(int width, int height, std::uint32_t fill) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) return;
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::fill_n(bits_, std::size_t(width) * std::size_t(height), fill);
}

DibSection::~DibSection() { release(); }

DibSection::DibSection(DibSection&& other) noexcept { *this = std::move(other); }

DibSection& DibSection::operator=(DibSection&& other) noexcept {
    if (this == &other) return *this;
    release();
    dc_ = std::exchange(other.dc_, nullptr);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    previous_ = std::exchange(other.previous_, nullptr);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    return *this;
}

void DibSection::release() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

render::PixelView DibSection::view() const {
    GdiFlush();
    return {bits_, width_, height_, width_};
}

}  // namespace host::win32
