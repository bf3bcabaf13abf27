#pragma once

#include <cstddef>
#include <cstdint>

namespace soak {

// Watches the heap for growth once warm-up is over. Readings are taken at
// moments of the run that should look alike (every few thousand ticks of a
// settled spiral, or between two showings of the cover); the first after
// warm-up is the baseline. Memory has grown when a later reading exceeds
// the baseline by more than the bound: a leak of even a few bytes per tick
// or per showing passes it within hours, while the allocator's own slack
// between two alike moments stays far below it.
class HeapWatch {
public:
    static constexpr std::size_t growthBound = 64 * 1024;

    void read(std::size_t heapBytes);

    bool hasBaseline() const { return readings_ > 0; }
    std::size_t baseline() const { return baseline_; }
    // How far the largest reading stands above the baseline.
    std::int64_t growth() const { return std::int64_t(highest_) - std::int64_t(baseline_); }
    bool grew() const { return growth() > std::int64_t(growthBound); }

private:
    std::size_t readings_ = 0;
    std::size_t baseline_ = 0;
    std::size_t highest_ = 0;
};

}  // namespace soak
