#include <cstdlib>

#include "display/drift_path.h"
#include "tests/cover_test_support.h"
#include "tests/golden_frames.h"

namespace cover_test {
namespace {

using display::DriftOffset;
using display::driftOffsetAt;

// Over two whole laps for reaches from none to a large screen's: the path
// starts and closes on the designed centre, moves one pixel diagonally every
// step, never farther than the reach, and passes through the centre only at
// the start and halfway round.
TEST(DriftPathTest, AFigureOfEightOfDiagonalPixelStepsWithinReach) {
    for (int reach : {0, 1, 2, 3, 7, 16, 32}) {
        SCOPED_TRACE(reach);
        const long long lap = 8LL * (reach / 2);
        EXPECT_EQ(driftOffsetAt(0, reach), DriftOffset{});
        EXPECT_EQ(driftOffsetAt(lap, reach), DriftOffset{});
        int centreVisits = 0;
        for (long long step = 1; step <= 2 * lap; ++step) {
            const DriftOffset before = driftOffsetAt(step - 1, reach), after = driftOffsetAt(step, reach);
            EXPECT_EQ(std::abs(after.x - before.x), 1) << step;
            EXPECT_EQ(std::abs(after.y - before.y), 1) << step;
            EXPECT_LE(std::abs(after.x), reach) << step;
            EXPECT_LE(std::abs(after.y), reach) << step;
            centreVisits += after == DriftOffset{};
        }
        EXPECT_EQ(centreVisits, reach < 2 ? 0 : 4);
    }
    EXPECT_EQ(display::driftReach(640, 480), 7);
    EXPECT_EQ(display::driftReach(3840, 2160), 32);
}

using CoverDriftTest = CoverTest;

// 10:08:30, as in the golden frames.
constexpr float tenPastEight = 10 * 3600 + 8 * 60 + 30;

TEST_F(CoverDriftTest, StartsWithTheDesignedFrame) {
    headless::setTimeOfDay(tenPastEight);
    headless::plantFile(userSettingsFolder() / "options.ini", "Drift=1\r\n");
    show();
    test_support::expectGoldenFrame(frameAfterTicks(1), "dial_96dpi.png");
}

class CoverDriftMinutesTest : public CoverTest, public ::testing::WithParamInterface<bool> {};

// The clock read over ten minutes, across midnight: with drift each minute
// moves the dial, the hands and the spiral's origin one pixel and leaves
// nothing of the old marks; without it the clock stays put. At speed 0 the
// newest ball stays where it was released.
TEST_P(CoverDriftMinutesTest, MoveTheDialAPixelAMinuteLeavingNoTrace) {
    const bool drift = GetParam();
    headless::setTimeOfDay(86400 - 300);
    writeSettings("5\r\n0\r\n");
    if (drift) headless::plantFile(userSettingsFolder() / "options.ini", "Drift=1\r\n");
    show();
    const float designedX = cover.CenterX, designedY = cover.CenterY;
    tick();
    EXPECT_EQ(cover.CenterX, designedX) << "not before a minute has passed";

    float lastX = designedX, lastY = designedY;
    for (int minute = 1; minute <= 10; ++minute) {
        SCOPED_TRACE(minute);
        headless::setTimeOfDay(float((86400 - 300 + 60 * minute) % 86400));
        tick();
        const float step = drift ? 15.0f : 0.0f;
        EXPECT_FLOAT_EQ(std::abs(cover.CenterX - lastX), step);
        EXPECT_FLOAT_EQ(std::abs(cover.CenterY - lastY), step);
        EXPECT_EQ(cover.Line1.X1, cover.CenterX) << "the hands turn about the new centre";
        const host::Shape& newest = cover.effect[cover.effect.UBound()];
        EXPECT_FLOAT_EQ(newest.Left - cover.ScaleWidth() / 2, cover.CenterX - designedX) << "the spiral leaves from there";
        EXPECT_FLOAT_EQ(newest.Top - cover.ScaleHeight() / 2, cover.CenterY - designedY);
        EXPECT_LE(std::abs(cover.CenterX - designedX), 7 * 15.0f);
        EXPECT_LE(std::abs(cover.CenterY - designedY), 7 * 15.0f);
        const host::render::Image& frame = headless::renderFrame(cover);
        for (int hour : {3, 9}) {
            const int x = int((lastX + (hour == 3 ? 900 : -900)) / 15), y = int(lastY / 15);
            const int nowX = int((cover.CenterX + (hour == 3 ? 900 : -900)) / 15), nowY = int(cover.CenterY / 15);
            EXPECT_EQ(frame.pixel(nowX, nowY), 0u) << "the mark at " << hour;
            if (drift) {
                EXPECT_EQ(frame.pixel(x, y), 0x8080FFu) << "the old mark at " << hour;
            }
        }
        lastX = cover.CenterX;
        lastY = cover.CenterY;
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithout, CoverDriftMinutesTest, ::testing::Bool());

}  // namespace
}  // namespace cover_test
