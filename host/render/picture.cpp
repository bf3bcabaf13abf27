#include "host/render/picture.h"

#include <algorithm>

namespace host::render {

namespace {

PixelView viewAt(PixelView view, int left, int top) {
    return {&view.at(left, top), view.width - left, view.height - top, view.stride};
}

}  // namespace

PixelView Picture::reserve(PixelRect rect) {
    const PixelRect grown = bounds_.unite(rect);
    if (grown == bounds_ || rect.empty()) return pixels_.view();
    Image pixels(grown.right - grown.left, grown.bottom - grown.top, background_);
    if (!bounds_.empty()) {
        const PixelView to = viewAt(pixels.view(), bounds_.left - grown.left, bounds_.top - grown.top);
        copyPixels(pixels_.view(), to, {0, 0, pixels_.width(), pixels_.height()});
    }
    pixels_ = std::move(pixels);
    bounds_ = grown;
    return pixels_.view();
}

void Picture::clear() {
    pixels_ = Image();
    bounds_ = {};
}

void Picture::paintInto(PixelView target, PixelRect rect) const {
    for (int y = rect.top; y < rect.bottom; ++y) std::fill_n(&target.at(rect.left, y), rect.right - rect.left, background_);
    const PixelRect drawn = rect.intersect(bounds_);
    if (drawn.empty()) return;
    const PixelView from{const_cast<std::uint32_t*>(pixels_.data()), pixels_.width(), pixels_.height(), pixels_.width()};
    const PixelView shifted = viewAt(target, bounds_.left, bounds_.top);
    copyPixels(from, shifted, {drawn.left - bounds_.left, drawn.top - bounds_.top, drawn.right - bounds_.left,
                               drawn.bottom - bounds_.top});
}

}  // namespace host::render
