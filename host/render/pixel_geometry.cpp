#include "host/render/pixel_geometry.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace host::render {

namespace {

bool finite(TwipPoint point) { return std::isfinite(point.x) && std::isfinite(point.y); }

std::uint64_t fingerprint(std::initializer_list<std::uint32_t> values) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull;
    for (std::uint32_t value : values) hash = (hash ^ value) * 0x100000001B3ull + (hash >> 29);
    return hash | 1;  // never 0, which stands for nothing painted
}

}  // namespace

LinePixels linePixels(TwipPoint from, TwipPoint to, int widthPixels, PixelScale scale) {
    return {twipsToPixels(from.x, scale.twipsPerPixelX), twipsToPixels(from.y, scale.twipsPerPixelY),
            twipsToPixels(to.x, scale.twipsPerPixelX), twipsToPixels(to.y, scale.twipsPerPixelY),
            std::clamp(widthPixels, 1, 1 << 12)};
}

LinePixels linePixels(const Line& line, PixelScale scale) {
    return linePixels({line.X1, line.Y1}, {line.X2, line.Y2}, line.BorderWidth, scale);
}

PixelRect lineBounds(const LinePixels& line) {
    return {std::min(line.x0, line.x1) - line.width, std::min(line.y0, line.y1) - line.width,
            std::max(line.x0, line.x1) + line.width + 1, std::max(line.y0, line.y1) + line.width + 1};
}

bool isShown(const Line& line) { return line.Visible && finite({line.X1, line.Y1}) && finite({line.X2, line.Y2}); }

bool isShown(const Shape& shape) {
    return shape.Visible && finite({shape.Left, shape.Top}) && finite({shape.Width, shape.Height});
}

Appearance appearance(const Line& line, PixelScale scale) {
    if (!isShown(line)) return {};
    const LinePixels pixels = linePixels(line, scale);
    // Both ends matter, not only the box: a line may flip to the other
    // diagonal of the same box.
    const std::uint64_t look = fingerprint({std::uint32_t(pixels.x0), std::uint32_t(pixels.y0), std::uint32_t(pixels.x1),
                                            std::uint32_t(pixels.y1), std::uint32_t(pixels.width), line.BorderColor.bgr});
    return {lineBounds(pixels), look};
}

Appearance appearance(const Shape& shape, PixelScale scale) {
    if (!isShown(shape)) return {};
    const std::uint64_t look = fingerprint({std::uint32_t(shape.Kind), std::uint32_t(shape.Fill), shape.BorderColor.bgr,
                                            shape.FillColor.bgr});
    return {shapeDrawnRect(shape, scale), look};
}

}  // namespace host::render
