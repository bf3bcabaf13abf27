#include "display/radians.h"

#include <numbers>

namespace display {

double Radians(double degrees) { return degrees * (std::numbers::pi / 180.0); }

}  // namespace display
