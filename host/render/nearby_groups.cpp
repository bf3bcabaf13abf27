#include "host/render/nearby_groups.h"

namespace host::render {

std::vector<RectGroup> groupNearby(const std::vector<PixelRect>& rects, long long groupCost) {
    std::vector<RectGroup> groups;
    for (const PixelRect& rect : rects) {
        if (rect.empty()) continue;
        RectGroup* nearest = nullptr;
        long long leastGrowth = rect.area() + groupCost;
        for (RectGroup& group : groups) {
            const long long growth = group.bounds.unite(rect).area() - group.bounds.area();
            if (growth < leastGrowth) {
                leastGrowth = growth;
                nearest = &group;
            }
        }
        if (!nearest) {
            groups.push_back({rect, {rect}});
            continue;
        }
        nearest->bounds = nearest->bounds.unite(rect);
        nearest->rects.push_back(rect);
    }
    return groups;
}

}  // namespace host::render
