#include "host/render/surface.h"

#include <cmath>

#include "host/render/line_raster.h"
#include "host/render/pixel_geometry.h"

namespace host::render {

void Surface::resize(int width, int height) {
    if (width == backBuffer_.width() && height == backBuffer_.height()) return;
    backBuffer_ = Image(width, height, picture_.background());
    pending_.clear();
    pending_.add(client());
}

PixelRect Surface::drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels, PixelScale scale) {
    if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x) || !std::isfinite(to.y)) return {};
    const LinePixels line = linePixels(from, to, widthPixels, scale);
    const PixelRect area = lineBounds(line).intersect(client());
    drawInto(area, [&](PixelView view, int left, int top) {
        const int dx = left - area.left;
        const int dy = top - area.top;
        const LinePixels shifted{line.x0 + dx, line.y0 + dy, line.x1 + dx, line.y1 + dy, line.width};
        rasteriseLine(view, shifted, toPixel(color), {left, top, left + area.right - area.left, top + area.bottom - area.top});
    });
    return area;
}

void Surface::clearPicture() {
    pending_.add(picture_.bounds());
    picture_.clear();
}

std::vector<PixelRect> Surface::paintChanges(const PaintedControls& controls, PixelScale scale) {
    std::vector<PixelRect> changed =
        render::paintChanges({picture_, controls, scale}, presented_, backBuffer_.view(), pending_);
    pending_.clear();
    return changed;
}

void Surface::paintWhole(const PaintedControls& controls, PixelScale scale) {
    render::paintWhole({picture_, controls, scale}, presented_, backBuffer_.view());
    pending_.clear();
}

}  // namespace host::render
