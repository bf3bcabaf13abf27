#pragma once

// The software renderer both backends paint with: a form's persistent drawing
// layer and its lightweight controls (lines, shapes) composed into a pixel
// buffer, only where something changed.

#include <cstdint>
#include <vector>

#include "host/dirty_region.h"
#include "host/form.h"
#include "host/geometry.h"
#include "host/render/frame_record.h"

namespace host::render {

// A view of 32-bit pixels 0x00RRGGBB, rows top-down, stride in pixels.
struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint32_t& at(int x, int y) const { return pixels[std::ptrdiff_t(y) * stride + x]; }
    PixelRect bounds() const { return {0, 0, width, height}; }
};

// Owns its pixels.
class Image {
public:
    Image() = default;
    Image(int width, int height, std::uint32_t fill = 0);
    PixelView view();
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

std::uint32_t toPixel(Color color);

// Composes the persistent layer and the form's visible lightweight controls
// into target, inside clip only.
void paintScene(const Form& form, PixelView persistentLayer, PixelView target, PixelRect clip);

// Paints into target what changed since the frame in the record, together
// with what the backend knows changed besides the controls (its own drawing
// into the persistent layer, a window that was resized or uncovered):
// either each changed rectangle or the whole frame. The record then holds
// the new frame. Returns the rectangles that now need to be shown on screen.
std::vector<PixelRect> paintChanges(const Form& form, FrameRecord& record, PixelView persistentLayer,
                                    PixelView target, const DirtyRegion& exposed = {});

// Paints the whole frame into target and records it as the one presented.
void paintWhole(const Form& form, FrameRecord& record, PixelView persistentLayer, PixelView target);

// Draws a line into a persistent layer, the same way for every backend;
// returns the pixels it may have touched.
PixelRect drawLine(PixelView layer, TwipPoint from, TwipPoint to, Color color, int widthPixels, PixelScale scale);

}  // namespace host::render
