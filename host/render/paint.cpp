#include <cmath>
#include <variant>

#include "host/render/line_raster.h"
#include "host/render/pixel_geometry.h"
#include "host/render/rect_grid.h"
#include "host/render/render.h"
#include "host/render/shape_raster.h"

namespace host::render {

namespace {

// Copied pixel by pixel, which the compiler vectorises, rather than by a
// call into the C library per row: most rectangles are a ball's few pixels
// wide, and on Windows such a call costs more than the copy.
void copyRows(PixelView from, PixelView to, PixelRect rect) {
    const int width = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* const out = &to.at(rect.left, y);
        const std::uint32_t* const in = &from.at(rect.left, y);
        for (int x = 0; x < width; ++x) out[x] = in[x];
    }
}

// Visits every visible control with its place in the form's painted
// controls and its element index, bottom first: the form's registration
// order, and within a control array the index order.
template <class Visit>
void forEachPaintedControl(const Form& form, Visit&& visit) {
    const std::vector<PaintedControl>& painted = form.paintedControls();
    for (std::size_t control = 0; control < painted.size(); ++control) {
        if (const Line* const* line = std::get_if<Line*>(&painted[control])) {
            if (isShown(**line)) visit(**line, control, 0);
        } else {
            const ControlArray<Shape>& shapes = *std::get<ControlArray<Shape>*>(painted[control]);
            shapes.forEachLoaded([&](int index, const Shape& shape) {
                if (isShown(shape)) visit(shape, control, index);
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
// order; a control visits only the rectangles it overlaps, found by where
// the record says it now shows.
void paintRectangles(const Form& form, const FrameRecord& record, PixelView persistentLayer, PixelView target,
                     const std::vector<PixelRect>& rects, PixelRect client) {
    for (const PixelRect& rect : rects) copyRows(persistentLayer, target, rect);
    RectGrid grid(client, rects);
    const PixelScale scale = form.scale();
    forEachPaintedControl(form, [&](const auto& control, std::size_t slot, int index) {
        grid.forEachOverlapping(record.boundsOf(slot, index),
                                [&](int rect) { drawControl(target, control, scale, rects[std::size_t(rect)]); });
    });
}

}  // namespace

void paintScene(const Form& form, PixelView persistentLayer, PixelView target, PixelRect clip) {
    clip = clip.intersect(clientOf(persistentLayer, target));
    if (clip.empty()) return;
    copyRows(persistentLayer, target, clip);
    const PixelScale scale = form.scale();
    forEachPaintedControl(form, [&](const auto& control, std::size_t, int) { drawControl(target, control, scale, clip); });
}

std::vector<PixelRect> paintChanges(const Form& form, FrameRecord& record, PixelView persistentLayer,
                                    PixelView target, const DirtyRegion& exposed) {
    const PixelRect client = clientOf(persistentLayer, target);
    DirtyRegion& region = record.changesSince(form, client).region;
    record.present();
    for (const PixelRect& rect : exposed.rects()) region.add(rect);
    if (region.empty() || client.empty()) return {};
    if (preferFullFrame(region, client)) {
        paintScene(form, persistentLayer, target, client);
        return {client};
    }
    std::vector<PixelRect> rects;
    rects.reserve(region.rects().size());
    for (const PixelRect& rect : region.rects()) {
        const PixelRect visible = rect.intersect(client);
        if (!visible.empty()) rects.push_back(visible);
    }
    paintRectangles(form, record, persistentLayer, target, rects, client);
    return rects;
}

void paintWhole(const Form& form, FrameRecord& record, PixelView persistentLayer, PixelView target) {
    record.presentWhole(form);
    paintScene(form, persistentLayer, target, target.bounds());
}

PixelRect drawLine(PixelView layer, TwipPoint from, TwipPoint to, Color color, int widthPixels, PixelScale scale) {
    if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x) || !std::isfinite(to.y)) return {};
    const LinePixels pixels = linePixels(from, to, widthPixels, scale);
    rasteriseLine(layer, pixels, toPixel(color), layer.bounds());
    return lineBounds(pixels);
}

}  // namespace host::render
