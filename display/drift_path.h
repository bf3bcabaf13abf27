#pragma once

namespace display {

// How far, in whole pixels, a drifting clock stands from its designed centre.
struct DriftOffset {
    int x = 0;
    int y = 0;
    friend bool operator==(const DriftOffset&, const DriftOffset&) = default;
};

// A drifting clock moves one step a minute: every line of the dial leaves
// its pixels within the minute, and a pixel a minute is too slow to see.
inline constexpr double driftSecondsPerStep = 60;

// The farthest a clock may drift on a screen: 1.5 % of its shorter side.
int driftReach(int widthPixels, int heightPixels);

// The clock's place after a number of steps along a figure of eight through
// the designed centre: each step is one pixel diagonally, so every line of
// the dial, whatever its angle, lands on new pixels; step 0 is the centre,
// and the figure closes after 8 * (reach / 2) steps.
DriftOffset driftOffsetAt(long long step, int reach);

}  // namespace display
