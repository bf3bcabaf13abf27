#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/font.h"
#include "host/geometry.h"

namespace host::win32 {

// The form's font at the DPI; the desktop's message font when the form
// names none. The caller deletes it.
HFONT createFont(const Font& font, int dpi);

// Fonts for a window's text, made once per face, size and DPI.
class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    HFONT font(const Font& font, int dpi);

private:
    struct Entry {
        std::string name;
        float sizePoints;
        int dpi;
        HFONT handle;
    };
    std::vector<Entry> entries_;
};

// Returns the pixels it touched, for the painter to re-compose.
// Black-on-transparent text is the only kind forms print, but the colour is
// honoured all the same.
PixelRect drawGdiText(HDC dc, POINT topLeft, std::wstring_view text, HFONT font, Color color);

SIZE gdiTextSize(HDC dc, HFONT font, std::wstring_view text);

}  // namespace host::win32
