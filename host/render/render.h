#pragma once

// The software renderer both backends paint with: a form's persistent
// picture and its lightweight controls (lines, shapes) composed into a pixel
// buffer, only where something changed.

#include <vector>

#include "host/dirty_region.h"
#include "host/geometry.h"
#include "host/painted_control.h"
#include "host/render/frame_record.h"
#include "host/render/image.h"
#include "host/render/nearby_groups.h"
#include "host/render/picture.h"
#include "host/render/shape_raster.h"

namespace host::render {

// What the renderer paints: the picture, and the visible controls over it at
// a scale of twips to pixels, with the sprites kept for its shapes.
struct Scene {
    const Picture& picture;
    const PaintedControls& controls;
    PixelScale scale;
    SpriteCache& sprites;
};

// Composes the scene into target, inside clip only.
void paintScene(const Scene& scene, PixelView target, PixelRect clip);

// Paints into target what changed since the frame in the record, together
// with what changed besides the controls (the picture, a resized window):
// either each changed rectangle or the whole frame. The record then holds
// the new frame. Returns the rectangles that now differ from the screen.
std::vector<PixelRect> paintChanges(const Scene& scene, FrameRecord& record, PixelView target,
                                    const DirtyRegion& alsoChanged = {});

// Paints the whole frame into target and records it as the one presented.
void paintWhole(const Scene& scene, FrameRecord& record, PixelView target);

}  // namespace host::render
