#pragma once

// Where the lightweight controls land in device pixels. Painting and change
// detection both go through these, so a control is always repainted inside
// the bounds recorded for it.

#include <cstdint>

#include "host/controls.h"
#include "host/geometry.h"

namespace host::render {

// A twip coordinate in device pixels, rounded to the nearest one. Values far
// outside any screen are clamped so later arithmetic cannot overflow.
int toPixelCoordinate(Twips twips, float twipsPerPixel);

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
PixelRect shapeDrawnRect(const Shape& shape, PixelScale scale);

// What a control shows on screen now: the pixels it may cover (empty when
// it is hidden or its position is not a number) and a fingerprint of how it
// looks there. Two appearances that compare equal paint the same pixels.
struct Appearance {
    PixelRect bounds;
    std::uint64_t look = 0;
};

Appearance appearance(const Line& line, PixelScale scale);
Appearance appearance(const Shape& shape, PixelScale scale);

}  // namespace host::render
