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

// What a control shows on screen: the pixels it may cover (empty when it
// shows nothing) and a fingerprint of how it looks there (colours, kind,
// exact pixels). Two appearances that compare equal paint the same pixels.
struct Appearance {
    PixelRect bounds;
    std::uint64_t look = 0;
    friend bool operator==(const Appearance&, const Appearance&) = default;
};

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
    return {twipsToPixels(shape.Left, scale.twipsPerPixelX), twipsToPixels(shape.Top, scale.twipsPerPixelY),
            twipsToPixels(shape.Left + shape.Width, scale.twipsPerPixelX),
            twipsToPixels(shape.Top + shape.Height, scale.twipsPerPixelY)};
}

// Whether a control shows at all: visible, at a position that is a number.
bool isShown(const Line& line);
bool isShown(const Shape& shape);

// What a control shows on screen now: an empty appearance when it is not
// shown (see isShown).
Appearance appearance(const Line& line, PixelScale scale);
Appearance appearance(const Shape& shape, PixelScale scale);

}  // namespace host::render
