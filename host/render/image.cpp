#include "host/render/image.h"

#include <algorithm>
#include <cstring>

namespace host::render {

Image::Image(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

PixelView Image::view() { return {pixels_.data(), width_, height_, width_}; }

std::uint32_t toPixel(Color color) {
    return (std::uint32_t(color.red()) << 16) | (std::uint32_t(color.green()) << 8) | color.blue();
}

// Most rectangles are a ball's few pixels wide: their rows are copied pixel
// by pixel, as on Windows a call into the C library per row costs more than
// such a copy. Wide rows, a full frame's, go to the library's copy.
void copyPixels(PixelView from, PixelView to, PixelRect rect) {
    constexpr int narrow = 32;
    const int width = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* const out = &to.at(rect.left, y);
        const std::uint32_t* const in = &from.at(rect.left, y);
        if (width > narrow) {
            std::memcpy(out, in, std::size_t(width) * sizeof(std::uint32_t));
        } else {
            for (int x = 0; x < width; ++x) out[x] = in[x];
        }
    }
}

}  // namespace host::render
