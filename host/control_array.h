#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "host/controls.h"
#include "host/error.h"
#include "host/index_set.h"

namespace host {

// A control array with 16-bit indices: element 0 exists from design time,
// loading element n makes an invisible copy of it, unloading removes it.
// Elements sit in one dense vector, their slots found by index, so walking
// them in index order streams through memory.
template <class Control>
class ControlArray {
public:
    static constexpr int maxIndex = 32767;

    explicit ControlArray(Control element0) {
        elements_.push_back(std::move(element0));
        loaded_.insert(0);
    }

    bool isLoaded(int index) const { return loaded_.contains(index); }

    // Touching an index with no element loaded fails.
    Control& operator[](int index) {
        if (!isLoaded(index)) raise(ErrorNumber::ControlArrayElementMissing);
        return elements_[index];
    }
    const Control& operator[](int index) const {
        if (!isLoaded(index)) raise(ErrorNumber::ControlArrayElementMissing);
        return elements_[index];
    }

    void Load(int index) {
        if (index < 0 || index > maxIndex) raise(ErrorNumber::ControlArrayElementMissing);
        if (isLoaded(index)) raise(ErrorNumber::ObjectAlreadyLoaded);
        if (std::size_t(index) >= elements_.size()) elements_.resize(std::size_t(index) + 1);
        elements_[index] = elements_[0];
        elements_[index].Visible = false;
        loaded_.insert(index);
    }

    void Unload(int index) {
        if (index == 0) raise(ErrorNumber::CannotUnloadDesignTimeElement);
        if (!isLoaded(index)) raise(ErrorNumber::ControlArrayElementMissing);
        elements_[index] = Control{};
        loaded_.erase(index);
    }

    // The highest index loaded (0 when only the design-time element is).
    int UBound() const { return loaded_.highest(); }

    // The lowest index with no element, or -1 when every index up to 32767
    // is in use.
    int lowestFreeIndex() const { return loaded_.lowestFree(); }

    int count() const { return loaded_.size(); }
    const IndexSet& loadedIndices() const { return loaded_; }

    // Visits every loaded element in index order, element 0 included, up to
    // the highest index loaded at the start. Walks the loaded bits, so free
    // indices cost nothing and no element is touched before its visit. A
    // visit may unload any element; one it loads may or may not be visited.
    template <class Visit>
    void forEachLoaded(Visit&& visit) {
        forEachLoaded(0, visit);
    }
    template <class Visit>
    void forEachLoaded(Visit&& visit) const {
        walk(*this, 0, visit);
    }

    // The same from the given index on.
    template <class Visit>
    void forEachLoaded(int first, Visit&& visit) {
        walk(*this, first, visit);
    }

private:
    template <class Array, class Visit>
    static void walk(Array& array, int first, Visit& visit) {
        const int top = array.UBound();
        for (int block = first / IndexSet::blockSize; block <= top / IndexSet::blockSize; ++block) {
            const std::uint64_t fromFirst = ~0ULL << (std::max(first - block * IndexSet::blockSize, 0));
            for (std::uint64_t bits = array.loaded_.block(block) & fromFirst; bits != 0;
                 bits &= array.loaded_.block(block)) {
                const int index = block * IndexSet::blockSize + std::countr_zero(bits);
                if (index > top) return;
                bits &= bits - 1;
                visit(index, array.elements_[std::size_t(index)]);
            }
        }
    }

    std::vector<Control> elements_;  // a default-made control where none is loaded
    IndexSet loaded_;
};

}  // namespace host
