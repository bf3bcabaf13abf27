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
        Entry& entry = entries_[(key * 0x9E3779B97F4A7C15ULL) >> (64 - slotBits)];
        if (entry.key != key) fill(entry, key, degrees);
        return entry.step;
    }

private:
    struct Entry {
        std::uint64_t key;  // the angle's bits; a NaN pattern while empty
        Step step;
    };

    static constexpr int slotBits = 10;

    void forget();
    void fill(Entry& entry, std::uint64_t key, double degrees) const;

    double speed_ = 0;
    std::array<Entry, std::size_t(1) << slotBits> entries_;
};

}  // namespace display
