#include "host/render/pixel_geometry.h"

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

// Far beyond any screen, yet small enough that products of two coordinates
// fit in 64 bits.
constexpr double coordinateLimit = double(1 << 26);

double clampToLimit(double pixels) { return std::clamp(pixels, -coordinateLimit, coordinateLimit); }

bool finite(TwipPoint point) { return std::isfinite(point.x) && std::isfinite(point.y); }

}  // namespace

int toPixelCoordinate(Twips twips, float twipsPerPixel) {
    const double pixels = double(twips) / double(twipsPerPixel);
    if (std::isnan(pixels)) return 0;
    return int(std::lround(clampToLimit(pixels)));
}

LinePixels linePixels(TwipPoint from, TwipPoint to, int widthPixels, PixelScale scale) {
    return {toPixelCoordinate(from.x, scale.twipsPerPixelX), toPixelCoordinate(from.y, scale.twipsPerPixelY),
            toPixelCoordinate(to.x, scale.twipsPerPixelX), toPixelCoordinate(to.y, scale.twipsPerPixelY),
            std::clamp(widthPixels, 1, 1 << 12)};
}

LinePixels linePixels(const Line& line, PixelScale scale) {
    return linePixels({line.X1, line.Y1}, {line.X2, line.Y2}, line.BorderWidth, scale);
}

PixelRect lineBounds(const LinePixels& line) {
    return {std::min(line.x0, line.x1) - line.width, std::min(line.y0, line.y1) - line.width,
            std::max(line.x0, line.x1) + line.width + 1, std::max(line.y0, line.y1) + line.width + 1};
}

PixelRect shapeDrawnRect(const Shape& shape, PixelScale scale) {
    return {toPixelCoordinate(shape.Left, scale.twipsPerPixelX), toPixelCoordinate(shape.Top, scale.twipsPerPixelY),
            toPixelCoordinate(shape.Left + shape.Width, scale.twipsPerPixelX),
            toPixelCoordinate(shape.Top + shape.Height, scale.twipsPerPixelY)};
}

PixelRect controlBounds(const Line& line, PixelScale scale) {
    if (!line.Visible || !finite({line.X1, line.Y1}) || !finite({line.X2, line.Y2})) return {};
    return lineBounds(linePixels(line, scale));
}

PixelRect controlBounds(const Shape& shape, PixelScale scale) {
    if (!shape.Visible || !finite({shape.Left, shape.Top}) || !finite({shape.Width, shape.Height})) return {};
    const double left = clampToLimit(double(shape.Left) / scale.twipsPerPixelX);
    const double top = clampToLimit(double(shape.Top) / scale.twipsPerPixelY);
    const double right = clampToLimit(double(shape.Left + shape.Width) / scale.twipsPerPixelX);
    const double bottom = clampToLimit(double(shape.Top + shape.Height) / scale.twipsPerPixelY);
    // Rounded outward, so it always holds the rectangle the shape is drawn in.
    return {int(std::floor(left)), int(std::floor(top)), int(std::ceil(right)), int(std::ceil(bottom))};
}

}  // namespace host::render
