#include "host/render/frame_record.h"

#include <algorithm>
#include <bit>
#include <variant>

namespace host::render {

namespace {

// Painting one rectangle costs about as much as this many pixels on top of
// its area: finding the controls over it, clipping, presenting it.
constexpr long long perRectangleCost = 256;

long long paintingCost(const PixelRect& rect, const PixelRect& client) {
    const PixelRect visible = rect.intersect(client);
    return visible.empty() ? 0 : visible.area() + perRectangleCost;
}

bool worthAFullFrame(long long cost, const PixelRect& client) { return cost > client.area() / 3; }

// Gathers what changed. The rectangles are gathered until they would be
// dearer than a full frame; from then on the region is the whole client
// area, so a tick that moves thousands of balls does not list each one.
class ChangeCollector {
public:
    ChangeCollector(FrameChanges& changes, PixelRect client, bool withRegion)
        : changes_(changes), client_(client), full_(!withRegion) {
        changes_.region.clear();
        changes_.updates.clear();
    }

    void noteChange(std::uint32_t control, std::uint32_t index, const Appearance& before, const Appearance& now) {
        if (now == before) return;
        changes_.updates.push_back({control, index, now});
        add(before.bounds);
        add(now.bounds);
    }

private:
    void add(const PixelRect& rect) {
        if (full_ || rect.empty()) return;
        changes_.region.add(rect);
        cost_ += paintingCost(rect, client_);
        if (!client_.empty() && worthAFullFrame(cost_, client_)) {
            changes_.region.clear();
            changes_.region.add(client_);
            full_ = true;
        }
    }

    FrameChanges& changes_;
    PixelRect client_;
    long long cost_ = 0;
    bool full_;
};

}  // namespace

void FrameRecord::ControlRecord::makeRoomFor(int elements) {
    if (shown.size() >= std::size_t(elements)) return;
    shown.resize(std::size_t(elements));
    showsBits.resize((std::size_t(elements) + 63) / 64);
}

// Sizes the record for every control and element there is, so that
// present() only writes.
void FrameRecord::collect(const PaintedControls& painted, PixelScale scale, PixelRect client, bool withRegion) {
    ChangeCollector collector(changes_, client, withRegion);
    if (controls_.size() < painted.size()) controls_.resize(painted.size());
    for (std::uint32_t control = 0; control < painted.size(); ++control) {
        ControlRecord& record = controls_[control];
        if (const Line* const* line = std::get_if<Line*>(&painted[control])) {
            record.makeRoomFor(1);
            collector.noteChange(control, 0, record.shown[0], appearance(**line, scale));
            continue;
        }
        // Every element that is loaded now or showed last time: the loaded
        // bits and the shown bits together, 64 indices at a time.
        const ControlArray<Shape>& shapes = *std::get<ControlArray<Shape>*>(painted[control]);
        record.makeRoomFor(shapes.UBound() + 1);
        for (std::size_t block = 0; block < record.showsBits.size(); ++block) {
            const std::uint64_t loaded = shapes.loadedIndices().block(int(block));
            for (std::uint64_t bits = loaded | record.showsBits[block]; bits != 0; bits &= bits - 1) {
                const int bit = std::countr_zero(bits);
                const int index = int(block) * IndexSet::blockSize + bit;
                const Appearance now = (loaded >> bit & 1) ? appearance(shapes[index], scale) : Appearance{};
                collector.noteChange(control, std::uint32_t(index), record.shown[std::size_t(index)], now);
            }
        }
    }
}

FrameChanges& FrameRecord::changesSince(const PaintedControls& controls, PixelScale scale, PixelRect client) {
    collect(controls, scale, client, true);
    return changes_;
}

void FrameRecord::present() {
    for (const FrameChanges::Update& update : changes_.updates) {
        ControlRecord& record = controls_[update.control];
        record.shown[update.index] = update.now;
        std::uint64_t& word = record.showsBits[update.index / 64];
        const std::uint64_t bit = 1ULL << (update.index % 64);
        word = update.now.bounds.empty() ? word & ~bit : word | bit;
    }
}

void FrameRecord::presentWhole(const PaintedControls& controls, PixelScale scale) {
    collect(controls, scale, {}, false);
    present();
}

bool preferFullFrame(const DirtyRegion& changes, PixelRect client) {
    // Only what lies on screen costs anything.
    long long cost = 0;
    for (const PixelRect& rect : changes.rects()) {
        cost += paintingCost(rect, client);
        if (worthAFullFrame(cost, client)) return true;
    }
    return false;
}

}  // namespace host::render
