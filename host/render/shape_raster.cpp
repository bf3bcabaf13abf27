#include "host/render/shape_raster.h"

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

// Runs of a shape small enough to keep; larger ones are rasterised row by
// row inside the clip only, so a huge shape costs no more than the screen.
constexpr int spriteSideLimit = 128;

// The pixel columns [left, right) of one row of a shape, empty outside it.
struct Span {
    int left = 0, right = 0;
    bool empty() const { return right <= left; }
};

// Where the round or square part of a circle or square sits in its box.
PixelRect figureRect(ShapeKind kind, int width, int height) {
    if (kind == ShapeKind::Circle || kind == ShapeKind::Square) {
        const int side = std::min(width, height);
        const int left = (width - side) / 2;
        const int top = (height - side) / 2;
        return {left, top, left + side, top + side};
    }
    return {0, 0, width, height};
}

// The pixels whose centres lie inside the ellipse filling the figure.
Span ellipseSpan(const PixelRect& figure, int row) {
    if (row < figure.top || row >= figure.bottom) return {};
    const double radiusX = (figure.right - figure.left) / 2.0;
    const double radiusY = (figure.bottom - figure.top) / 2.0;
    const double dy = (row + 0.5 - figure.top - radiusY) / radiusY;
    const double reach = radiusX * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    const double centre = figure.left + radiusX;
    return {int(std::ceil(centre - reach - 0.5)), int(std::floor(centre + reach - 0.5)) + 1};
}

Span figureSpan(ShapeKind kind, const PixelRect& figure, int row) {
    if (row < figure.top || row >= figure.bottom) return {};
    if (kind == ShapeKind::Oval || kind == ShapeKind::Circle) return ellipseSpan(figure, row);
    return {figure.left, figure.right};
}

void appendRun(std::vector<ShapeRun>& runs, int row, int left, int right, RunRole role) {
    if (left < right) runs.push_back({row, left, right, role});
}

Sprite buildSprite(const SpriteKey& key) {
    Sprite sprite;
    for (int row = 0; row < key.height; ++row) {
        const std::size_t first = sprite.runs.size();
        appendShapeRow(sprite.runs, key.kind, key.fill, key.width, key.height, row);
        for (std::size_t i = first; i < sprite.runs.size(); ++i) {
            const ShapeRun& run = sprite.runs[i];
            if (!sprite.coverage.empty() && sprite.coverage.back().row == row && sprite.coverage.back().right == run.left)
                sprite.coverage.back().right = run.right;
            else
                sprite.coverage.push_back(run);
        }
    }
    return sprite;
}

// A shape wholly inside the clip, the usual case for a ball, needs no
// clipping per run.
void blitUnclipped(PixelView target, const std::vector<ShapeRun>& runs, int originX, int originY, std::uint32_t border,
                   std::uint32_t fill) {
    for (const ShapeRun& run : runs)
        std::fill_n(&target.at(originX + run.left, originY + run.row), run.right - run.left,
                    run.role == RunRole::Border ? border : fill);
}

void blitRuns(PixelView target, const std::vector<ShapeRun>& runs, int originX, int originY, std::uint32_t border,
              std::uint32_t fill, const PixelRect& clip) {
    for (const ShapeRun& run : runs) {
        const int y = originY + run.row;
        if (y < clip.top || y >= clip.bottom) continue;
        const int left = std::max(originX + run.left, clip.left);
        const int right = std::min(originX + run.right, clip.right);
        if (left < right) std::fill_n(&target.at(left, y), right - left, run.role == RunRole::Border ? border : fill);
    }
}

}  // namespace

void appendShapeRow(std::vector<ShapeRun>& runs, ShapeKind kind, FillStyle fill, int width, int height, int row) {
    const PixelRect figure = figureRect(kind, width, height);
    const Span here = figureSpan(kind, figure, row);
    if (here.empty()) return;
    const Span above = figureSpan(kind, figure, row - 1);
    const Span below = figureSpan(kind, figure, row + 1);
    // A pixel is outline when one of its four neighbours lies outside.
    const int innerLeft = std::max({here.left + 1, above.left, below.left});
    const int innerRight = std::min({here.right - 1, above.right, below.right});
    if (above.empty() || below.empty() || innerLeft >= innerRight) {
        appendRun(runs, row, here.left, here.right, RunRole::Border);
        return;
    }
    appendRun(runs, row, here.left, innerLeft, RunRole::Border);
    if (fill == FillStyle::Solid) appendRun(runs, row, innerLeft, innerRight, RunRole::Fill);
    appendRun(runs, row, innerRight, here.right, RunRole::Border);
}

const Sprite& SpriteCache::sprite(const SpriteKey& key) {
    if (last_ && !(key < lastKey_) && !(lastKey_ < key)) return *last_;
    if (sprites_.size() >= 256) sprites_.clear();
    auto found = sprites_.find(key);
    if (found == sprites_.end()) found = sprites_.emplace(key, buildSprite(key)).first;
    last_ = &found->second;
    lastKey_ = key;
    return *last_;
}

void drawShape(PixelView target, const Shape& shape, PixelRect drawnRect, PixelRect clip, SpriteCache& sprites) {
    clip = clip.intersect(target.bounds()).intersect(drawnRect);
    if (clip.empty()) return;
    const int width = drawnRect.right - drawnRect.left;
    const int height = drawnRect.bottom - drawnRect.top;
    const std::uint32_t border = toPixel(shape.BorderColor);
    const std::uint32_t fill = toPixel(shape.FillColor);

    if (width <= spriteSideLimit && height <= spriteSideLimit) {
        const Sprite& sprite = sprites.sprite({shape.Kind, shape.Fill, width, height});
        const bool oneColour = border == fill && shape.Fill == FillStyle::Solid;
        const std::vector<ShapeRun>& runs = oneColour ? sprite.coverage : sprite.runs;
        if (clip == drawnRect)
            blitUnclipped(target, runs, drawnRect.left, drawnRect.top, border, fill);
        else
            blitRuns(target, runs, drawnRect.left, drawnRect.top, border, fill, clip);
        return;
    }
    std::vector<ShapeRun> runs;
    for (int y = clip.top; y < clip.bottom; ++y) {
        runs.clear();
        appendShapeRow(runs, shape.Kind, shape.Fill, width, height, y - drawnRect.top);
        blitRuns(target, runs, drawnRect.left, drawnRect.top, border, fill, clip);
    }
}

}  // namespace host::render
