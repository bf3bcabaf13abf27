#include <variant>

#include "host/render/pixel_geometry.h"
#include "host/render/render.h"

namespace host::render {

namespace {

// Painting one rectangle costs about as much as this many pixels on top of
// its area: finding the controls over it, clipping, presenting it.
constexpr long long perRectangleCost = 256;

template <class Control>
void noteChange(Control& control, PixelScale scale, DirtyRegion& changes) {
    const Appearance now = appearance(control, scale);
    if (now.bounds == control.paintedBounds && now.look == control.paintedLook) return;
    changes.add(control.paintedBounds);
    changes.add(now.bounds);
    control.paintedBounds = now.bounds;
    control.paintedLook = now.look;
}

}  // namespace

DirtyRegion collectChanges(Form& form) {
    DirtyRegion changes;
    const PixelScale scale = form.scale();
    for (const PaintedControl& painted : form.paintedControls()) {
        if (Line* const* line = std::get_if<Line*>(&painted)) {
            noteChange(**line, scale, changes);
        } else {
            std::get<ControlArray<Shape>*>(painted)->forEachLoaded(
                [&](int, Shape& shape) { noteChange(shape, scale, changes); });
        }
    }
    for (const PixelRect& removed : form.removedArea().rects()) changes.add(removed);
    form.removedArea().clear();
    return changes;
}

bool preferFullFrame(const DirtyRegion& changes, PixelRect client) {
    // Only what lies on screen costs anything; a full frame is the better
    // buy once a third of the client would be painted piecewise.
    long long cost = 0;
    for (const PixelRect& rect : changes.rects()) {
        const PixelRect visible = rect.intersect(client);
        if (!visible.empty()) cost += visible.area() + perRectangleCost;
    }
    return cost > client.area() / 3;
}

}  // namespace host::render
