#pragma once

#include <cstdint>

#include "host/geometry.h"
#include "host/render/image.h"

namespace host::render {

// What a form has drawn on its window to stay there (the dial): a background
// colour, and the pixels drawn over it kept only over the rectangle they
// cover. A full-screen window so holds a dial's worth of pixels, not a
// screen's.
class Picture {
public:
    explicit Picture(std::uint32_t background) : background_(background) {}

    std::uint32_t background() const { return background_; }
    // Where pixels were drawn, in client pixels; empty when none were.
    PixelRect bounds() const { return bounds_; }

    // Makes the kept pixels cover rect too and returns a view of them whose
    // (0, 0) is bounds().left, bounds().top: drawing goes through it.
    PixelView reserve(PixelRect rect);
    // Back to the background alone.
    void clear();
    // Composes the picture over rect of target: the background, then the
    // pixels drawn there.
    void paintInto(PixelView target, PixelRect rect) const;

private:
    std::uint32_t background_;
    PixelRect bounds_;
    Image pixels_;
};

}  // namespace host::render
