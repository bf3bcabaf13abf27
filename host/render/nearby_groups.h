#pragma once

#include <vector>

#include "host/geometry.h"

namespace host::render {

// Rectangles that lie close together, and the rectangle bounding them.
struct RectGroup {
    PixelRect bounds;
    std::vector<PixelRect> rects;
};

// Gathers a frame's changed rectangles into groups that are each put on
// screen as one piece. A display that copies the bounds of whatever it is
// handed at once copies fewer pixels the more groups there are, but each
// group costs about as much as copying groupCost pixels more: a rectangle
// joins the group whose bounds it grows least, unless that growth would
// cost more than a group of its own. Every rectangle lands in exactly one
// group; empty ones are dropped.
std::vector<RectGroup> groupNearby(const std::vector<PixelRect>& rects, long long groupCost);

}  // namespace host::render
