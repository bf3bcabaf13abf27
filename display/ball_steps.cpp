#include "display/ball_steps.h"

#include "display/direction.h"

namespace display {

namespace {
// Tag numbers come from text, which never spells a NaN.
constexpr std::uint64_t noAngle = 0x7FF8'DEAD'0000'0000ULL;
}  // namespace

void BallSteps::prepare(double speed, int highestIndex) {
    if (std::bit_cast<std::uint64_t>(speed) != std::bit_cast<std::uint64_t>(speed_)) {
        speed_ = speed;
        for (Entry& entry : entries_) entry.angleBits = noAngle;
    }
    if (std::size_t(highestIndex) >= entries_.size()) entries_.resize(std::size_t(highestIndex) + 1, {noAngle, {}});
}

void BallSteps::workOut(Entry& entry, std::uint64_t angleBits, double degrees) const {
    const Direction direction = directionOf(degrees);
    entry = {angleBits, {direction.s * speed_, direction.c * speed_}};
}

}  // namespace display
