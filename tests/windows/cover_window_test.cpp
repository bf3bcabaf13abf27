// Full-screen runs of the real screen saver, looked at from outside as a
// user would see them: the window, its pixels, a click, other instances.
// A window planted in another process's window does not show on Wine's
// screen, so the preview's picture is checked with the cover window made in
// this process.

// Before <windows.h>, which the harness brings: its constants are macros there.
#include "host/backend/user32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/frm_cover.h"
#include "harness.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t lightBlue = 0x8080FF;  // the cover's background, RGB(128, 128, 255)
constexpr double pi = 3.14159265358979323846;

bool isBallBlue(std::uint32_t pixel) {
    const int red = int(pixel >> 16) & 0xFF, green = int(pixel >> 8) & 0xFF, blue = int(pixel) & 0xFF;
    return blue > 200 && red < 60 && green < 60;
}
bool isHandRed(std::uint32_t pixel) {
    const int red = int(pixel >> 16) & 0xFF, green = int(pixel >> 8) & 0xFF, blue = int(pixel) & 0xFF;
    return red > 200 && green < 60 && blue < 60;
}
bool isInkBlack(std::uint32_t pixel) { return pixel == 0x000000; }

struct Area {
    int left, top, right, bottom;  // half-open
};

bool anyPixel(const harness::Screenshot& shot, Area area, const std::function<bool(std::uint32_t)>& wanted) {
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, shot.height); ++y) {
        for (int x = std::max(area.left, 0); x < std::min(area.right, shot.width); ++x) {
            if (wanted(shot.at(x, y))) return true;
        }
    }
    return false;
}

RECT screenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool coversScreen(HWND window) {
    RECT placed{};
    GetWindowRect(window, &placed);
    const RECT screen = screenRect();
    return EqualRect(&placed, &screen) != FALSE;
}

std::wstring titleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

// The corners are the last place anything but the background would be.
bool cornersAreLightBlue(const harness::Screenshot& shot) {
    return shot.width > 0 && shot.at(0, 0) == lightBlue && shot.at(shot.width - 1, 0) == lightBlue &&
           shot.at(0, shot.height - 1) == lightBlue && shot.at(shot.width - 1, shot.height - 1) == lightBlue;
}

// Runs the screen saver full screen and waits until its window is painted.
struct FullScreenRun {
    explicit FullScreenRun(const std::wstring& arguments, const std::filesystem::path& directory = {})
        : saver(harness::start(arguments, directory)), window(harness::waitForWindow(saver.id())) {
        painted = window && harness::waitUntil([] { return cornersAreLightBlue(harness::captureScreen()); }, 10s);
    }
    harness::Process saver;
    HWND window;
    bool painted = false;
};

// Balls leave from the middle of the window; they are 4 pixels across.
constexpr int ballOriginX = 962;
constexpr int ballOriginY = 542;

TEST(CoverWindow, CoversTheScreenBorderlessAndLightBlueAndEndsOnAClick) {
    harness::TempDir directory;
    FullScreenRun run(L"/S", directory.path());
    ASSERT_NE(run.window, nullptr) << "no window appeared";
    ASSERT_TRUE(run.painted) << "the screen's corners never turned light blue";

    EXPECT_TRUE(coversScreen(run.window));
    const LONG style = GetWindowLongW(run.window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    const LONG extendedStyle = GetWindowLongW(run.window, GWL_EXSTYLE);
    EXPECT_TRUE(extendedStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(extendedStyle & WS_EX_TOOLWINDOW) << "a screen saver has no taskbar button";
    EXPECT_EQ(titleOf(run.window), L"Zantrelle");

    harness::clickAt(300, 200);
    EXPECT_EQ(run.saver.waitForExit(5s), std::optional<DWORD>(0));
}

TEST(CoverWindow, KeysAndMouseMovesDoNotEndIt) {
    FullScreenRun run(L"/S");
    ASSERT_TRUE(run.painted);
    harness::pressKey(VK_SPACE);
    SetCursorPos(100, 100);
    SetCursorPos(700, 500);
    EXPECT_FALSE(run.saver.waitForExit(1s).has_value());
}

TEST(CoverWindow, UnrecognisedSwitchesRunFullScreen) {
    for (const wchar_t* arguments : {L"-s", L"/"}) {
        SCOPED_TRACE(testing::Message() << "switch " << std::string(arguments, arguments + std::wcslen(arguments)));
        FullScreenRun run(arguments);
        ASSERT_NE(run.window, nullptr);
        EXPECT_TRUE(run.painted);
        EXPECT_TRUE(coversScreen(run.window));
        run.saver.kill();
    }
}

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
TEST(CoverWindow, ReadsTheUsersSettingsWhateverItsCurrentDirectory) {
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
TEST(CoverWindow, ReadsTheSettingsAgainWhenActivatedAgain) {
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

// Blue pixels in each quarter around the centre: the spiral has come round.
TEST(CoverWindow, WithoutASettingsFileTheBallsFormASpiral) {
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

// Planted in a preview pane, the cover window is a picture: a click there
// does not end it.
TEST(CoverWindow, InAPreviewPaneAClickDoesNotEndIt) {
    HWND pane = CreateWindowExW(0, L"STATIC", L"preview pane", WS_POPUP | WS_VISIBLE, 40, 40, 152, 112, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    harness::Process saver = harness::start(L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(pane)));
    HWND planted = nullptr;
    harness::waitUntil([&] { return (planted = GetWindow(pane, GW_CHILD)) != nullptr && IsWindowVisible(planted); },
                       10s);
    ASSERT_NE(planted, nullptr) << "nothing was planted in the pane";

    PostMessageW(planted, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageW(planted, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_FALSE(saver.waitForExit(1s).has_value());
    DestroyWindow(pane);
    EXPECT_TRUE(saver.waitForExit(5s).has_value()) << "the pane went, the preview stayed";
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
            const double angle = (degrees + offset) * pi / 180;
            const int x = dialX + int(std::lround(radius * std::sin(angle)));
            const int y = dialY - int(std::lround(radius * std::cos(angle)));
            found = anyPixel(shot, {x - 1, y - 1, x + 2, y + 2}, isHandRed);
        }
        if (!found) return false;
    }
    return true;
}

TEST(CoverWindow, ShowsTheDialTheHandsAndTheSpiral) {
    harness::TempDir directory;
    FullScreenRun run(L"/S", directory.path());
    ASSERT_TRUE(run.painted);
    Sleep(1000);
    const double secondHand = secondHandDegrees();
    const harness::Screenshot shot = harness::captureScreen();
    // Kept beside the test program, for a look by eye.
    shot.saveBmp("cover_window_full_screen.bmp");

    EXPECT_TRUE(cornersAreLightBlue(shot));
    // The 12 o'clock tick mark runs from radius 800 to 1000 twips.
    EXPECT_TRUE(anyPixel(shot, {dialX - 2, dialY - 65, dialX + 3, dialY - 55}, isInkBlack));
    EXPECT_TRUE(redAlongSecondHand(shot, secondHand)) << "second hand at " << secondHand << " degrees";
    // Balls well outside the dial, and on their way out from it.
    EXPECT_TRUE(anyPixel(shot, {0, 0, shot.width, dialY - 150}, isBallBlue) ||
                anyPixel(shot, {0, dialY + 150, shot.width, shot.height}, isBallBlue));
    EXPECT_TRUE(anyPixel(shot, {dialX - 150, dialY - 150, dialX + 150, dialY + 150}, isBallBlue));
}

// The embedding as start-up makes it, on a pane of this process.
void plantInPane(display::FrmCover& cover, HWND pane) {
    // <windows.h> has made macros of the other constants, with the same values.
    namespace user32 = host::user32;
    const auto paneHandle = reinterpret_cast<user32::HWND>(pane);
    user32::RECT rect;
    user32::GetClientRect(paneHandle, rect);
    cover.Load();
    cover.setCaption("Preview");
    const user32::LONG style = user32::GetWindowLongA(cover.hWnd(), GWL_STYLE);
    user32::SetWindowLongA(cover.hWnd(), GWL_STYLE, style | WS_CHILD);
    user32::SetParent(cover.hWnd(), paneHandle);
    user32::SetWindowLongA(cover.hWnd(), user32::GWL_HWNDPARENT, user32::LONG(paneHandle));
    user32::SetWindowPos(cover.hWnd(), 0, 0, 0, rect.right, rect.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Shown only by SetWindowPos, the cover window is still activated: the dial
// centre is the pane's, the settings are read, and the balls fly.
TEST(CoverWindowInAPane, ShowsTheHandsFromThePaneCentreAndTheSpiral) {
    constexpr int paneLeft = 40, paneTop = 40, paneWidth = 152, paneHeight = 112;
    HWND pane = CreateWindowExW(0, L"STATIC", L"preview pane", WS_POPUP | WS_VISIBLE, paneLeft, paneTop, paneWidth,
                                paneHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    display::FrmCover cover([] { return false; });
    plantInPane(cover, pane);
    // Half a second of ticks.
    harness::waitUntil([] { return false; }, 500ms);
    const harness::Screenshot shot = harness::captureScreen();

    RECT client{};
    GetClientRect(reinterpret_cast<HWND>(cover.hWnd()), &client);
    EXPECT_EQ(client.right, paneWidth);
    EXPECT_EQ(client.bottom, paneHeight);
    EXPECT_EQ(cover.BallSpeed, 150);
    EXPECT_EQ(shot.at(paneLeft, paneTop), lightBlue);
    EXPECT_EQ(shot.at(paneLeft + paneWidth - 1, paneTop + paneHeight - 1), lightBlue);
    // The hands start 8 pixels above the middle of the pane.
    const int centreX = paneLeft + paneWidth / 2, centreY = paneTop + paneHeight / 2 - 8;
    EXPECT_TRUE(anyPixel(shot, {centreX - 2, centreY - 2, centreX + 3, centreY + 3},
                         [](std::uint32_t pixel) { return isInkBlack(pixel) || isHandRed(pixel); }));
    EXPECT_TRUE(anyPixel(shot, {paneLeft, paneTop, paneLeft + paneWidth, paneTop + paneHeight}, isBallBlue));

    cover.Unload();
    DestroyWindow(pane);
}

}  // namespace
