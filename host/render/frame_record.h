#pragma once

#include <cstdint>
#include <vector>

#include "host/dirty_region.h"
#include "host/painted_control.h"
#include "host/geometry.h"
#include "host/render/pixel_geometry.h"

namespace host::render {

// How a frame differs from the last one presented: what to repaint, and the
// appearance each changed control has now.
struct FrameChanges {
    struct Update {
        std::uint32_t control;  // in the form's painted controls
        std::uint32_t index;    // the element of a control array; 0 for a line
        Appearance now;
    };

    // The old and new places of every control that moved, appeared, vanished
    // or changed its look; the whole client area once painting them one by
    // one would cost more.
    DirtyRegion region;
    std::vector<Update> updates;
};

// What the last presented frame of a form showed: for each of its painted
// controls, and each element of a control array by index, where it showed
// and how it looked. The window that paints a form keeps one beside it, so
// the form holds its properties only and the renderer finds what changed by
// comparing the two.
class FrameRecord {
public:
    // What differs between the recorded frame and the form now, in a client
    // area of that size. The record of the presented frame stays as it is;
    // the changes are kept (in storage reused from frame to frame, as a
    // frame of thousands of moving balls has thousands of them) until the
    // next call, and present() makes them the presented frame.
    FrameChanges& changesSince(const PaintedControls& controls, PixelScale scale, PixelRect client);
    // The frame that the changes last found make is on screen now.
    void present();
    // The form as it is now is on screen, painted whole.
    void presentWhole(const PaintedControls& controls, PixelScale scale);

    // Where a painted control (an element of a control array, by index) was
    // last presented; empty where nothing of it shows.
    PixelRect boundsOf(std::size_t control, int index) const {
        if (control >= controls_.size()) return {};
        const std::vector<Appearance>& shown = controls_[control].shown;
        return std::size_t(index) < shown.size() ? shown[std::size_t(index)].bounds : PixelRect{};
    }

private:
    struct ControlRecord {
        std::vector<Appearance> shown;         // by element index
        std::vector<std::uint64_t> showsBits;  // which elements show something, 64 to a word

        void makeRoomFor(int elements);
    };

    void collect(const PaintedControls& painted, PixelScale scale, PixelRect client, bool withRegion);

    std::vector<ControlRecord> controls_;
    FrameChanges changes_;
};

// True when repainting the changed rectangles one by one would cost more
// than repainting the whole client area.
bool preferFullFrame(const DirtyRegion& changes, PixelRect client);

}  // namespace host::render
