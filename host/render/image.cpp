#include <algorithm>

#include "host/render/render.h"

namespace host::render {

Image::Image(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

PixelView Image::view() { return {pixels_.data(), width_, height_, width_}; }

std::uint32_t toPixel(Color color) {
    return (std::uint32_t(color.red()) << 16) | (std::uint32_t(color.green()) << 8) | color.blue();
}

}  // namespace host::render
