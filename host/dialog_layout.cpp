#include "host/dialog_layout.h"

#include <algorithm>

namespace host {

namespace {

int toPixels(Twips twips, double scale, float twipsPerPixel) {
    return twipsToPixels(Twips(double(twips) * scale), twipsPerPixel);
}

// Edges are rounded one by one, so controls that touch in twips still touch
// in pixels at any scale.
PixelRect place(const TwipRect& bounds, double scale, const PixelScale& pixels) {
    return {toPixels(bounds.left, scale, pixels.twipsPerPixelX), toPixels(bounds.top, scale, pixels.twipsPerPixelY),
            toPixels(bounds.left + bounds.width, scale, pixels.twipsPerPixelX),
            toPixels(bounds.top + bounds.height, scale, pixels.twipsPerPixelY)};
}

bool fits(const TextExtent& text, const PixelRect& rect) {
    return text.width <= rect.right - rect.left && text.height <= rect.bottom - rect.top;
}

// The scale at which the text just fills the control's design bounds.
double fittingScale(const ControlText& control, const PixelScale& pixels) {
    const double width = double(control.bounds.width) / pixels.twipsPerPixelX;
    const double height = double(control.bounds.height) / pixels.twipsPerPixelY;
    double scale = 1;
    if (width > 0) scale = std::max(scale, control.text.width / width);
    if (height > 0) scale = std::max(scale, control.text.height / height);
    return scale;
}

}  // namespace

DialogLayout layOutDialog(TwipSize client, const std::vector<ControlText>& controls, int dpi, int textEmPixels) {
    const PixelScale pixels = PixelScale::fromDpi(dpi, dpi);
    const double designEmPixels = designTextPoints * dpi / 72.0;
    double scale = std::max(1.0, textEmPixels / designEmPixels);
    for (const ControlText& control : controls) scale = std::max(scale, fittingScale(control, pixels));

    DialogLayout layout;
    // Rounding an edge may still take a pixel from a caption that fits
    // exactly; a few small steps more make room.
    for (int attempt = 0; attempt < 8; ++attempt) {
        layout.controls.clear();
        bool allFit = true;
        for (const ControlText& control : controls) {
            layout.controls.push_back(place(control.bounds, scale, pixels));
            allFit = allFit && fits(control.text, layout.controls.back());
        }
        if (allFit) break;
        scale *= 1.01;
    }
    layout.scale = scale;
    layout.client = {toPixels(client.width, scale, pixels.twipsPerPixelX),
                     toPixels(client.height, scale, pixels.twipsPerPixelY)};
    return layout;
}

}  // namespace host
