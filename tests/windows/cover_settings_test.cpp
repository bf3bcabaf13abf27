// The full-screen window reads the user's settings, wherever it was started
// and whenever it is activated again: a gap of 0 makes every ball fly
// straight up, which shows on screen.

#include <gtest/gtest.h>

#include "cover_screen.h"
#include "harness.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;
using namespace cover_screen;

// Once the balls of any earlier spiral have left the screen, every ball flies
// straight up: a gap of 0. A spiral always has one on the horizontal.
bool ballsFlyStraightUp() {
    return harness::waitUntil(
        [] {
            const harness::Screenshot shot = harness::captureScreen();
            return anyPixel(shot, {ballOriginX - 6, 0, ballOriginX + 6, ballOriginY - 100}, isBallBlue) &&
                   !anyPixel(shot, {ballOriginX + 40, ballOriginY - 8, shot.width, ballOriginY + 8}, isBallBlue);
        },
        10s);
}

// The system starts the screen saver in its own directory, which is not the
// user's: the settings come from the user's folder all the same.
TEST(CoverSettings, ReadsTheUsersSettingsWhateverItsCurrentDirectory) {
    harness::UserSettings userSettings;
    userSettings.write("0\r\n150\r\n");
    wchar_t windowsDirectory[MAX_PATH] = {};
    GetWindowsDirectoryW(windowsDirectory, MAX_PATH);
    FullScreenRun run(L"/S", windowsDirectory);
    ASSERT_TRUE(run.painted);
    EXPECT_TRUE(ballsFlyStraightUp());
}

// Coming back to the front after another window was active activates the
// cover again, which reads the settings anew.
TEST(CoverSettings, ReadsTheSettingsAgainWhenActivatedAgain) {
    harness::UserSettings userSettings;
    FullScreenRun run(L"/S");
    ASSERT_TRUE(run.painted);
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(harness::activate(other));
    userSettings.write("0\r\n150\r\n");
    ASSERT_TRUE(harness::activate(run.window));
    const bool straightUp = ballsFlyStraightUp();
    DestroyWindow(other);
    EXPECT_TRUE(straightUp);
}

}  // namespace
