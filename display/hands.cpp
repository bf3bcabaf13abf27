#include "display/direction.h"
#include "display/frm_cover.h"

namespace display {

namespace {

constexpr double hourLength = 600;
constexpr double minuteLength = 800;
constexpr double secondLength = 800;

void pointHand(host::Line& hand, double degrees, double length, float centerX, float centerY) {
    const Direction d = directionOf(degrees);
    hand.X2 = float(d.s * length + centerX);
    hand.Y2 = float(d.c * length + centerY);
}

}  // namespace

void FrmCover::anchorHands() {
    for (host::Line* hand : {&Line1, &Line2, &Line3}) {
        hand->X1 = CenterX;
        hand->Y1 = CenterY;
    }
}

// All three hands from one reading of the clock, so they never disagree
// within a tick.
void FrmCover::moveHands(float reading) {
    const double t = reading;
    const double hourAngle = t / 120;
    const double secondAngle = t * 6;
    const double minuteAngle = t / 10;
    pointHand(Line1, hourAngle, hourLength, CenterX, CenterY);
    pointHand(Line3, secondAngle, secondLength, CenterX, CenterY);
    pointHand(Line2, minuteAngle, minuteLength, CenterX, CenterY);
}

}  // namespace display
