#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace display {

// The step a ball takes per tick at a given flight angle and speed, cached
// per angle in a small direct-mapped table: balls share a few hundred angles
// at most, so a tick looks steps up instead of taking a sine and a cosine
// for every ball.
class AngleSteps {
public:
    struct Step {
        double left = 0;
        double top = 0;
    };

    AngleSteps() { forget(); }

    // Forgets every cached step when the speed differs from the last one.
    void setSpeed(double speed);

    const Step& step(double degrees) {
        const std::uint64_t key = std::bit_cast<std::uint64_t>(degrees);
        const std::size_t slot = (key * 0x9E3779B97F4A7C15ULL) >> (64 - slotBits);
        if (keys_[slot] != key) fill(slot, key, degrees);
        return steps_[slot];
    }

private:
    static constexpr int slotBits = 10;
    static constexpr std::size_t slotCount = std::size_t(1) << slotBits;

    void forget();
    void fill(std::size_t slot, std::uint64_t key, double degrees);

    double speed_ = 0;
    // Keys and steps apart: a slot is then found by shifting its number, not
    // multiplying it by an entry size, on a lookup made for every ball.
    std::array<std::uint64_t, slotCount> keys_;  // the angles' bits; a NaN pattern while empty
    std::array<Step, slotCount> steps_;
};

}  // namespace display
