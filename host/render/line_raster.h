#pragma once

#include <cstdint>

#include "host/render/pixel_geometry.h"
#include "host/render/image.h"

namespace host::render {

// Draws both end pixels and every pixel between them, the run across the
// line `width` pixels thick. Which pixels belong to the line does not depend
// on the clip, so painting it in pieces gives the same picture as painting
// it whole.
void rasteriseLine(PixelView target, const LinePixels& line, std::uint32_t pixel, PixelRect clip);

}  // namespace host::render
