#pragma once

// What a backend provides for text drawn on a painted window: the platform's
// own text engine measures and draws it.

#include <string_view>

#include "host/font.h"
#include "host/geometry.h"
#include "host/render/image.h"

namespace host::backend {

struct TextExtent {
    int width = 0;
    int height = 0;
};

TextExtent measureText(std::string_view text, const Font& font, int dpi);
// Draws the text with its top left at (left, top) of target, over what is
// there, clipped to target.
void drawText(render::PixelView target, int left, int top, std::string_view text, const Font& font, Color color,
              int dpi);

}  // namespace host::backend
