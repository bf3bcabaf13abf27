#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace host {

// Lengths and positions on a form, 1440 to the inch, single precision.
using Twips = float;

// A colour as the forms write it: &H00BBGGRR&.
struct Color {
    std::uint32_t bgr = 0;

    static constexpr Color fromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Color{std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16)};
    }
    constexpr std::uint8_t red() const { return bgr & 0xFF; }
    constexpr std::uint8_t green() const { return (bgr >> 8) & 0xFF; }
    constexpr std::uint8_t blue() const { return (bgr >> 16) & 0xFF; }
    friend constexpr bool operator==(Color, Color) = default;
};

namespace colors {
inline constexpr Color black{0x000000};
inline constexpr Color white{0xFFFFFF};
inline constexpr Color red{0x0000FF};
inline constexpr Color blue{0xFF0000};
}  // namespace colors

struct TwipPoint {
    Twips x = 0;
    Twips y = 0;
};

struct TwipSize {
    Twips width = 0;
    Twips height = 0;
};

// Device pixels, half-open: [left, right) x [top, bottom).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr long long area() const { return empty() ? 0 : (long long)(right - left) * (bottom - top); }
    constexpr PixelRect intersect(const PixelRect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    constexpr PixelRect unite(const PixelRect& o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips per device pixel on each axis: 15 at 96 DPI.
struct PixelScale {
    float twipsPerPixelX = 15.0f;
    float twipsPerPixelY = 15.0f;

    static PixelScale fromDpi(int dpiX, int dpiY) { return {1440.0f / float(dpiX), 1440.0f / float(dpiY)}; }
};

// Far beyond any screen, yet small enough that products of two coordinates
// fit in 64 bits.
inline constexpr double pixelCoordinateLimit = double(1 << 26);

// A length or position in twips as whole device pixels: the nearest one,
// halves away from zero. Values far outside any screen are clamped so later
// arithmetic cannot overflow; one that is not a number is 0. Inline: the
// renderer runs it four times per ball per frame.
inline int twipsToPixels(Twips twips, float twipsPerPixel) {
    const double pixels = double(twips) / double(twipsPerPixel);
    if (std::isnan(pixels)) return 0;
    const double clamped = std::clamp(pixels, -pixelCoordinateLimit, pixelCoordinateLimit);
    return clamped >= 0 ? int(clamped + 0.5) : -int(0.5 - clamped);
}

}  // namespace host
