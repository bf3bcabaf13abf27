#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "host/render/nearby_groups.h"

namespace {

using host::PixelRect;
using host::render::groupNearby;
using host::render::RectGroup;

bool before(const PixelRect& a, const PixelRect& b) {
    return std::tie(a.left, a.top, a.right, a.bottom) < std::tie(b.left, b.top, b.right, b.bottom);
}

// However they are grouped, the rectangles handed to the screen are exactly
// the non-empty ones asked for, each once, inside its group's bounds, and
// the bounds are no larger than their rectangles need.
void expectEveryRectOnceWithinTightBounds(const std::vector<PixelRect>& rects, const std::vector<RectGroup>& groups) {
    std::vector<PixelRect> wanted, handed;
    for (const PixelRect& rect : rects)
        if (!rect.empty()) wanted.push_back(rect);
    for (const RectGroup& group : groups) {
        PixelRect united;
        for (const PixelRect& rect : group.rects) {
            handed.push_back(rect);
            united = united.unite(rect);
        }
        EXPECT_EQ(group.bounds, united);
    }
    std::sort(wanted.begin(), wanted.end(), before);
    std::sort(handed.begin(), handed.end(), before);
    EXPECT_EQ(handed, wanted);
}

TEST(NearbyGroupsTest, RectanglesCloseTogetherShareAGroupAndFarOnesDoNot) {
    // A ball's old and new place on a 1920 x 1080 client area, a few pixels
    // apart; its 4 x 4 pixels padded to 8 x 8 by the clipping of its edge.
    const PixelRect ballThen{956, 536, 964, 544}, ballNow{963, 527, 971, 535};
    const PixelRect topLeft{2, 2, 10, 10}, bottomRight{1900, 1060, 1908, 1068};
    std::vector<PixelRect> arm;
    for (int step = 0; step < 20; ++step) arm.push_back({960 + 10 * step, 540, 968 + 10 * step, 548});

    struct Case {
        std::string name;
        std::vector<PixelRect> rects;
        long long groupCost;
        std::size_t groups;
    };
    const Case cases[] = {
        {"nothing changed", {}, 150000, 0},
        {"only empty rectangles", {{5, 5, 5, 9}, {7, 3, 2, 9}}, 150000, 0},
        {"one ball moving", {ballThen, ballNow}, 150000, 1},
        {"a ball in each far corner", {topLeft, ballThen, bottomRight}, 150000, 3},
        {"the same, when a group costs more than the screen", {topLeft, ballThen, bottomRight}, 1LL << 40, 1},
        {"the same, when a group costs nothing", {topLeft, ballThen, bottomRight}, 0, 3},
        {"balls along a line", arm, 150000, 1},
        {"overlapping places", {ballThen, ballThen, ballNow}, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<RectGroup> groups = groupNearby(c.rects, c.groupCost);
        EXPECT_EQ(groups.size(), c.groups);
        expectEveryRectOnceWithinTightBounds(c.rects, groups);
    }
}

}  // namespace
