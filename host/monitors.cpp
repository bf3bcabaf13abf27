#include "host/monitors.h"

#include <algorithm>

namespace host {

Monitor primaryMonitor(const std::vector<Monitor>& monitors) {
    for (const Monitor& monitor : monitors) {
        if (monitor.primary) return monitor;
    }
    return monitors.empty() ? Monitor{} : monitors.front();
}

std::vector<PixelRect> plainCoverRects(const std::vector<Monitor>& monitors) {
    std::vector<PixelRect> rects;
    for (const Monitor& monitor : monitors) {
        if (!monitor.primary && !monitor.bounds.empty()) rects.push_back(monitor.bounds);
    }
    return rects;
}

Monitor monitorOf(const PixelRect& rect, const std::vector<Monitor>& monitors) {
    const Monitor* best = nullptr;
    long long bestArea = 0;
    for (const Monitor& monitor : monitors) {
        const long long area = rect.intersect(monitor.bounds).area();
        if (area > bestArea || (bestArea == 0 && !best && monitor.primary)) {
            best = &monitor;
            bestArea = area;
        }
    }
    return best ? *best : Monitor{};
}

PixelRect centredOver(const PixelRect& owner, int width, int height, const PixelRect& workArea) {
    int left = owner.left + (owner.right - owner.left - width) / 2;
    int top = owner.top + (owner.bottom - owner.top - height) / 2;
    left = std::max(std::min(left, workArea.right - width), workArea.left);
    top = std::max(std::min(top, workArea.bottom - height), workArea.top);
    return {left, top, left + width, top + height};
}

}  // namespace host
