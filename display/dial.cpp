#include <string>

#include "display/direction.h"
#include "display/frm_cover.h"
#include "host/error.h"

namespace display {

namespace {

constexpr double tickInner = 800;
constexpr double tickOuter = 1000;
constexpr double numeralRadius = 1200;

}  // namespace

// Twelve tick marks and the numerals outside them, into the persistent
// drawing, so hands and balls pass over the face without erasing it.
void FrmCover::drawDial() {
    for (int angle = 0; angle <= 359; angle += 30) {
        const Direction d = directionOf(angle);
        const std::string numeral = std::to_string((angle == 0 ? 360 : angle) / 30);
        const auto at = [&](double radius) {
            return host::TwipPoint{float(CenterX + radius * d.s), float(CenterY + radius * d.c)};
        };
        host::resumeNext([&] { DrawLine(at(tickInner), at(tickOuter), host::colors::black); });
        host::resumeNext([&] { CurrentX = float(CenterX + numeralRadius * d.s - TextWidth(numeral) / 2); });
        host::resumeNext([&] { CurrentY = float(CenterY + numeralRadius * d.c - TextHeight(numeral) / 2); });
        host::resumeNext([&] { Print(numeral); });
    }
}

}  // namespace display
