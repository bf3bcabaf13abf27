#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soak {

// Watches the heap for growth once warm-up is over. Readings are taken at
// moments of the run that should look alike (every few thousand ticks of a
// settled spiral); what was drawn or removed since the last frame still
// makes two of them differ by some tens of KiB. So the run is judged on the
// median of the readings in its last quarter against the median of those in
// its first quarter after warm-up: memory has grown when that rises by more
// than the bound. A leak of one byte per tick crosses it within 17 simulated
// minutes; the passing spikes do not move a median.
class HeapWatch {
public:
    static constexpr std::size_t growthBound = 64 * 1024;

    void read(std::size_t heapBytes) { readings_.push_back(heapBytes); }

    bool hasReadings() const { return !readings_.empty(); }
    // The median of the first quarter of the readings.
    std::size_t baseline() const;
    // How far the median of the last quarter stands above the baseline.
    std::int64_t growth() const;
    bool grew() const { return growth() > std::int64_t(growthBound); }

private:
    std::size_t medianOfQuarter(bool last) const;

    std::vector<std::size_t> readings_;
};

}  // namespace soak
