#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace display {

// The step each ball takes per tick, remembered per element index together
// with the angle it was worked out for. A tick reads it for every ball
// instead of taking a sine and a cosine, straight from the ball's index as
// it walks the elements in order; a new ball at a reused index brings a new
// angle, and so gets its step worked out afresh.
class BallSteps {
public:
    struct Step {
        double left = 0;
        double top = 0;
    };

    // Makes room for indices up to the highest one, and forgets every step
    // when the speed differs from the last one. Once per tick, before step().
    void prepare(double speed, int highestIndex);

    // The step at the given index, at most the prepared highest one, for a
    // ball flying at the given angle in degrees.
    const Step& step(int index, double degrees) {
        Entry& entry = entries_[std::size_t(index)];
        const std::uint64_t angleBits = std::bit_cast<std::uint64_t>(degrees);
        if (entry.angleBits != angleBits) workOut(entry, angleBits, degrees);
        return entry.step;
    }

private:
    struct Entry {
        std::uint64_t angleBits;  // a NaN pattern no angle has while none is known
        Step step;
    };

    void workOut(Entry& entry, std::uint64_t angleBits, double degrees) const;

    double speed_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace display
