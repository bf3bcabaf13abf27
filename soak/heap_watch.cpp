#include "soak/heap_watch.h"

#include <algorithm>

namespace soak {

std::size_t HeapWatch::medianOfQuarter(bool last) const {
    if (readings_.empty()) return 0;
    const std::size_t count = std::max<std::size_t>(1, readings_.size() / 4);
    const auto first = last ? readings_.end() - std::ptrdiff_t(count) : readings_.begin();
    std::vector<std::size_t> quarter(first, first + std::ptrdiff_t(count));
    std::nth_element(quarter.begin(), quarter.begin() + std::ptrdiff_t(count / 2), quarter.end());
    return quarter[count / 2];
}

std::size_t HeapWatch::baseline() const { return medianOfQuarter(false); }

std::int64_t HeapWatch::growth() const {
    return std::int64_t(medianOfQuarter(true)) - std::int64_t(medianOfQuarter(false));
}

}  // namespace soak
