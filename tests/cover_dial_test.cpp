#include <cmath>
#include <numbers>

#include "tests/cover_test_support.h"
#include "tests/image_comparison.h"

namespace cover_test {
namespace {

using host::Monitor;

constexpr std::uint32_t blackPixel = 0x000000;
constexpr std::uint32_t backgroundPixel = 0x8080FF;

// The pixel a dial's tick mark covers: at 900 twips, between its ends, from
// a centre in twips, at a DPI.
std::pair<int, int> markPixel(float centerX, float centerY, int hour, int dpi) {
    const double angle = hour * 30 * std::numbers::pi / 180;
    const double twipsPerPixel = 1440.0 / dpi;
    return {int(std::lround((centerX + 900 * std::sin(angle)) / twipsPerPixel)),
            int(std::lround((centerY - 900 * std::cos(angle)) / twipsPerPixel))};
}

int darkPixelsAround(const host::render::Image& frame, int x, int y, int radius) {
    int dark = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) dark += frame.pixel(x + dx, y + dy) == blackPixel;
    return dark;
}

using CoverDialTest = CoverTest;

TEST_F(CoverDialTest, TwelveMarksAndTwelveNumeralsSurroundTheCentre) {
    show();
    const host::render::Image& frame = headless::renderFrame(cover);
    for (int hour = 0; hour < 12; ++hour) {
        SCOPED_TRACE(hour);
        const auto [x, y] = markPixel(cover.CenterX, cover.CenterY, hour, 96);
        EXPECT_EQ(frame.pixel(x, y), blackPixel) << "the mark";
        const double angle = hour * 30 * std::numbers::pi / 180;
        const int numeralX = int(std::lround((cover.CenterX + 1200 * std::sin(angle)) / 15));
        const int numeralY = int(std::lround((cover.CenterY - 1200 * std::cos(angle)) / 15));
        EXPECT_GT(darkPixelsAround(frame, numeralX, numeralY, 6), 8) << "the numeral";
    }
    EXPECT_EQ(darkPixelsAround(frame, int(cover.CenterX / 15), int(cover.CenterY / 15) - 70, 2), 0)
        << "nothing between a mark and its numeral";
}

// The display changes under a running clock: a new resolution, a new DPI,
// the primary monitor elsewhere. The dial is drawn afresh about the new
// centre and nothing of the old one stays; the spiral goes on.
TEST_F(CoverDialTest, AChangedScreenMovesTheDialAndLeavesNothingOfTheOld) {
    struct Change {
        const char* name;
        Monitor primary;
    };
    const Change changes[] = {
        {"smaller", {{0, 0, 480, 360}, {0, 0, 480, 360}, 96, true}},
        {"larger", {{0, 0, 1024, 600}, {0, 0, 1024, 600}, 96, true}},
        {"denser", {{0, 0, 640, 480}, {0, 0, 640, 480}, 144, true}},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        SetUp();
        show();
        tick(3);
        const float oldX = cover.CenterX, oldY = cover.CenterY;
        const double emitAngle = cover.EmitAngle;
        writeSettings("20\r\n600\r\n");
        headless::changeDisplays({change.primary});

        const int width = change.primary.bounds.right, height = change.primary.bounds.bottom;
        const float twipsPerPixel = 1440.0f / float(change.primary.dpi);
        const headless::WindowState& window = headless::window(cover.hWnd());
        EXPECT_EQ(window.width, width);
        EXPECT_EQ(window.height, height);
        EXPECT_FLOAT_EQ(cover.CenterX, float(width) * twipsPerPixel / 2);
        EXPECT_FLOAT_EQ(cover.CenterY, float(height) * twipsPerPixel / 2 - 120);
        EXPECT_EQ(cover.BallGap, 5) << "no new activation: the settings are not read again";
        EXPECT_EQ(cover.EmitAngle, emitAngle);

        tick();
        EXPECT_EQ(cover.EmitAngle, emitAngle + 5) << "the spiral goes on";
        EXPECT_EQ(cover.Line1.X1, cover.CenterX) << "the hands turn about the new centre";
        const host::render::Image& frame = headless::renderFrame(cover);
        for (int hour = 0; hour < 12; ++hour) {
            SCOPED_TRACE(hour);
            const auto [x, y] = markPixel(cover.CenterX, cover.CenterY, hour, change.primary.dpi);
            EXPECT_EQ(frame.pixel(x, y), blackPixel);
        }
        // The old marks at three and nine lie off every new mark and numeral,
        // away from the hands (at midnight, all upward) and the balls.
        for (int hour : {3, 9}) {
            const auto [x, y] = markPixel(oldX, oldY, hour, 96);
            EXPECT_EQ(frame.pixel(x, y), backgroundPixel) << "the old mark at " << hour;
        }
        TearDown();
    }
}

TEST_F(CoverDialTest, AnotherActivationDrawsTheSameDialAgain) {
    show();
    const host::render::Image first = headless::renderFrame(cover);
    headless::activate(cover);
    EXPECT_FALSE(test_support::compareImages(headless::renderFrame(cover), first));
}

}  // namespace
}  // namespace cover_test
