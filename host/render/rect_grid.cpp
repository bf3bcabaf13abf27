#include "host/render/rect_grid.h"

namespace host::render {

RectGrid::RectGrid(PixelRect client, const std::vector<PixelRect>& rects)
    : client_(client), rects_(&rects), visitedAt_(rects.size(), 0) {
    if (client.empty()) return;
    columns_ = tileOf(client.right - 1 - client.left) + 1;
    const int rows = tileOf(client.bottom - 1 - client.top) + 1;
    const int tiles = columns_ * rows;

    // Two passes over the rectangles: count per tile, then place, so the
    // grid is a few flat arrays however many rectangles there are.
    auto forEachTile = [&](const PixelRect& rect, auto&& onTile) {
        const PixelRect area = rect.intersect(client);
        if (area.empty()) return;
        for (int row = tileOf(area.top - client.top); row <= tileOf(area.bottom - 1 - client.top); ++row)
            for (int column = tileOf(area.left - client.left); column <= tileOf(area.right - 1 - client.left); ++column)
                onTile(row * columns_ + column);
    };
    firstEntry_.assign(std::size_t(tiles) + 1, 0);
    for (const PixelRect& rect : rects) forEachTile(rect, [&](int tile) { ++firstEntry_[tile + 1]; });
    for (int tile = 0; tile < tiles; ++tile) firstEntry_[tile + 1] += firstEntry_[tile];
    entries_.resize(std::size_t(firstEntry_[tiles]));
    std::vector<int> next(firstEntry_.begin(), firstEntry_.end() - 1);
    for (int index = 0; index < int(rects.size()); ++index)
        forEachTile(rects[index], [&](int tile) { entries_[next[tile]++] = index; });
}

}  // namespace host::render
