#include <cmath>
#include <numbers>

#include "tests/cover_test_support.h"

namespace cover_test {
namespace {

constexpr double centerX = 4800;
constexpr double centerY = 3480;

struct Tip {
    double x;
    double y;
};

// Where a hand of this length points at this many degrees past twelve.
Tip tipAt(double degrees, double length) {
    const double radians = degrees * std::numbers::pi / 180;
    return {centerX + length * std::sin(radians), centerY - length * std::cos(radians)};
}

void expectTip(const host::Line& hand, Tip tip) {
    EXPECT_NEAR(hand.X2, tip.x, 0.01);
    EXPECT_NEAR(hand.Y2, tip.y, 0.01);
}

struct TimeCase {
    float secondsSinceMidnight;
    double hourDegrees;    // shown, within one turn
    double minuteDegrees;
    double secondDegrees;
};

using CoverHandsTest = CoverTest;

class CoverHandsAtTimeTest : public CoverTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(CoverHandsAtTimeTest, ShowTheTrueTimeOfDay) {
    show();
    headless::setTimeOfDay(GetParam().secondsSinceMidnight);
    tick();
    expectTip(cover.Line1, tipAt(GetParam().hourDegrees, 600));
    expectTip(cover.Line2, tipAt(GetParam().minuteDegrees, 800));
    expectTip(cover.Line3, tipAt(GetParam().secondDegrees, 800));
}

INSTANTIATE_TEST_SUITE_P(AroundTheDay, CoverHandsAtTimeTest,
                         ::testing::Values(TimeCase{0, 0, 0, 0},                        // midnight
                                           TimeCase{10800, 90, 0, 0},                   // 03:00:00
                                           TimeCase{43200, 0, 0, 0},                    // noon
                                           TimeCase{86399, 359.99166666, 359.9, 354}));  // 23:59:59

// The clock read on one tick, then on the next: past midnight, or set
// backwards or forwards in between (by the user, or by a time server).
struct ClockStep {
    float before;
    TimeCase after;
};

class CoverHandsAcrossClockStepsTest : public CoverTest, public ::testing::WithParamInterface<ClockStep> {};

TEST_P(CoverHandsAcrossClockStepsTest, ShowTheNewTimeOnTheNextTickAndGoOn) {
    show();
    headless::setTimeOfDay(GetParam().before);
    tick();
    const int balls = ballsInFlight();

    const TimeCase& after = GetParam().after;
    headless::setTimeOfDay(after.secondsSinceMidnight);
    tick();
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
    expectTip(cover.Line1, tipAt(after.hourDegrees, 600));
    expectTip(cover.Line2, tipAt(after.minuteDegrees, 800));
    expectTip(cover.Line3, tipAt(after.secondDegrees, 800));
    EXPECT_EQ(ballsInFlight(), balls + 1) << "the spiral goes on";
}

INSTANTIATE_TEST_SUITE_P(
    MidnightAndJumps, CoverHandsAcrossClockStepsTest,
    ::testing::Values(ClockStep{86399, {0, 0, 0, 0}},                          // 23:59:59 -> midnight
                      ClockStep{86399.984375f, {0.015625f, 0.00013020833, 0.0015625, 0.09375}},  // last tick of a day -> first of the next
                      ClockStep{0, {86399, 359.99166666, 359.9, 354}},           // back across midnight
                      ClockStep{43200, {3600, 30, 0, 0}},                        // noon -> 01:00:00
                      ClockStep{50000, {49999.984375f, 56.66653645833, 319.9984375, 119.90625}},  // 1/64 s back
                      ClockStep{3600, {80000, 306.66666666, 80, 120}}));         // 01:00:00 -> 22:13:20

// What the user sees at 03:00:00: the hour hand a thick black line to the
// right, the minute and second hands both upward, the red second hand on top.
TEST_F(CoverHandsTest, AreSeenFromTheCentreTheSecondHandOnTop) {
    show();
    headless::setTimeOfDay(10800);
    tick();
    const host::render::Image& frame = headless::renderFrame(cover);
    const int x = 320, y = 232;  // the centre, in pixels
    const auto black = host::render::toPixel(host::colors::black);
    const auto red = host::render::toPixel(host::colors::red);

    int hourHandRows = 0;
    for (int row = y - 4; row <= y + 4; ++row) hourHandRows += frame.pixel(x + 20, row) == black;
    EXPECT_EQ(hourHandRows, 2) << "two pixels thick, halfway out";
    EXPECT_NE(frame.pixel(x + 50, y), black) << "no longer than the hour hand";
    EXPECT_EQ(frame.pixel(x, y - 30), red);
    EXPECT_NE(frame.pixel(x - 20, y), black);
}

TEST_F(CoverHandsTest, RestWhileTheDisplayIsOffAndShowTheTimeAsSoonAsItIsBack) {
    show();
    headless::setTimeOfDay(3600);
    tick();
    const int balls = ballsInFlight();

    headless::setDisplayPower(headless::DisplayPower::Off);
    headless::setTimeOfDay(7200);
    tick(5);
    expectTip(cover.Line1, tipAt(30, 600));
    EXPECT_EQ(ballsInFlight(), balls) << "no ball flies while nobody can see it";

    headless::setDisplayPower(headless::DisplayPower::Dimmed);
    tick();
    expectTip(cover.Line1, tipAt(60, 600));
    EXPECT_EQ(ballsInFlight(), balls + 1);

    headless::setDisplayPower(headless::DisplayPower::Off);
    headless::setTimeOfDay(10800);
    headless::setDisplayPower(headless::DisplayPower::On);
    tick();
    expectTip(cover.Line1, tipAt(90, 600));
}

// The system tells a new window the display's state at once.
TEST_F(CoverHandsTest, AClockStartedWhileTheDisplayIsOffRestsUntilItIsBack) {
    headless::setDisplayPower(headless::DisplayPower::Off);
    show();
    tick(3);
    EXPECT_EQ(ballsInFlight(), 0);
    headless::setDisplayPower(headless::DisplayPower::On);
    tick();
    EXPECT_EQ(ballsInFlight(), 1);
}

// Locked or disconnected, nobody sees the clock either, whatever the display.
TEST_F(CoverHandsTest, RestWhileTheSessionIsLockedAndShowTheTimeOnceItIsBack) {
    show();
    headless::setTimeOfDay(3600);
    tick();
    const int balls = ballsInFlight();

    headless::setSessionAttended(false);
    headless::setTimeOfDay(7200);
    tick(5);
    headless::setDisplayPower(headless::DisplayPower::Off);
    headless::setDisplayPower(headless::DisplayPower::On);
    tick();
    expectTip(cover.Line1, tipAt(30, 600));
    EXPECT_EQ(ballsInFlight(), balls);

    headless::setSessionAttended(true);
    tick();
    expectTip(cover.Line1, tipAt(60, 600));
    EXPECT_EQ(ballsInFlight(), balls + 1);
}

}  // namespace
}  // namespace cover_test
