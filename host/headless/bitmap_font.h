#pragma once

#include <cstdint>
#include <string_view>

#include "host/render/image.h"

namespace host::headless {

// Prints text in a 5 x 7 dot-matrix face, one character per cell of the
// given size, the glyphs stretched to fill their cells so the printed text
// covers the extent the backend reports for it. Characters outside printable
// ASCII are left blank.
void drawBitmapText(render::PixelView target, int left, int top, std::string_view text, int cellWidth,
                    int cellHeight, std::uint32_t pixel);

}  // namespace host::headless
