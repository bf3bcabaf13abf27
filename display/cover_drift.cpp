#include "display/drift_path.h"
#include "display/frm_cover.h"

namespace display {

namespace {

constexpr double secondsPerDay = 86400;

}  // namespace

// The dial is drawn afresh only when the path reaches a new pixel; Cls takes
// the old one away whole, while balls in flight keep their own places.
void FrmCover::followDriftPath(float reading) {
    double since = double(reading) - double(driftReading_);
    if (since < 0) since += secondsPerDay;
    driftReading_ = reading;
    driftSeconds_ += since;
    const host::PixelScale pixel = scale();
    const int reach = driftReach(host::twipsToPixels(Width(), pixel.twipsPerPixelX),
                                 host::twipsToPixels(Height(), pixel.twipsPerPixelY));
    const DriftOffset now = driftOffsetAt((long long)(driftSeconds_ / driftSecondsPerStep), reach);
    if (now == drift_) return;
    drift_ = now;
    placeDial();
}

}  // namespace display
