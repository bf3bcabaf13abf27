#include <cmath>
#include <cstring>
#include <variant>

#include "host/render/line_raster.h"
#include "host/render/pixel_geometry.h"
#include "host/render/rect_grid.h"
#include "host/render/render.h"
#include "host/render/shape_raster.h"

namespace host::render {

namespace {

void copyRows(PixelView from, PixelView to, PixelRect rect) {
    const std::size_t bytes = std::size_t(rect.right - rect.left) * sizeof(std::uint32_t);
    for (int y = rect.top; y < rect.bottom; ++y) std::memcpy(&to.at(rect.left, y), &from.at(rect.left, y), bytes);
}

// Visits every visible control with the renderer's record of it, bottom
// first: the form's registration order, and within a control array the
// index order.
template <class Visit>
void forEachPaintedControl(const Form& form, Visit&& visit) {
    for (const PaintedControl& painted : form.paintedControls()) {
        if (Line* const* line = std::get_if<Line*>(&painted)) {
            if (isShown(**line)) visit(**line, (*line)->painted);
        } else {
            ControlArray<Shape>& shapes = *std::get<ControlArray<Shape>*>(painted);
            shapes.forEachLoaded([&](int index, const Shape& shape) {
                if (isShown(shape)) visit(shape, shapes.painted(index));
            });
        }
    }
}

void drawControl(PixelView target, const Line& line, PixelScale scale, PixelRect clip) {
    const LinePixels pixels = linePixels(line, scale);
    if (!lineBounds(pixels).intersect(clip).empty()) rasteriseLine(target, pixels, toPixel(line.BorderColor), clip);
}

void drawControl(PixelView target, const Shape& shape, PixelScale scale, PixelRect clip) {
    drawShape(target, shape, shapeDrawnRect(shape, scale), clip);
}

PixelRect clientOf(PixelView persistentLayer, PixelView target) {
    return target.bounds().intersect(persistentLayer.bounds());
}

// Each rectangle gets the layer, then every control over it in stacking
// order; a control visits only the rectangles it overlaps.
void paintRectangles(const Form& form, PixelView persistentLayer, PixelView target,
                     const std::vector<PixelRect>& rects, PixelRect client) {
    for (const PixelRect& rect : rects) copyRows(persistentLayer, target, rect);
    RectGrid grid(client, rects);
    const PixelScale scale = form.scale();
    forEachPaintedControl(form, [&](const auto& control, const Appearance& painted) {
        grid.forEachOverlapping(painted.bounds,
                                [&](int index) { drawControl(target, control, scale, rects[std::size_t(index)]); });
    });
}

}  // namespace

void paintScene(const Form& form, PixelView persistentLayer, PixelView target, PixelRect clip) {
    clip = clip.intersect(clientOf(persistentLayer, target));
    if (clip.empty()) return;
    copyRows(persistentLayer, target, clip);
    const PixelScale scale = form.scale();
    forEachPaintedControl(form,
                          [&](const auto& control, const Appearance&) { drawControl(target, control, scale, clip); });
}

std::vector<PixelRect> paintChanges(Form& form, PixelView persistentLayer, PixelView target) {
    return paintChanges(form, persistentLayer, target, DirtyRegion{});
}

std::vector<PixelRect> paintChanges(Form& form, PixelView persistentLayer, PixelView target,
                                    const DirtyRegion& exposed) {
    DirtyRegion changes = collectChanges(form);
    for (const PixelRect& rect : exposed.rects()) changes.add(rect);
    const PixelRect client = clientOf(persistentLayer, target);
    if (changes.empty() || client.empty()) return {};
    if (preferFullFrame(changes, client)) {
        paintScene(form, persistentLayer, target, client);
        return {client};
    }
    std::vector<PixelRect> rects;
    rects.reserve(changes.rects().size());
    for (const PixelRect& rect : changes.rects()) {
        const PixelRect visible = rect.intersect(client);
        if (!visible.empty()) rects.push_back(visible);
    }
    paintRectangles(form, persistentLayer, target, rects, client);
    return rects;
}

void drawLine(PixelView layer, TwipPoint from, TwipPoint to, Color color, int widthPixels, PixelScale scale) {
    if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x) || !std::isfinite(to.y)) return;
    rasteriseLine(layer, linePixels(from, to, widthPixels, scale), toPixel(color), layer.bounds());
}

}  // namespace host::render
