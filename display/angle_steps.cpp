#include "display/angle_steps.h"

#include "display/direction.h"

namespace display {

namespace {
// A NaN no angle ever has: angles come from finite numbers.
constexpr std::uint64_t emptyKey = 0x7FF8'DEAD'0000'0000ULL;
}  // namespace

void AngleSteps::setSpeed(double speed) {
    if (std::bit_cast<std::uint64_t>(speed) == std::bit_cast<std::uint64_t>(speed_)) return;
    speed_ = speed;
    forget();
}

void AngleSteps::forget() {
    keys_.fill(emptyKey);
}

void AngleSteps::fill(std::size_t slot, std::uint64_t key, double degrees) {
    const Direction direction = directionOf(degrees);
    keys_[slot] = key;
    steps_[slot] = {direction.s * speed_, direction.c * speed_};
}

}  // namespace display
