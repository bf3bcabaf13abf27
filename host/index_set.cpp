#include "host/index_set.h"

#include <bit>

namespace host {

bool IndexSet::contains(int index) const {
    if (index < 0 || index >= capacity) return false;
    return (loaded_[index / wordBits] >> (index % wordBits)) & 1U;
}

void IndexSet::insert(int index) {
    if (contains(index)) return;
    loaded_[index / wordBits] |= 1ULL << (index % wordBits);
    ++size_;
    updateSummaries(index / wordBits);
}

void IndexSet::erase(int index) {
    if (!contains(index)) return;
    loaded_[index / wordBits] &= ~(1ULL << (index % wordBits));
    --size_;
    updateSummaries(index / wordBits);
}

void IndexSet::updateSummaries(int word) {
    const std::uint64_t bit = 1ULL << (word % wordBits);
    const int slot = word / wordBits;
    if (loaded_[word] != 0) anyLoaded_[slot] |= bit; else anyLoaded_[slot] &= ~bit;
    if (loaded_[word] != ~0ULL) anyFree_[slot] |= bit; else anyFree_[slot] &= ~bit;
    const std::uint64_t slotBit = 1ULL << slot;
    if (anyLoaded_[slot] != 0) slotsWithLoaded_ |= slotBit; else slotsWithLoaded_ &= ~slotBit;
    if (anyFree_[slot] != 0) slotsWithFree_ |= slotBit; else slotsWithFree_ &= ~slotBit;
}

int IndexSet::lowestFree() const {
    if (slotsWithFree_ == 0) return -1;
    const int slot = std::countr_zero(slotsWithFree_);
    const int word = slot * wordBits + std::countr_zero(anyFree_[slot]);
    return word * wordBits + std::countr_zero(~loaded_[word]);
}

int IndexSet::highest() const {
    if (slotsWithLoaded_ == 0) return -1;
    const int slot = wordBits - 1 - std::countl_zero(slotsWithLoaded_);
    const int word = slot * wordBits + (wordBits - 1 - std::countl_zero(anyLoaded_[slot]));
    return word * wordBits + (wordBits - 1 - std::countl_zero(loaded_[word]));
}

}  // namespace host
