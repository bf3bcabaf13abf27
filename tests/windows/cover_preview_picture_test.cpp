// The cover window's picture inside a preview pane. Wine shows no other
// process's child window on screen, so the cover window is made and planted
// in this process, by the very function start-up calls.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cover_screen.h"
#include "display/frm_cover.h"
#include "harness.h"
#include "startup/sub_main.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;
using namespace cover_screen;

constexpr int paneLeft = 40, paneTop = 40, paneWidth = 152, paneHeight = 112;
// The hands start 8 pixels above the middle of the pane.
constexpr int centreX = paneLeft + paneWidth / 2, centreY = paneTop + paneHeight / 2 - 8;

bool handsAtTheCentre(const harness::Screenshot& shot) {
    return anyPixel(shot, {centreX - 2, centreY - 2, centreX + 3, centreY + 3},
                    [](std::uint32_t pixel) { return isInkBlack(pixel) || isHandRed(pixel); });
}

bool ballsInThePane(const harness::Screenshot& shot) {
    return anyPixel(shot, {paneLeft, paneTop, paneLeft + paneWidth, paneTop + paneHeight}, isBallBlue);
}

// A pane of this program's, with the cover window planted in it by the
// function start-up calls.
class CoverWindowInAPane : public ::testing::Test {
protected:
    void SetUp() override {
        pane = CreateWindowExW(0, L"STATIC", L"preview pane", WS_POPUP | WS_VISIBLE, paneLeft, paneTop, paneWidth,
                               paneHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        startup::EmbedInPreview(cover, "/P " + std::to_string(reinterpret_cast<std::uintptr_t>(pane)));
    }
    void TearDown() override {
        cover.Unload();
        DestroyWindow(pane);
    }

    harness::UserSettings noSettings;
    HWND pane = nullptr;
    display::FrmCover cover{[] { return false; }};
};

// Shown only by SetWindowPos, the cover window is still activated: the dial
// centre is the pane's, the settings are read, and the balls fly.
TEST_F(CoverWindowInAPane, ShowsTheHandsFromThePaneCentreAndTheSpiral) {
    // The ticks come through this program's messages, which the wait handles.
    harness::Screenshot shot;
    EXPECT_TRUE(harness::waitUntil(
        [&] {
            shot = harness::captureScreen();
            return handsAtTheCentre(shot) && ballsInThePane(shot);
        },
        10s))
        << "no hands at the pane's centre and balls in the pane together";

    RECT client{};
    GetClientRect(reinterpret_cast<HWND>(cover.hWnd()), &client);
    EXPECT_EQ(client.right, paneWidth);
    EXPECT_EQ(client.bottom, paneHeight);
    EXPECT_EQ(cover.BallSpeed, 150);
    EXPECT_EQ(shot.at(paneLeft, paneTop), lightBlue);
    EXPECT_EQ(shot.at(paneLeft + paneWidth - 1, paneTop + paneHeight - 1), lightBlue);
}

// The settings page lays itself out anew: the picture follows its pane,
// about the pane's new centre.
TEST_F(CoverWindowInAPane, FollowsThePaneWhenItIsResized) {
    const HWND planted = reinterpret_cast<HWND>(cover.hWnd());

    constexpr int wider = 200, taller = 150;
    SetWindowPos(pane, nullptr, 0, 0, wider, taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    EXPECT_TRUE(harness::waitUntil(
        [&] {
            GetClientRect(planted, &client);
            return client.right == wider && client.bottom == taller;
        },
        5s))
        << "the picture stayed " << client.right << " x " << client.bottom;
    EXPECT_FLOAT_EQ(cover.CenterX, wider * 15 / 2.0f);
    EXPECT_FLOAT_EQ(cover.CenterY, taller * 15 / 2.0f - 120);
}

}  // namespace
