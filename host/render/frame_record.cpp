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

void FrameRecord::collect(const Form& form, PixelRect client, bool withRegion) {
    ChangeCollector collector(changes_, client, withRegion);
    const PixelScale scale = form.scale();
    static const ControlRecord nothingShown;
    const std::vector<PaintedControl>& painted = form.paintedControls();
    for (std::uint32_t control = 0; control < painted.size(); ++control) {
        const ControlRecord& record = control < controls_.size() ? controls_[control] : nothingShown;
        const auto before = [&record](int index) {
            return std::size_t(index) < record.shown.size() ? record.shown[std::size_t(index)] : Appearance{};
        };
        if (const Line* const* line = std::get_if<Line*>(&painted[control])) {
            collector.noteChange(control, 0, before(0), appearance(**line, scale));
            continue;
        }
        // Every element that is loaded now or showed last time: the loaded
        // bits and the shown bits together, 64 indices at a time.
        const ControlArray<Shape>& shapes = *std::get<ControlArray<Shape>*>(painted[control]);
        const IndexSet& loaded = shapes.loadedIndices();
        const int blocks = std::max(shapes.UBound() / IndexSet::blockSize + 1, int(record.showsBits.size()));
        for (int block = 0; block < blocks; ++block) {
            const std::uint64_t shown = std::size_t(block) < record.showsBits.size() ? record.showsBits[std::size_t(block)] : 0;
            for (std::uint64_t bits = loaded.block(block) | shown; bits != 0; bits &= bits - 1) {
                const int index = block * IndexSet::blockSize + std::countr_zero(bits);
                const Appearance now = loaded.contains(index) ? appearance(shapes[index], scale) : Appearance{};
                collector.noteChange(control, std::uint32_t(index), before(index), now);
            }
        }
    }
}

FrameChanges& FrameRecord::changesSince(const Form& form, PixelRect client) {
    collect(form, client, true);
    return changes_;
}

void FrameRecord::present() {
    for (const FrameChanges::Update& update : changes_.updates) {
        if (update.control >= controls_.size()) controls_.resize(update.control + 1);
        ControlRecord& record = controls_[update.control];
        if (update.index >= record.shown.size()) record.shown.resize(update.index + 1);
        record.shown[update.index] = update.now;
        const std::size_t word = update.index / 64;
        if (word >= record.showsBits.size()) record.showsBits.resize(word + 1);
        const std::uint64_t bit = 1ULL << (update.index % 64);
        record.showsBits[word] = update.now.bounds.empty() ? record.showsBits[word] & ~bit : record.showsBits[word] | bit;
    }
}

void FrameRecord::presentWhole(const Form& form) {
    collect(form, {}, false);
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
