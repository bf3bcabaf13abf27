#pragma once

#include <vector>

#include "host/geometry.h"

namespace host {

// The parts of a window that changed since the last paint, as a list of
// rectangles and their summed area, so the painter can choose between
// repainting them one by one and repainting the whole frame.
class DirtyRegion {
public:
    void add(const PixelRect& rect) {
        if (rect.empty()) return;
        rects_.push_back(rect);
        area_ += rect.area();
    }
    void clear() {
        rects_.clear();
        area_ = 0;
    }
    bool empty() const { return rects_.empty(); }
    const std::vector<PixelRect>& rects() const { return rects_; }
    long long area() const { return area_; }

private:
    std::vector<PixelRect> rects_;
    long long area_ = 0;
};

}  // namespace host
