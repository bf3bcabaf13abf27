#include <variant>

#include "host/backend/window.h"
#include "host/render/pixel_geometry.h"
#include "host/render/render.h"

namespace host::render {

namespace {

// Painting one rectangle costs about as much as this many pixels on top of
// its area: finding the controls over it, clipping, presenting it.
constexpr long long perRectangleCost = 256;

long long paintingCost(const PixelRect& rect, const PixelRect& client) {
    const PixelRect visible = rect.intersect(client);
    return visible.empty() ? 0 : visible.area() + perRectangleCost;
}

bool worthAFullFrame(long long cost, const PixelRect& client) { return cost > client.area() / 3; }

// Gathers the changed rectangles until they would be dearer than a full
// frame; from then on the region is the whole client area, so a tick that
// moves thousands of balls does not list each one.
class ChangeCollector {
public:
    explicit ChangeCollector(PixelRect client) : client_(client) {}

    void add(const PixelRect& rect) {
        if (full_ || rect.empty()) return;
        changes_.add(rect);
        cost_ += paintingCost(rect, client_);
        if (!client_.empty() && worthAFullFrame(cost_, client_)) {
            changes_.clear();
            changes_.add(client_);
            full_ = true;
        }
    }

    template <class Control>
    void noteChange(const Control& control, Appearance& painted, PixelScale scale) {
        const Appearance now = appearance(control, scale);
        if (now == painted) return;
        add(painted.bounds);
        add(now.bounds);
        painted = now;
    }

    DirtyRegion take() { return std::move(changes_); }

private:
    PixelRect client_;
    DirtyRegion changes_;
    long long cost_ = 0;
    bool full_ = false;
};

PixelRect clientRect(const Form& form) {
    if (!form.peer()) return {};
    const PixelSize size = form.peer()->clientPixels();
    return {0, 0, size.width, size.height};
}

}  // namespace

DirtyRegion collectChanges(Form& form) {
    ChangeCollector collector(clientRect(form));
    const PixelScale scale = form.scale();
    for (const PaintedControl& painted : form.paintedControls()) {
        if (Line* const* line = std::get_if<Line*>(&painted)) {
            collector.noteChange(**line, (*line)->painted, scale);
        } else {
            ControlArray<Shape>& shapes = *std::get<ControlArray<Shape>*>(painted);
            shapes.forEachLoaded(
                [&](int index, const Shape& shape) { collector.noteChange(shape, shapes.painted(index), scale); });
        }
    }
    for (const PixelRect& removed : form.removedArea().rects()) collector.add(removed);
    form.removedArea().clear();
    return collector.take();
}

bool preferFullFrame(const DirtyRegion& changes, PixelRect client) {
    // Only what lies on screen costs anything.
    long long cost = 0;
    for (const PixelRect& rect : changes.rects()) {
        cost += paintingCost(rect, client);
        if (worthAFullFrame(cost, client)) return true;
    }
    return false;
}

}  // namespace host::render
