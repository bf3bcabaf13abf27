#pragma once

namespace display {

// A unit step at an angle of the display, in window axes: y grows downward,
// so the step towards twelve o'clock is (0, -1).
struct Direction {
    double s = 0;  // sine: the share along x
    double c = 0;  // minus cosine: the share along y
};

// The direction of an angle in degrees clockwise from twelve o'clock.
Direction directionOf(double degrees);

}  // namespace display
