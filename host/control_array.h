#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "host/controls.h"
#include "host/dirty_region.h"
#include "host/error.h"
#include "host/free_index_set.h"

namespace host {

// A control array with 16-bit indices: element 0 exists from design time,
// loading element n makes an invisible copy of it, unloading removes it.
// Elements sit in one dense vector, their slots found by index, so walking
// them in index order streams through memory; what the renderer last painted
// of each element is kept in a vector beside it, not in the element.
template <class Control>
class ControlArray {
public:
    static constexpr int maxIndex = 32767;

    ControlArray(Control element0, DirtyRegion& removedArea) : removedArea_(&removedArea) {
        elements_.push_back(std::move(element0));
        painted_.emplace_back();
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

    // The renderer's record of what a loaded element shows on screen.
    Appearance& painted(int index) { return painted_[index]; }

    void Load(int index) {
        if (index < 0 || index > maxIndex) raise(ErrorNumber::ControlArrayElementMissing);
        if (isLoaded(index)) raise(ErrorNumber::ObjectAlreadyLoaded);
        if (std::size_t(index) >= elements_.size()) {
            elements_.resize(std::size_t(index) + 1);
            painted_.resize(std::size_t(index) + 1);
        }
        elements_[index] = elements_[0];
        elements_[index].Visible = false;
        loaded_.insert(index);
    }

    void Unload(int index) {
        if (index == 0) raise(ErrorNumber::CannotUnloadDesignTimeElement);
        if (!isLoaded(index)) raise(ErrorNumber::ControlArrayElementMissing);
        removedArea_->add(painted_[index].bounds);
        painted_[index] = {};
        elements_[index] = Control{};
        loaded_.erase(index);
    }

    // The highest index loaded (0 when only the design-time element is).
    int UBound() const { return loaded_.highest(); }

    // The lowest index with no element, or -1 when every index up to 32767
    // is in use.
    int lowestFreeIndex() const { return loaded_.lowestFree(); }

    int count() const { return loaded_.size(); }

    // Visits every loaded element in index order, element 0 included, up to
    // the highest index loaded at the start. Walks the loaded bits, so free
    // indices cost nothing and no element is touched before its visit. A
    // visit may unload any element; one it loads may or may not be visited.
    template <class Visit>
    void forEachLoaded(Visit&& visit) {
        forEachLoaded(0, visit);
    }

    // The same from the given index on.
    template <class Visit>
    void forEachLoaded(int first, Visit&& visit) {
        const int top = UBound();
        for (int block = first / IndexSet::blockSize; block <= top / IndexSet::blockSize; ++block) {
            const std::uint64_t fromFirst = ~0ULL << (std::max(first - block * IndexSet::blockSize, 0));
            for (std::uint64_t bits = loaded_.block(block) & fromFirst; bits != 0; bits &= loaded_.block(block)) {
                const int index = block * IndexSet::blockSize + std::countr_zero(bits);
                if (index > top) return;
                bits &= bits - 1;
                visit(index, elements_[index]);
            }
        }
    }

private:
    std::vector<Control> elements_;  // a default-made control where none is loaded
    std::vector<Appearance> painted_;
    IndexSet loaded_;
    DirtyRegion* removedArea_;
};

}  // namespace host
