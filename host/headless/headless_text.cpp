// Text in a fixed-pitch dot-matrix face: each character 0.6 em wide, lines
// 1.15 em high, the same on every machine, so frames compare exactly.
#include <cmath>

#include "host/backend/text.h"
#include "host/headless/bitmap_font.h"

namespace host::backend {

namespace {

TextExtent cell(const Font& font, int dpi) {
    const float emPixels = font.sizePoints * float(dpi) / 72.0f;
    return {int(std::lround(emPixels * 0.6f)), int(std::lround(emPixels * 1.15f))};
}

}  // namespace

TextExtent measureText(std::string_view text, const Font& font, int dpi) {
    const TextExtent one = cell(font, dpi);
    return {one.width * int(text.size()), one.height};
}

void drawText(render::PixelView target, int left, int top, std::string_view text, const Font& font, Color color,
              int dpi) {
    const TextExtent one = cell(font, dpi);
    headless::drawBitmapText(target, left, top, text, one.width, one.height, render::toPixel(color));
}

}  // namespace host::backend
