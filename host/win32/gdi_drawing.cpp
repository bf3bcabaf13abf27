#include "host/win32/gdi_drawing.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "host/win32/screen_metrics.h"
#include "host/win32/system_functions.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

COLORREF colorRef(Color color) { return COLORREF(color.bgr); }

LOGFONTW messageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (const auto forDpi = system_functions::systemParametersInfoForDpi()) {
        if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi))) return metrics.lfMessageFont;
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, screenDpi());
        return metrics.lfMessageFont;
    }
    LOGFONTW face{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    return face;
}

}  // namespace

// A form with no font of its own gets the font the desktop uses for message
// boxes and dialogs, never the old bitmap system font.
HFONT createFont(const Font& font, int dpi) {
    LOGFONTW face{};
    if (font.name.empty()) {
        face = messageFont(dpi);
    } else {
        face.lfHeight = -LONG(std::lround(font.sizePoints * double(dpi) / 72.0));
        face.lfWeight = FW_NORMAL;
        face.lfCharSet = DEFAULT_CHARSET;
        std::wstring name = widen(font.name);
        wcsncpy(face.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    }
    return CreateFontIndirectW(&face);
}

FontCache::~FontCache() {
    for (const Entry& entry : entries_) DeleteObject(entry.handle);
}

HFONT FontCache::font(const Font& font, int dpi) {
    for (const Entry& entry : entries_) {
        if (entry.name == font.name && entry.sizePoints == font.sizePoints && entry.dpi == dpi) return entry.handle;
    }
    HFONT handle = createFont(font, dpi);
    entries_.push_back({font.name, font.sizePoints, dpi, handle});
    return handle;
}

PixelRect drawGdiText(HDC dc, POINT topLeft, std::wstring_view text, HFONT font, Color color) {
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(color));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutW(dc, topLeft.x, topLeft.y, text.data(), int(text.size()));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
    SelectObject(dc, previous);
    // Glyphs may overhang their advance box by a pixel or two.
    constexpr int overhang = 2;
    return {int(topLeft.x) - overhang, int(topLeft.y), int(topLeft.x + size.cx) + overhang, int(topLeft.y + size.cy)};
}

SIZE gdiTextSize(HDC dc, HFONT font, std::wstring_view text) {
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    if (!text.empty()) {
        GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
    } else {
        // An empty text is as tall as a line, and no wide.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        size.cy = metrics.tmHeight;
    }
    SelectObject(dc, previous);
    return size;
}

}  // namespace host::win32
