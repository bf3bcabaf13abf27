#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/cover_test_support.h"

namespace cover_test {
namespace {

using CoverSpiralTest = CoverTest;

// Places a loaded ball for a test of the edges.
void place(host::Shape& ball, float left, float top, const char* angle) {
    ball.Move(left, top);
    ball.Tag = angle;
}

TEST_F(CoverSpiralTest, FirstBallLeavesTheMiddleAtTwiceTheGapAndMovesInItsOwnTick) {
    show();
    tick();
    ASSERT_EQ(cover.effect.UBound(), 1);
    const host::Shape& ball = cover.effect[1];
    EXPECT_EQ(ball.Tag.text(), "10");
    EXPECT_TRUE(ball.Visible);
    EXPECT_NEAR(ball.Left, 4826.05, 0.01);
    EXPECT_NEAR(ball.Top, 3452.28, 0.01);
    EXPECT_EQ(ball.Width, 60);
    EXPECT_EQ(ball.Kind, host::ShapeKind::Circle);
    EXPECT_EQ(ball.FillColor, host::colors::blue);
    EXPECT_FALSE(cover.effect[0].Visible) << "the template is never shown";
}

TEST_F(CoverSpiralTest, AStillBallStaysWhereItWasPlaced) {
    writeSettings("5\r\n0\r\n");
    show();
    tick();
    EXPECT_EQ(cover.effect[1].Left, 4800);
    EXPECT_EQ(cover.effect[1].Top, 3600) << "the corner, not the centre, starts at the middle";
}

// The step a ball takes is worked out once and remembered for speed; it must
// still follow whatever the Tag and the speed say on each tick.
TEST_F(CoverSpiralTest, EachTickMovesABallAlongItsTagAtTheCurrentSpeed) {
    show();
    tick();
    const auto ball = [this]() -> host::Shape& { return cover.effect[1]; };
    place(ball(), 4000, 3000, "90");
    tick();
    EXPECT_FLOAT_EQ(ball().Left, 4150);
    EXPECT_FLOAT_EQ(ball().Top, 3000);

    cover.BallSpeed = 30;
    tick();
    EXPECT_FLOAT_EQ(ball().Left, 4180);

    ball().Tag = "180";
    tick();
    EXPECT_FLOAT_EQ(ball().Left, 4180);
    EXPECT_FLOAT_EQ(ball().Top, 3030);

    ball().Tag = "south";
    tick();
    EXPECT_FLOAT_EQ(ball().Top, 3030) << "a Tag that is no number leaves the ball where it is";
}

TEST_F(CoverSpiralTest, AnglesWrapToZeroAt359) {
    show();
    cover.EmitAngle = 355;
    tick();
    EXPECT_EQ(cover.effect[1].Tag.text(), "0");
    EXPECT_FLOAT_EQ(cover.effect[1].Left, 4800) << "a ball at 0 flies straight up";
    EXPECT_FLOAT_EQ(cover.effect[1].Top, 3450);

    cover.EmitAngle = 358;
    cover.BallGap = 1;
    tick();
    EXPECT_EQ(cover.effect[2].Tag.text(), "0");

    std::vector<std::string> tags;
    for (int i = 0; i < 400; ++i) tags.push_back(tickForNewBall().Tag.text());
    EXPECT_EQ(std::count(tags.begin(), tags.end(), "359"), 0);
    EXPECT_EQ(std::count(tags.begin(), tags.end(), "358"), 1);
}

TEST_F(CoverSpiralTest, FractionalGapsGoIntoTheTagAsDecimalText) {
    writeSettings("2.5\r\n150\r\n");
    show();
    tick(2);
    EXPECT_EQ(cover.effect[1].Tag.text(), "5");
    EXPECT_EQ(cover.effect[2].Tag.text(), "7.5");
}

TEST_F(CoverSpiralTest, AGapOfZeroOrAWholeTurnSendsEveryBallStraightUp) {
    show();
    for (const char* gap : {"0", "359", "720"}) {
        SCOPED_TRACE(gap);
        writeSettings(std::string(gap) + "\r\n150\r\n");
        headless::activate(cover);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(tickForNewBall().Tag.text(), "0");
            EXPECT_EQ(cover.EmitAngle, 0);
        }
    }
}

TEST_F(CoverSpiralTest, RemovedIndicesAreReusedLowestFirst) {
    writeSettings("5\r\n10\r\n");
    show();
    tick(4);
    ASSERT_EQ(cover.effect.UBound(), 4);
    place(cover.effect[2], 4000, 5, "0");
    place(cover.effect[3], 4200, 8, "0");

    tick();  // removes 2 and 3, releases 5
    EXPECT_FALSE(cover.effect.isLoaded(2));
    EXPECT_FALSE(cover.effect.isLoaded(3));
    EXPECT_EQ(cover.effect.UBound(), 5);

    tick();
    EXPECT_TRUE(cover.effect.isLoaded(2));
    EXPECT_FALSE(cover.effect.isLoaded(3));
    EXPECT_EQ(cover.effect[2].Tag.text(), "35");
    EXPECT_NEAR(cover.effect[2].Left, 4800 + 10 * std::sin(35 * M_PI / 180), 0.01) << "at its own angle";
    EXPECT_NEAR(cover.effect[2].Top, 3600 - 10 * std::cos(35 * M_PI / 180), 0.01);

    tick();
    EXPECT_TRUE(cover.effect.isLoaded(3));
    EXPECT_EQ(cover.effect.UBound(), 5);
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
}

struct EdgeCase {
    const char* name;
    float left;
    float top;
    const char* angle;
    bool removed;
};

class CoverEdgeTest : public CoverTest, public ::testing::WithParamInterface<EdgeCase> {};

// Each case moves one ball with speed 150 on a 9600 x 7200 client area; the
// neighbour at index 2 must carry on untouched.
TEST_P(CoverEdgeTest, RemovesABallThatTouchesAnEdgeOnce) {
    writeSettings("5\r\n150\r\n");
    show();
    tick(2);
    cover.EmitAngle = 0;
    cover.BallGap = 0;
    place(cover.effect[1], GetParam().left, GetParam().top, GetParam().angle);
    place(cover.effect[2], 4800, 3600, "0");

    tick();

    EXPECT_EQ(cover.effect.isLoaded(1), !GetParam().removed);
    EXPECT_TRUE(cover.effect.isLoaded(2));
    EXPECT_FLOAT_EQ(cover.effect[2].Top, 3450);
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CoverEdgeTest,
    ::testing::Values(EdgeCase{"TopExactlyZero", 4000, 150, "0", true},
                      EdgeCase{"TopJustInside", 4000, 150.0001f, "0", false},
                      EdgeCase{"BottomExactlyTouching", 4000, 6990, "180", true},
                      EdgeCase{"BottomJustInside", 4000, 6989.99f, "180", false},
                      EdgeCase{"LeftExactlyZero", 150, 3000, "270", true},
                      EdgeCase{"RightExactlyTouching", 9390, 3000, "90", true},
                      EdgeCase{"RightJustInside", 9389.99f, 3000, "90", false},
                      EdgeCase{"PastTheTopLeftCorner", 20, 20, "315", true},
                      EdgeCase{"PastTheBottomRightCorner", 9500, 7100, "135", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CoverSpiralTest, WithDefaultSettingsTheNumberInFlightSettles) {
    show();
    // The spiral repeats every 72 ticks once the first balls have left, so
    // a window of 72 ticks early in the run looks like one late in it.
    const auto mostInFlightOver72Ticks = [this] {
        int most = 0;
        for (int i = 0; i < 72; ++i) {
            tick();
            most = std::max(most, ballsInFlight());
        }
        return most;
    };
    tick(100);
    const int early = mostInFlightOver72Ticks();
    tick(72 * 250);
    const int late = mostInFlightOver72Ticks();

    EXPECT_EQ(early, late);
    // A ball needs 24 ticks from the middle to the top edge and about 40
    // towards a corner.
    EXPECT_GE(late, 24);
    EXPECT_LE(late, 41);
    EXPECT_LE(cover.effect.UBound(), 41) << "indices, and with them the storage, stay bounded";
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
}

TEST_F(CoverSpiralTest, AtSpeedZeroTheIndicesRunOutAndTheSpiralKeepsTicking) {
    writeSettings("5\r\n0\r\n");
    show();
    // Standing balls fill all but the last few indices at once; ticking them
    // all in one by one would take 32767 ticks over ever more balls.
    constexpr int lastIndex = 32767;
    for (int index = 1; index <= lastIndex - 5; ++index) {
        cover.effect.Load(index);
        cover.effect[index].Move(4800, 3600);
        cover.effect[index].Tag = "90";
        cover.effect[index].Visible = true;
    }

    tick(5);
    ASSERT_EQ(cover.effect.UBound(), lastIndex);
    ASSERT_EQ(ballsInFlight(), lastIndex);

    const double angleBefore = cover.EmitAngle;
    tick(10);
    EXPECT_EQ(ballsInFlight(), lastIndex);
    EXPECT_NE(cover.EmitAngle, angleBefore) << "the spiral still turns";
    EXPECT_FALSE(headless::outcome().ended);
    EXPECT_FALSE(headless::outcome().errorBox.has_value());

    // As soon as one ball goes, its index is used again.
    cover.effect[100].Move(4800, 100);
    cover.effect[100].Tag = "0";
    cover.BallSpeed = 150;
    tick();
    EXPECT_FALSE(cover.effect.isLoaded(100));
    tick();
    EXPECT_TRUE(cover.effect.isLoaded(100));
}

struct WildSettings {
    const char* name;
    const char* file;
};

class CoverWildSettingsTest : public CoverTest, public ::testing::WithParamInterface<WildSettings> {};

// Whatever a hand-edited file holds, every ball leaves sooner or later and
// none ever holds a position that is not a number.
TEST_P(CoverWildSettingsTest, BallsStillLeave) {
    writeSettings(GetParam().file);
    show();
    int mostInFlight = 0;
    for (int i = 0; i < 3000; ++i) {
        tick();
        mostInFlight = std::max(mostInFlight, ballsInFlight());
        cover.effect.forEachLoaded([](int, const host::Shape& ball) {
            ASSERT_FALSE(std::isnan(ball.Left));
            ASSERT_FALSE(std::isnan(ball.Top));
        });
    }
    EXPECT_LE(mostInFlight, 200);
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
}

INSTANTIATE_TEST_SUITE_P(HandEditedFiles, CoverWildSettingsTest,
                         ::testing::Values(WildSettings{"NegativeGap", "-7\r\n150\r\n"},
                                           WildSettings{"HugeNegativeGap", "-1e308\r\n150\r\n"},
                                           WildSettings{"HugeGap", "1e308\r\n150\r\n"},
                                           WildSettings{"NegativeSpeed", "5\r\n-150\r\n"},
                                           WildSettings{"HugeSpeed", "5\r\n1e300\r\n"},
                                           WildSettings{"FractionalBoth", "0.3\r\n37.25\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cover_test
