// Text on a painted window, through GDI: the numerals look as every other
// text on the desktop does.
#include <windows.h>

#include <algorithm>

#include "host/backend/runtime_calls.h"
#include "host/backend/text.h"
#include "host/win32/backend_state.h"
#include "host/win32/dib_section.h"
#include "host/win32/gdi_drawing.h"
#include "host/win32/wide_text.h"

namespace host::backend {

namespace {

win32::TextEngine& engine() { return backend::backendState().text; }

void copyArea(render::PixelView from, int fromLeft, int fromTop, render::PixelView to, int toLeft, int toTop, int width,
              int height) {
    for (int y = 0; y < height; ++y)
        std::copy_n(&from.at(fromLeft, fromTop + y), width, &to.at(toLeft, toTop + y));
}

}  // namespace

TextExtent measureText(std::string_view text, const Font& font, int dpi) {
    const SIZE size = win32::gdiTextSize(engine().measuring, engine().fonts.font(font, dpi), win32::widen(text));
    return {int(size.cx), int(size.cy)};
}

// GDI draws into a bitmap of its own holding the pixels underneath, so its
// smoothed edges blend with what is there; the result goes back in place.
void drawText(render::PixelView target, int left, int top, std::string_view text, const Font& font, Color color,
              int dpi) {
    const std::wstring wide = win32::widen(text);
    const HFONT face = engine().fonts.font(font, dpi);
    const SIZE size = win32::gdiTextSize(engine().measuring, face, wide);
    constexpr int overhang = 2;  // glyphs may overhang their advance box
    const PixelRect area = PixelRect{left - overhang, top, left + size.cx + overhang, top + size.cy}.intersect(target.bounds());
    if (area.empty()) return;
    const int width = area.right - area.left, height = area.bottom - area.top;
    win32::DibSection scratch(width, height, 0);
    if (scratch.empty()) return;
    copyArea(target, area.left, area.top, scratch.view(), 0, 0, width, height);
    win32::drawGdiText(scratch.dc(), POINT{left - area.left, top - area.top}, wide, face, color);
    copyArea(scratch.view(), 0, 0, target, area.left, area.top, width, height);
}

}  // namespace host::backend
