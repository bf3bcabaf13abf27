#pragma once

#include <vector>

#include "host/backend/text.h"
#include "host/controls.h"
#include "host/geometry.h"

namespace host {

// The text size a dialog's twip design assumes: the message font of current
// systems, 9 points. With it, or a smaller one, the dialog has exactly its
// designed size.
inline constexpr double designTextPoints = 9.0;

using backend::TextExtent;

// One control to place: its design bounds and the pixels its caption needs
// in the font it shows it in, with the control's own margins (none for a
// control without a caption).
struct ControlText {
    TwipRect bounds;
    TextExtent text;
};

struct DialogLayout {
    double scale = 1;  // of the whole design
    TextExtent client;
    std::vector<PixelRect> controls;  // in the order given
};

// The design grows as a whole, keeping its proportions, by the message
// font's em height over the assumed one, and further where a caption would
// still not fit its control; it never shrinks below the design.
DialogLayout layOutDialog(TwipSize client, const std::vector<ControlText>& controls, int dpi, int textEmPixels);

}  // namespace host
