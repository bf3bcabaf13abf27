#include <cmath>

#include "display/ball_flight.h"
#include "display/frm_cover.h"
#include "host/error.h"
#include "host/variant.h"

namespace display {

namespace {
// The emission angle starts again from twelve o'clock here; a turn of 359
// rather than 360 is how the spiral has always wrapped.
constexpr double wrapAngle = 359;
}  // namespace

// One new ball per tick at the next angle of the spiral, its top-left corner
// at the middle of the window, moved with the dial when it drifts.
void FrmCover::releaseBall() {
    EmitAngle = EmitAngle + BallGap;
    // A huge negative gap would otherwise run the angle off to infinity.
    if (EmitAngle >= wrapAngle || !std::isfinite(EmitAngle)) EmitAngle = 0;

    // With all 32767 indices in flight (a speed of 0 lets no ball leave) the
    // spiral waits for a free one instead of failing.
    const int index = effect.lowestFreeIndex();
    if (index < 0) return;

    effect.Load(index);
    host::Shape& ball = effect[index];
    const host::PixelScale pixel = scale();
    ball.Move(ScaleWidth() / 2 + float(drift_.x) * pixel.twipsPerPixelX,
              ScaleHeight() / 2 + float(drift_.y) * pixel.twipsPerPixelY);
    ball.Tag = host::numberToText(EmitAngle);
    ball.Visible = true;
}

void FrmCover::stage2() {
    ballSteps_.prepare(BallSpeed, effect.UBound());
    float scaleWidth = 0;
    float scaleHeight = 0;
    host::resumeNext([&] { scaleWidth = ScaleWidth(); });
    host::resumeNext([&] { scaleHeight = ScaleHeight(); });

    const TwipPair clientSize{scaleWidth, scaleHeight};
    effect.forEachLoaded(1, [&](int index, host::Shape& ball) {
        const BallSteps::Step* step = nullptr;
        host::resumeNext([&] { step = &ballSteps_.step(index, ball.Tag.number()); });
        if (step) moveBy(ball, *step);
        // A ball past a corner goes only once.
        if (touchesAnEdge(ball, clientSize)) effect.Unload(index);
    });
}

}  // namespace display
