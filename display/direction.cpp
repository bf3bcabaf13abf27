#include "display/direction.h"

#include <cmath>

#include "display/radians.h"

namespace display {

Direction directionOf(double degrees) {
    const double radians = Radians(degrees);
    return {std::sin(radians), -std::cos(radians)};
}

}  // namespace display
