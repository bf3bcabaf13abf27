#pragma once

#include <cstdint>
#include <vector>

#include "host/dirty_region.h"
#include "host/geometry.h"
#include "host/render/render.h"

namespace host::render {

// Everything a painted window is made of, whatever the platform: the picture
// the form drew to stay, one back buffer the size of the client area, the
// record of the frame last presented and what changed since besides the
// controls. Presenting paints the changes into the back buffer and hands
// back the rectangles the platform is to put on screen.
class Surface {
public:
    explicit Surface(std::uint32_t background) : picture_(background) {}

    // The client area has this size now; the whole of it is painted again.
    void resize(int width, int height);
    PixelRect client() const { return {0, 0, backBuffer_.width(), backBuffer_.height()}; }

    // Persistent drawing, clipped to the client area. Returns what changed.
    PixelRect drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels, PixelScale scale);
    // Draws what lands on area with draw(view, x, y): view holds the
    // picture's pixels there, and the client area's top left lies at (x, y)
    // of it.
    template <class Draw>
    void drawInto(PixelRect area, Draw&& draw) {
        area = area.intersect(client());
        if (area.empty()) return;
        const PixelView view = picture_.reserve(area);
        draw(view, -picture_.bounds().left, -picture_.bounds().top);
        pending_.add(area);
    }
    // Clears the picture to the background.
    void clearPicture();

    // Paints what changed into the back buffer; the rectangles to show.
    std::vector<PixelRect> paintChanges(const PaintedControls& controls, PixelScale scale);
    // Paints all of it, as when nothing on screen can be trusted.
    void paintWhole(const PaintedControls& controls, PixelScale scale);

    const Image& backBuffer() const { return backBuffer_; }
    const Picture& picture() const { return picture_; }

private:
    Picture picture_;
    Image backBuffer_;
    FrameRecord presented_;
    DirtyRegion pending_;
    SpriteCache sprites_;
};

}  // namespace host::render
