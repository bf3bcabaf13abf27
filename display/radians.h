#pragma once

namespace display {

// Degrees clockwise from twelve o'clock to radians. Angles arrive unreduced
// (the second hand passes 500000 degrees by night), and double precision
// keeps them exact over a whole day.
double Radians(double degrees);

}  // namespace display
