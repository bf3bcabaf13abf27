#include "host/render/line_raster.h"

#include <algorithm>
#include <cstdlib>

namespace host::render {

namespace {

// n / d rounded to the nearest integer, halves upward; d > 0.
long long roundedDivision(long long n, long long d) {
    const long long twice = 2 * n + d;
    const long long twiceD = 2 * d;
    return twice >= 0 ? twice / twiceD : -((-twice + twiceD - 1) / twiceD);
}

// The pixel on the minor axis at a step along the major axis, as the
// classic incremental algorithm would reach it, but computed directly so a
// clipped piece can start anywhere.
struct Axis {
    int majorFrom, minorFrom;
    long long majorDelta, minorDelta;

    int minorAt(int major) const {
        if (majorDelta == 0) return minorFrom;
        return minorFrom + int(roundedDivision((long long)(major - majorFrom) * minorDelta, majorDelta));
    }
};

}  // namespace

void rasteriseLine(PixelView target, const LinePixels& line, std::uint32_t pixel, PixelRect clip) {
    clip = clip.intersect(target.bounds());
    if (clip.empty()) return;
    const int across = line.width;
    const int acrossFrom = -(across - 1) / 2;
    const bool mostlyHorizontal = std::abs(line.x1 - line.x0) >= std::abs(line.y1 - line.y0);

    if (mostlyHorizontal) {
        const bool forward = line.x0 <= line.x1;
        const Axis axis{forward ? line.x0 : line.x1, forward ? line.y0 : line.y1,
                        std::abs((long long)line.x1 - line.x0),
                        forward ? (long long)line.y1 - line.y0 : (long long)line.y0 - line.y1};
        const int first = std::max(axis.majorFrom, clip.left);
        const int last = std::min(std::max(line.x0, line.x1), clip.right - 1);
        for (int x = first; x <= last; ++x) {
            const int centre = axis.minorAt(x);
            const int top = std::max(centre + acrossFrom, clip.top);
            const int bottom = std::min(centre + acrossFrom + across, clip.bottom);
            for (int y = top; y < bottom; ++y) target.at(x, y) = pixel;
        }
        return;
    }
    const bool forward = line.y0 <= line.y1;
    const Axis axis{forward ? line.y0 : line.y1, forward ? line.x0 : line.x1,
                    std::abs((long long)line.y1 - line.y0),
                    forward ? (long long)line.x1 - line.x0 : (long long)line.x0 - line.x1};
    const int first = std::max(axis.majorFrom, clip.top);
    const int last = std::min(std::max(line.y0, line.y1), clip.bottom - 1);
    for (int y = first; y <= last; ++y) {
        const int centre = axis.minorAt(y);
        const int left = std::max(centre + acrossFrom, clip.left);
        const int right = std::min(centre + acrossFrom + across, clip.right);
        if (left < right) std::fill_n(&target.at(left, y), right - left, pixel);
    }
}

}  // namespace host::render
