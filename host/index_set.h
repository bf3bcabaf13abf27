#pragma once

#include <array>
#include <cstdint>

namespace host {

// Which of the indices 0..32767 of a control array are loaded, with the
// lowest free index and the highest loaded one found by three bit scans
// (three-level bitmaps), whatever the number of elements.
class IndexSet {
public:
    static constexpr int capacity = 32768;

    bool contains(int index) const;
    void insert(int index);
    void erase(int index);

    // Lowest index not loaded, or -1 when all 32768 are.
    int lowestFree() const;
    // Highest index loaded, or -1 when none is.
    int highest() const;
    int size() const { return size_; }

    // The loaded indices from 64 * block to 64 * block + 63, as bits.
    static constexpr int blockSize = 64;
    std::uint64_t block(int block) const { return loaded_[block]; }

private:
    static constexpr int wordBits = 64;
    static constexpr int wordCount = capacity / wordBits;          // 512
    static constexpr int summaryCount = wordCount / wordBits;      // 8

    std::array<std::uint64_t, wordCount> loaded_{};
    std::array<std::uint64_t, summaryCount> anyLoaded_{};  // word w has a loaded bit
    std::array<std::uint64_t, summaryCount> anyFree_{~0ULL, ~0ULL, ~0ULL, ~0ULL,
                                                     ~0ULL, ~0ULL, ~0ULL, ~0ULL};  // word w has a free bit
    std::uint64_t slotsWithLoaded_ = 0;     // bit s: anyLoaded_[s] is not 0
    std::uint64_t slotsWithFree_ = 0xFF;    // bit s: anyFree_[s] is not 0
    int size_ = 0;

    void updateSummaries(int word);
};

}  // namespace host
