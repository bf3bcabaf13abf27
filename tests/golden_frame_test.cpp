// The cover window's picture, whole, against frames a person has looked at:
// what pixel checks elsewhere would miss (a numeral drawn a pixel off, a
// hand a shade wrong) shows here. scripts/golden makes them anew.

#include "tests/cover_test_support.h"
#include "tests/golden_frames.h"

namespace cover_test {
namespace {

// 10:08:30, when the hands stand apart and cover no numeral.
constexpr float tenPastEight = 10 * 3600 + 8 * 60 + 30;

class GoldenFrameTest : public CoverTest {
protected:
    void SetUp() override {
        CoverTest::SetUp();
        headless::setTimeOfDay(tenPastEight);
    }
};

// The first tick after activation puts the hands up and releases the first ball.
TEST_F(GoldenFrameTest, DialAndHandsAt96Dpi) {
    show();
    test_support::expectGoldenFrame(frameAfterTicks(1), "dial_96dpi.png");
}

TEST_F(GoldenFrameTest, DialAndHandsAt144Dpi) {
    headless::setDpi(144);
    show();
    test_support::expectGoldenFrame(frameAfterTicks(1), "dial_144dpi.png");
}

// With the default settings: an arm of the spiral, its balls passing over the
// dial without wiping it out.
TEST_F(GoldenFrameTest, SpiralAfter150Ticks) {
    show();
    test_support::expectGoldenFrame(frameAfterTicks(150), "spiral_150_ticks.png");
}

}  // namespace
}  // namespace cover_test
