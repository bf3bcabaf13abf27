#pragma once

// Where the lightweight controls land in device pixels. Painting and change
// detection both go through these, so a control is always repainted inside
// the bounds recorded for it.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/controls.h"
#include "host/geometry.h"

namespace host::render {

// Far beyond any screen, yet small enough that products of two coordinates
// fit in 64 bits.
inline constexpr double pixelCoordinateLimit = double(1 << 26);

// A twip coordinate in device pixels, rounded to the nearest one, halves
// away from zero. Values far outside any screen are clamped so later
// arithmetic cannot overflow. Inline: it runs four times per ball per frame.
inline int toPixelCoordinate(Twips twips, float twipsPerPixel) {
    const double pixels = double(twips) / double(twipsPerPixel);
    if (std::isnan(pixels)) return 0;
    const double clamped = std::clamp(pixels, -pixelCoordinateLimit, pixelCoordinateLimit);
    return clamped >= 0 ? int(clamped + 0.5) : -int(0.5 - clamped);
}

struct LinePixels {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int width = 1;
};

LinePixels linePixels(TwipPoint from, TwipPoint to, int widthPixels, PixelScale scale);
LinePixels linePixels(const Line& line, PixelScale scale);

// Everything a line of this geometry can touch: its end points inflated by
// its width.
PixelRect lineBounds(const LinePixels& line);

// Where a shape is drawn: its corners rounded to the nearest pixel.
inline PixelRect shapeDrawnRect(const Shape& shape, PixelScale scale) {
    return {toPixelCoordinate(shape.Left, scale.twipsPerPixelX), toPixelCoordinate(shape.Top, scale.twipsPerPixelY),
            toPixelCoordinate(shape.Left + shape.Width, scale.twipsPerPixelX),
            toPixelCoordinate(shape.Top + shape.Height, scale.twipsPerPixelY)};
}

// Whether a control shows at all: visible, at a position that is a number.
bool isShown(const Line& line);
bool isShown(const Shape& shape);

// What a control shows on screen now; nothing when it is hidden or its
// position is not a number.

Appearance appearance(const Line& line, PixelScale scale);
Appearance appearance(const Shape& shape, PixelScale scale);

}  // namespace host::render
