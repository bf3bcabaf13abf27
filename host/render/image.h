#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/geometry.h"

namespace host::render {

// A view of 32-bit pixels 0x00RRGGBB, rows top-down, stride in pixels.
struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint32_t& at(int x, int y) const { return pixels[std::ptrdiff_t(y) * stride + x]; }
    PixelRect bounds() const { return {0, 0, width, height}; }
};

// Owns its pixels.
class Image {
public:
    Image() = default;
    Image(int width, int height, std::uint32_t fill = 0);
    PixelView view();
    const std::uint32_t* data() const { return pixels_.data(); }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

std::uint32_t toPixel(Color color);

// Copies rect of one view into the same place of another.
void copyPixels(PixelView from, PixelView to, PixelRect rect);

}  // namespace host::render
