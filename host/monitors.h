#pragma once

#include <vector>

#include "host/geometry.h"

namespace host {

// A monitor as the window manager reports it, in virtual-screen pixels: the
// primary one has its top left at (0, 0), the others may lie at negative
// coordinates.
struct Monitor {
    PixelRect bounds;
    PixelRect workArea;  // the bounds less the taskbar and docked bars
    int dpi = 96;
    bool primary = false;
    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The monitor the system calls primary; the first when none is, and a
// monitor of no area at 96 DPI when the system reports none (no desktop yet,
// or the session's displays all gone).
Monitor primaryMonitor(const std::vector<Monitor>& monitors);

// The clock covers the primary monitor; every other monitor gets a plain
// cover of the background colour, so nothing on any screen stays in view.
std::vector<PixelRect> plainCoverRects(const std::vector<Monitor>& monitors);

// The monitor that holds most of the rectangle; the primary one when none
// holds any of it.
Monitor monitorOf(const PixelRect& rect, const std::vector<Monitor>& monitors);

// A window of the given size centred over another window, then moved just
// far enough to lie inside the work area (its top left inside when it is
// larger than the work area).
PixelRect centredOver(const PixelRect& owner, int width, int height, const PixelRect& workArea);

}  // namespace host
