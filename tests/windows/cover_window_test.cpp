// The screen saver's full-screen window, looked at from outside as a user
// would see it: its place and style, a click that ends it, and keys and
// mouse moves that do not, unless the user chose so.

#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <functional>
#include <string>

#include "cover_screen.h"
#include "harness.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;
using cover_screen::FullScreenRun;

TEST(CoverWindow, CoversTheScreenBorderlessAndLightBlueAndEndsOnAClick) {
    harness::TempDir directory;
    FullScreenRun run(L"/S", directory.path());
    ASSERT_NE(run.window, nullptr) << "no window appeared";
    ASSERT_TRUE(run.painted) << "the screen's corners never turned light blue";

    EXPECT_TRUE(cover_screen::coversScreen(run.window));
    const LONG style = GetWindowLongW(run.window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    const LONG extendedStyle = GetWindowLongW(run.window, GWL_EXSTYLE);
    EXPECT_TRUE(extendedStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(extendedStyle & WS_EX_TOOLWINDOW) << "a screen saver has no taskbar button";
    EXPECT_EQ(harness::titleOf(run.window), L"Zantrelle");

    harness::clickAt(300, 200);
    EXPECT_EQ(run.saver.waitForExit(5s), std::optional<DWORD>(0));
}

// The window takes its timer ticks only once no input waits in its queue:
// frames painted after the input show that it was handled (a frame under
// way as the input came is allowed for). Input that ended the program would
// have taken the window with it, so a window that still answers after those
// frames was not ended.
TEST(CoverWindow, KeysAndMouseMovesDoNotEndIt) {
    FullScreenRun run(L"/S");
    ASSERT_TRUE(run.painted);
    ASSERT_TRUE(harness::activate(run.window)) << "keys would go to another window";
    harness::pressKey(VK_SPACE);
    harness::moveMouseTo(100, 100);
    harness::moveMouseTo(700, 500);
    EXPECT_TRUE(harness::waitForScreenChanges(3)) << "no frames painted after the input";
    EXPECT_TRUE(harness::postAndWaitUntilHandled(run.window, {})) << "the window went away";
    EXPECT_TRUE(run.saver.running());
}

// The pointer rests at (300, 200) as the clock starts; the window appears
// under it, which is no move.
TEST(CoverWindow, WithAnyInputChosenAKeyAButtonOrAMovePastAJitterEndsIt) {
    harness::UserSettings settings;
    std::filesystem::create_directories(settings.folder());
    harness::writeFile(settings.folder() / "options.ini", "AnyInputEnds=1\r\n");
    struct Case {
        const char* name;
        std::function<void()> input;
        bool ends;
    };
    const Case cases[] = {
        {"a key", [] { harness::pressKey(VK_SPACE); }, true},
        {"the right button", [] { harness::clickAt(300, 200, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }, true},
        {"a jitter",
         [] {
             harness::moveMouseTo(303, 202);
             harness::moveMouseTo(298, 198);
         },
         false},
        {"a move", [] { harness::moveMouseTo(320, 200); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        harness::moveMouseTo(300, 200);
        FullScreenRun run(L"/S");
        ASSERT_TRUE(run.painted);
        ASSERT_TRUE(harness::activate(run.window)) << "keys would go to another window";
        c.input();
        if (c.ends) {
            EXPECT_EQ(run.saver.waitForExit(5s), std::optional<DWORD>(0));
            continue;
        }
        EXPECT_TRUE(harness::waitForScreenChanges(3)) << "no frames painted after the input";
        EXPECT_TRUE(harness::postAndWaitUntilHandled(run.window, {})) << "the window went away";
        EXPECT_TRUE(run.saver.running());
        run.saver.kill();
    }
}

TEST(CoverWindow, UnrecognisedSwitchesRunFullScreen) {
    for (const wchar_t* arguments : {L"-s", L"/"}) {
        SCOPED_TRACE(testing::Message() << "switch " << std::string(arguments, arguments + std::wcslen(arguments)));
        FullScreenRun run(arguments);
        ASSERT_NE(run.window, nullptr);
        EXPECT_TRUE(run.painted);
        EXPECT_TRUE(cover_screen::coversScreen(run.window));
        run.saver.kill();
    }
}

}  // namespace
