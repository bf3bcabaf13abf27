#pragma once

#include <vector>

#include "host/geometry.h"

namespace host::render {

// The changed rectangles of a frame binned into square tiles, so a control
// finds the few rectangles it overlaps without walking all of them.
class RectGrid {
public:
    RectGrid(PixelRect client, const std::vector<PixelRect>& rects);

    // Calls visit(index) once for every rectangle that overlaps bounds.
    template <class Visit>
    void forEachOverlapping(const PixelRect& bounds, Visit&& visit) {
        const PixelRect area = bounds.intersect(client_);
        if (area.empty()) return;
        ++stamp_;
        for (int row = tileOf(area.top - client_.top); row <= tileOf(area.bottom - 1 - client_.top); ++row) {
            for (int column = tileOf(area.left - client_.left); column <= tileOf(area.right - 1 - client_.left);
                 ++column) {
                const int tile = row * columns_ + column;
                for (int entry = firstEntry_[tile]; entry < firstEntry_[tile + 1]; ++entry) {
                    const int index = entries_[entry];
                    if (visitedAt_[index] == stamp_ || (*rects_)[index].intersect(area).empty()) continue;
                    visitedAt_[index] = stamp_;
                    visit(index);
                }
            }
        }
    }

private:
    static constexpr int tileShift = 6;  // 64-pixel tiles
    static int tileOf(int offset) { return offset >> tileShift; }

    PixelRect client_;
    const std::vector<PixelRect>* rects_;
    int columns_ = 0;
    std::vector<int> firstEntry_;  // per tile, into entries_; one past the end for the last
    std::vector<int> entries_;
    std::vector<unsigned> visitedAt_;
    unsigned stamp_ = 0;
};

}  // namespace host::render
