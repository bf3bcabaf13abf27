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

// A line as seen along its major axis (x for a mostly horizontal line, y
// otherwise): its two ends as (along, across) pairs.
struct AlongMajor {
    int along0, across0, along1, across1;
};

// Calls fill(along, acrossLow, acrossHigh) for every step along the line
// inside [alongLow, alongHigh), with the run across it, `width` pixels
// thick, clipped to [acrossLow, acrossHigh).
template <class Fill>
void walkLine(AlongMajor line, int width, int alongLow, int alongHigh, int acrossLow, int acrossHigh, Fill&& fill) {
    const bool forward = line.along0 <= line.along1;
    const Axis axis{forward ? line.along0 : line.along1, forward ? line.across0 : line.across1,
                    std::abs((long long)line.along1 - line.along0),
                    forward ? (long long)line.across1 - line.across0 : (long long)line.across0 - line.across1};
    const int acrossFrom = -(width - 1) / 2;
    const int first = std::max(axis.majorFrom, alongLow);
    const int last = std::min(std::max(line.along0, line.along1), alongHigh - 1);
    for (int along = first; along <= last; ++along) {
        const int centre = axis.minorAt(along);
        const int low = std::max(centre + acrossFrom, acrossLow);
        const int high = std::min(centre + acrossFrom + width, acrossHigh);
        if (low < high) fill(along, low, high);
    }
}

}  // namespace

void rasteriseLine(PixelView target, const LinePixels& line, std::uint32_t pixel, PixelRect clip) {
    clip = clip.intersect(target.bounds());
    if (clip.empty()) return;
    if (std::abs(line.x1 - line.x0) >= std::abs(line.y1 - line.y0)) {
        walkLine({line.x0, line.y0, line.x1, line.y1}, line.width, clip.left, clip.right, clip.top, clip.bottom,
                 [&](int x, int top, int bottom) {
                     for (int y = top; y < bottom; ++y) target.at(x, y) = pixel;
                 });
    } else {
        walkLine({line.y0, line.x0, line.y1, line.x1}, line.width, clip.top, clip.bottom, clip.left, clip.right,
                 [&](int y, int left, int right) { std::fill_n(&target.at(left, y), right - left, pixel); });
    }
}

}  // namespace host::render
