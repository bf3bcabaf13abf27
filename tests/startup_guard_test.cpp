#include "host/backend/window_classes.h"
#include "tests/startup_test_support.h"

namespace startup_test {
namespace {

using GuardTest = StartupTest;

TEST_F(GuardTest, AnInstanceStartedAloneMarksItsCoverWindow) {
    run("/S");
    ASSERT_TRUE(program.frmCover().isLoaded());
    EXPECT_EQ(headless::window(program.frmCover().hWnd()).title, "Zantrelle");
}

// Only another instance's full-screen cover ends this start: not its preview
// or its settings, nor a folder window that carries the program's name.
TEST_F(GuardTest, OnlyAnotherInstancesCoverEndsAFullScreenStart) {
    struct Other {
        const char* title;
        const char* className;
        bool ends;
    };
    const Other others[] = {
        {"Zantrelle", host::backend::paintedWindowClass, true},
        {"Zantrelle", "CabinetWClass", false},
        {"Preview", host::backend::paintedWindowClass, false},
        {"Settings...", host::backend::dialogWindowClass, false},
    };
    for (const Other& other : others) {
        SCOPED_TRACE(std::string(other.title) + " of class " + other.className);
        host::startFreshProgram();
        startup::SubMain fullScreen;
        headless::setPreviousInstanceRunning(true);
        headless::addForeignWindow(other.title, 640, 480, other.className);
        headless::setCommandLine("/S");

        const headless::Outcome outcome = headless::runMain([&fullScreen] { fullScreen.Main(); });

        EXPECT_EQ(outcome.ended, other.ends);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_FALSE(outcome.errorBox.has_value());
        EXPECT_FALSE(headless::holdsInstanceTurn());
        if (other.ends) {
            EXPECT_EQ(host::loadedFormCount(), 0) << "nothing shows";
            EXPECT_EQ(headless::cursorDisplayCount(), 0);
            continue;
        }
        ASSERT_TRUE(fullScreen.frmCover().isLoaded());
        EXPECT_EQ(headless::window(fullScreen.frmCover().hWnd()).title, "Zantrelle");
        EXPECT_EQ(headless::cursorDisplayCount(), -1);
        headless::runMain([&fullScreen] { fullScreen.frmCover().Unload(); });
    }
}

// Two full-screen instances on one machine: the first, started alone, marks
// its window too, so the second finds it and ends.
TEST_F(GuardTest, ASecondFullScreenInstanceEndsWhileTheFirstRuns) {
    run("/S");
    ASSERT_TRUE(program.frmCover().isLoaded());

    startup::SubMain second;
    headless::setPreviousInstanceRunning(true);
    const headless::Outcome outcome = headless::runMain([&second] { second.Main(); });

    EXPECT_TRUE(outcome.ended);
    EXPECT_FALSE(second.frmCover().isLoaded());
    EXPECT_EQ(headless::cursorDisplayCount(), -1);  // hidden by the first only
}

// A full-screen instance started while a preview runs passes its guard.
TEST_F(GuardTest, ARunningPreviewDoesNotBlockAFullScreenStart) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    run("/P " + std::to_string(pane));
    ASSERT_EQ(headless::window(program.frmCover().hWnd()).title, "Preview");

    startup::SubMain fullScreen;
    headless::setPreviousInstanceRunning(true);
    headless::setCommandLine("/S");
    const headless::Outcome outcome = headless::runMain([&fullScreen] { fullScreen.Main(); });

    EXPECT_FALSE(outcome.ended);
    ASSERT_TRUE(fullScreen.frmCover().isLoaded());
    EXPECT_EQ(headless::window(fullScreen.frmCover().hWnd()).title, "Zantrelle");
    headless::runMain([&fullScreen] { fullScreen.frmCover().Unload(); });
}

// Instances started at the same moment take turns from the search for a
// marked window to the creation of their own, so only one finds none.
TEST_F(GuardTest, LooksAndMarksInOneTurnAmongInstancesStartedTogether) {
    headless::setPreviousInstanceRunning(true);
    run("/S");
    ASSERT_EQ(callNames(), (std::vector<std::string>{"FindWindowA", "ShowCursor"}));
    EXPECT_TRUE(headless::calls()[0].duringInstanceTurn) << "the search";
    EXPECT_TRUE(headless::window(program.frmCover().hWnd()).createdDuringInstanceTurn) << "the marked window";
    EXPECT_FALSE(headless::calls()[1].duringInstanceTurn) << "the turn is over once the mark is made";
    EXPECT_FALSE(headless::holdsInstanceTurn());
}

}  // namespace
}  // namespace startup_test
