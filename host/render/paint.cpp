#include <variant>

#include "host/render/line_raster.h"
#include "host/render/pixel_geometry.h"
#include "host/render/rect_grid.h"
#include "host/render/render.h"
#include "host/render/shape_raster.h"

namespace host::render {

namespace {

// Visits every visible control with its place in the form's painted
// controls and its element index, bottom first: the form's registration
// order, and within a control array the index order.
template <class Visit>
void forEachPaintedControl(const PaintedControls& painted, Visit&& visit) {
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

void drawControl(PixelView target, const Line& line, const Scene& scene, PixelRect clip) {
    const LinePixels pixels = linePixels(line, scene.scale);
    if (!lineBounds(pixels).intersect(clip).empty()) rasteriseLine(target, pixels, toPixel(line.BorderColor), clip);
}

void drawControl(PixelView target, const Shape& shape, const Scene& scene, PixelRect clip) {
    drawShape(target, shape, shapeDrawnRect(shape, scene.scale), clip, scene.sprites);
}

// Each rectangle gets the layer, then every control over it in stacking
// order; a control visits only the rectangles it overlaps, found by where
// the record says it now shows.
void paintRectangles(const Scene& scene, const FrameRecord& record, PixelView target,
                     const std::vector<PixelRect>& rects, PixelRect client) {
    for (const PixelRect& rect : rects) scene.picture.paintInto(target, rect);
    RectGrid grid(client, rects);
    forEachPaintedControl(scene.controls, [&](const auto& control, std::size_t slot, int index) {
        grid.forEachOverlapping(record.boundsOf(slot, index),
                                [&](int rect) { drawControl(target, control, scene, rects[std::size_t(rect)]); });
    });
}

}  // namespace

void paintScene(const Scene& scene, PixelView target, PixelRect clip) {
    clip = clip.intersect(target.bounds());
    if (clip.empty()) return;
    scene.picture.paintInto(target, clip);
    forEachPaintedControl(scene.controls,
                          [&](const auto& control, std::size_t, int) { drawControl(target, control, scene, clip); });
}

std::vector<PixelRect> paintChanges(const Scene& scene, FrameRecord& record, PixelView target,
                                    const DirtyRegion& alsoChanged) {
    const PixelRect client = target.bounds();
    DirtyRegion& region = record.changesSince(scene.controls, scene.scale, client).region;
    record.present();
    for (const PixelRect& rect : alsoChanged.rects()) region.add(rect);
    if (region.empty() || client.empty()) return {};
    if (preferFullFrame(region, client)) {
        paintScene(scene, target, client);
        return {client};
    }
    std::vector<PixelRect> rects;
    rects.reserve(region.rects().size());
    for (const PixelRect& rect : region.rects()) {
        const PixelRect visible = rect.intersect(client);
        if (!visible.empty()) rects.push_back(visible);
    }
    paintRectangles(scene, record, target, rects, client);
    return rects;
}

void paintWhole(const Scene& scene, FrameRecord& record, PixelView target) {
    record.presentWhole(scene.controls, scene.scale);
    paintScene(scene, target, target.bounds());
}

}  // namespace host::render
