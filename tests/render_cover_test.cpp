#include "host/form_window.h"
#include "tests/cover_test_support.h"
#include "tests/image_comparison.h"

namespace cover_test {
namespace {

// The cover window as the screen shows it, read back from headless frames
// of a 640 x 480 screen: dial centre (320, 232) pixels, balls leaving from
// (320, 240).
constexpr std::uint32_t backgroundPixel = 0x8080FF;
constexpr std::uint32_t blackPixel = 0x000000;
constexpr std::uint32_t redPixel = 0xFF0000;
constexpr std::uint32_t bluePixel = 0x0000FF;

using CoverFrameTest = CoverTest;

TEST_F(CoverFrameTest, FirstTickAtMidnightShowsDialHandsAndBall) {
    headless::setTimeOfDay(0);
    show();
    const host::render::Image& frame = frameAfterTicks(1);
    EXPECT_EQ(frame.pixel(10, 10), backgroundPixel);
    EXPECT_EQ(frame.pixel(320, 170), blackPixel);  // the 12 o'clock mark, radius 800 to 1000
    EXPECT_EQ(frame.pixel(320, 200), redPixel);    // the second hand, over the other two
    EXPECT_EQ(frame.pixel(323, 231), bluePixel);   // the first ball, one step out at 10 degrees
}

TEST_F(CoverFrameTest, DialSurvivesTheSpiralAndHandsPassingOverIt) {
    headless::setTimeOfDay(0);
    show();
    const host::render::Image before = frameAfterTicks(1);
    for (int second = 1; second <= 45; ++second) {
        headless::setTimeOfDay(float(second));
        frameAfterTicks(5);  // balls leave at every edge long before the end
    }
    // Redraw everything from scratch and compare with the incremental frame:
    // what the spiral and the hands left behind is exactly the scene.
    const host::render::Image incremental = headless::renderFrame(cover);
    host::render::Surface& surface = cover.paintedWindow()->surface();
    surface.paintWhole(cover.paintedControls(), cover.scale());
    const host::render::Image& whole = surface.backBuffer();
    EXPECT_FALSE(test_support::compareImages(incremental, whole));
    EXPECT_EQ(whole.pixel(320, 170), blackPixel);
    EXPECT_NE(before.pixel(320, 200), whole.pixel(320, 200));  // the second hand points left now
}

}  // namespace
}  // namespace cover_test
