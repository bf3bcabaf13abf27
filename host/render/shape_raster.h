#pragma once

#include <cstdint>
#include <vector>

#include "host/controls.h"
#include "host/render/image.h"

namespace host::render {

enum class RunRole : std::uint8_t { Border, Fill };

// A horizontal run of a shape's pixels, relative to its top-left corner:
// [left, right) on row `row`.
struct ShapeRun {
    int row;
    int left, right;
    RunRole role;
};

// The runs of one row of a shape `width` x `height` pixels: the outline is
// one pixel wide, the rest is fill (left out when the fill is transparent).
// A circle or square sits centred in the box, as large as its smaller side.
void appendShapeRow(std::vector<ShapeRun>& runs, ShapeKind kind, FillStyle fill, int width, int height, int row);

// Draws a shape into its drawn rectangle (shapeDrawnRect), clipped. Small
// shapes, the balls above all, are blitted from a cached set of runs per
// size and kind instead of being rasterised each time.
void drawShape(PixelView target, const Shape& shape, PixelRect drawnRect, PixelRect clip);

// Drops the cached runs, as a fresh program starts without them.
void forgetSprites();

}  // namespace host::render
