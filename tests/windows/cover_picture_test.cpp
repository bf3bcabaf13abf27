// What the full-screen window draws, in screenshots: the dial, the hands at
// the time of day and the spiral of balls.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cover_screen.h"
#include "harness.h"

namespace {

using namespace std::chrono_literals;
using namespace cover_screen;

// Blue pixels in each quarter around the centre: the spiral has come round.
TEST(CoverPicture, WithoutASettingsFileTheBallsFormASpiral) {
    harness::TempDir directory;
    FullScreenRun run(L"/S", directory.path());
    ASSERT_TRUE(run.painted);
    EXPECT_TRUE(harness::waitUntil(
        [] {
            const harness::Screenshot shot = harness::captureScreen();
            return anyPixel(shot, {ballOriginX + 20, 0, shot.width, ballOriginY}, isBallBlue) &&
                   anyPixel(shot, {ballOriginX + 20, ballOriginY, shot.width, shot.height}, isBallBlue) &&
                   anyPixel(shot, {0, ballOriginY, ballOriginX - 20, shot.height}, isBallBlue) &&
                   anyPixel(shot, {0, 0, ballOriginX - 20, ballOriginY}, isBallBlue);
        },
        10s));
}

// The dial centre of a 1920 x 1080 window: half the width, 8 pixels above
// half the height; the second hand is 800 twips, 53 pixels, long.
constexpr int dialX = 960;
constexpr int dialY = 532;

double secondHandDegrees() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return (now.wSecond + now.wMilliseconds / 1000.0) * 6.0;
}

bool redAlongSecondHand(const harness::Screenshot& shot, double degrees) {
    for (int radius : {15, 25, 35, 45}) {
        bool found = false;
        for (double offset = -10; offset <= 10 && !found; offset += 1) {
            const double angle = (degrees + offset) * std::numbers::pi / 180;
            const int x = dialX + int(std::lround(radius * std::sin(angle)));
            const int y = dialY - int(std::lround(radius * std::cos(angle)));
            found = anyPixel(shot, {x - 1, y - 1, x + 2, y + 2}, isHandRed);
        }
        if (!found) return false;
    }
    return true;
}

// Balls well outside the dial, and on their way out from it.
bool ballsOnTheirWayOut(const harness::Screenshot& shot) {
    return (anyPixel(shot, {0, 0, shot.width, dialY - 150}, isBallBlue) ||
            anyPixel(shot, {0, dialY + 150, shot.width, shot.height}, isBallBlue)) &&
           anyPixel(shot, {dialX - 150, dialY - 150, dialX + 150, dialY + 150}, isBallBlue);
}

TEST(CoverPicture, ShowsTheDialTheHandsAndTheSpiral) {
    harness::TempDir directory;
    FullScreenRun run(L"/S", directory.path());
    ASSERT_TRUE(run.painted);
    // The first balls take a moment to get well outside the dial.
    double secondHand = 0;
    harness::Screenshot shot;
    EXPECT_TRUE(harness::waitUntil(
        [&] {
            secondHand = secondHandDegrees();
            shot = harness::captureScreen();
            return ballsOnTheirWayOut(shot);
        },
        10s))
        << "no balls both well outside the dial and near it";
    // Kept beside the test program, for a look by eye.
    shot.saveBmp("cover_window_full_screen.bmp");

    EXPECT_TRUE(cornersAreLightBlue(shot));
    // The 12 o'clock tick mark runs from radius 800 to 1000 twips.
    EXPECT_TRUE(anyPixel(shot, {dialX - 2, dialY - 65, dialX + 3, dialY - 55}, isInkBlack));
    EXPECT_TRUE(redAlongSecondHand(shot, secondHand)) << "second hand at " << secondHand << " degrees";
}

}  // namespace
