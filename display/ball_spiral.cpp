#include <cmath>

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
// at the middle of the window.
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
    ball.Move(ScaleWidth() / 2, ScaleHeight() / 2);
    ball.Tag = host::numberToText(EmitAngle);
    ball.Visible = true;
}

void FrmCover::stage2() {
    ballSteps_.setSpeed(BallSpeed);
    float scaleWidth = 0;
    float scaleHeight = 0;
    host::resumeNext([&] { scaleWidth = ScaleWidth(); });
    host::resumeNext([&] { scaleHeight = ScaleHeight(); });

    effect.forEachLoaded([&](int index, host::Shape& ball) {
        if (index == 0) return;
        const AngleSteps::Step* step = nullptr;
        host::resumeNext([&] { step = &ballSteps_.step(ball.Tag.number()); });
        if (step) {
            ball.Top = float(ball.Top + step->top);
            ball.Left = float(ball.Left + step->left);
        }
        // Touching an edge counts; a ball past a corner goes only once.
        const float top = ball.Top;
        const float left = ball.Left;
        if (top <= 0 || top + ball.Height >= scaleHeight || left <= 0 || left + ball.Width >= scaleWidth) {
            effect.Unload(index);
        }
    });
}

}  // namespace display
