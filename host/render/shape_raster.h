#pragma once

#include <cstdint>
#include <map>
#include <tuple>
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

struct SpriteKey {
    ShapeKind kind;
    FillStyle fill;
    int width, height;
    friend bool operator<(const SpriteKey& a, const SpriteKey& b) {
        return std::tie(a.kind, a.fill, a.width, a.height) < std::tie(b.kind, b.fill, b.width, b.height);
    }
};

struct Sprite {
    std::vector<ShapeRun> runs;      // outline and fill apart
    std::vector<ShapeRun> coverage;  // one run per row piece, for a shape all of one colour
};

// The runs of the small shapes a surface has drawn, kept with the surface
// that draws them, so that nothing outlives its window. Few sizes ever occur
// (one per ball size and display scale); the bound only guards against a
// program that keeps resizing its shapes.
class SpriteCache {
public:
    const Sprite& sprite(const SpriteKey& key);

private:
    std::map<SpriteKey, Sprite> sprites_;
    const Sprite* last_ = nullptr;
    SpriteKey lastKey_{};
};

// Draws a shape into its drawn rectangle (shapeDrawnRect), clipped. Small
// shapes, the balls above all, are blitted from the cache's runs for their
// size and kind instead of being rasterised each time.
void drawShape(PixelView target, const Shape& shape, PixelRect drawnRect, PixelRect clip, SpriteCache& sprites);

}  // namespace host::render
