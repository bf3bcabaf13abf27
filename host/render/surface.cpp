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
    drawInto(area, [&](PixelView view, int x, int y) {
        const LinePixels shifted{line.x0 + x, line.y0 + y, line.x1 + x, line.y1 + y, line.width};
        rasteriseLine(view, shifted, toPixel(color), {area.left + x, area.top + y, area.right + x, area.bottom + y});
    });
    return area;
}

void Surface::clearPicture() {
    pending_.add(picture_.bounds());
    picture_.clear();
}

std::vector<PixelRect> Surface::paintChanges(const PaintedControls& controls, PixelScale scale) {
    std::vector<PixelRect> changed =
        render::paintChanges({picture_, controls, scale, sprites_}, presented_, backBuffer_.view(), pending_);
    pending_.clear();
    return changed;
}

void Surface::paintWhole(const PaintedControls& controls, PixelScale scale) {
    render::paintWhole({picture_, controls, scale, sprites_}, presented_, backBuffer_.view());
    pending_.clear();
}

}  // namespace host::render
