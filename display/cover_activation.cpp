#include <cmath>

#include "display/frm_cover.h"
#include "host/app.h"
#include "host/backend/user32.h"
#include "host/error.h"
#include "host/variant.h"
#include "settings/options_file.h"
#include "settings/settings_file.h"

namespace display {

namespace {

// A hand-edited file may hold words or numbers too large to compute with;
// the spiral then runs with that setting's default.
double numberOr(const host::Variant& value, double fallback) {
    const auto number = value.numberIfAny();
    return number && std::isfinite(*number) ? *number : fallback;
}

}  // namespace

// Runs again whenever the window becomes active: settings changed since are
// picked up, and the dial is drawn afresh.
void FrmCover::Form_Activate() {
    host::resumeNext([this] { readBallSettings(); });
    EmitAngle = BallGap;
    const settings::Options options = settings::ReadOptions();
    Drift = options.drift;
    AnyInputEnds = options.anyInputEnds;
    EveryMonitor = options.everyMonitor;
    if (host::user32::POINT pointer; AnyInputEnds && host::user32::GetCursorPos(pointer)) {
        pointerAtStart_ = {pointer.x, pointer.y};
    }
    host::resumeNext([this] { setFontName("Courier New"); });
    driftReading_ = host::SecondsSinceMidnight();
    driftSeconds_ = 0;
    drift_ = {};
    placeDial();
    if (!leader_) followMonitors();
}

// The screen changed size or resolution under a running clock: the dial
// moves to the new centre, at the new resolution. Not a new activation: the
// settings stay and the spiral goes on; balls in flight fly on.
void FrmCover::Form_Resize() { placeDial(); }

void FrmCover::placeDial() {
    const host::PixelScale pixel = scale();
    host::resumeNext([&] { CenterX = Width() / 2 + float(drift_.x) * pixel.twipsPerPixelX; });
    host::resumeNext([&] { CenterY = Height() / 2 - 120 + float(drift_.y) * pixel.twipsPerPixelY; });
    Cls();
    drawDial();
    anchorHands();
}

void FrmCover::readBallSettings() {
    host::Variant first;
    host::Variant second;
    settings::ReadSettings(first, second);
    BallGap = numberOr(first, settings::DefaultGap);
    BallSpeed = numberOr(second, settings::DefaultSpeed);
}

}  // namespace display
