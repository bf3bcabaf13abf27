#pragma once

// Pixel-for-pixel comparison of two frames of the same size.

#include <algorithm>
#include <optional>

#include "host/render/render.h"

namespace test_support {

struct ImageDifference {
    int differing = 0;          // pixels that differ
    int firstX = 0, firstY = 0;  // the first of them, row by row
};

// Nothing when the images are alike; a size that differs counts every pixel.
inline std::optional<ImageDifference> compareImages(const host::render::Image& actual,
                                                    const host::render::Image& expected) {
    if (actual.width() != expected.width() || actual.height() != expected.height())
        return ImageDifference{std::max(actual.width() * actual.height(), expected.width() * expected.height()), {}};
    ImageDifference difference;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) == expected.pixel(x, y)) continue;
            if (difference.differing++ == 0) {
                difference.firstX = x;
                difference.firstY = y;
            }
        }
    }
    if (difference.differing == 0) return std::nullopt;
    return difference;
}

}  // namespace test_support
