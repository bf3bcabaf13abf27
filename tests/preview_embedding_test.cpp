#include "tests/startup_test_support.h"

#include "host/backend/user32.h"

namespace startup_test {
namespace {

namespace user32 = host::user32;

class PreviewTest : public StartupTest {
protected:
    headless::Outcome embedIn(headless::Handle pane) { return run("/p " + std::to_string(pane)); }

    headless::Handle cover() { return program.frmCover().hWnd(); }
};

std::string call(const std::string& name, const std::vector<std::int64_t>& args) {
    std::string text = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) text += (i ? ", " : "") + std::to_string(args[i]);
    return text + ")";
}

std::vector<std::string> recordedCalls() {
    std::vector<std::string> calls;
    for (const auto& recorded : headless::calls()) calls.push_back(call(recorded.name, recorded.args));
    return calls;
}

std::vector<std::string> embeddingCalls(headless::Handle pane, headless::Handle cover, std::int32_t coverStyle,
                                        int width, int height) {
    return {
        call("IsWindow", {pane}),
        call("GetClientRect", {pane}),
        call("GetWindowLongA", {cover, user32::GWL_STYLE}),
        call("SetWindowLongA", {cover, user32::GWL_STYLE, coverStyle | user32::WS_CHILD}),
        call("SetParent", {cover, pane}),
        call("SetWindowLongA", {cover, user32::GWL_HWNDPARENT, pane}),
        call("SetWindowPos", {cover, user32::HWND_TOP, 0, 0, width, height, 0x54}),
        call("IsWindow", {pane}),
    };
}

TEST_F(PreviewTest, PlantsTheCoverWindowInThePaneInOrder) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    headless::setPreviousInstanceRunning(true);  // no guard runs in preview
    headless::addForeignWindow("Zantrelle", 640, 480);

    const headless::Outcome outcome = embedIn(pane);

    ASSERT_FALSE(outcome.ended);
    ASSERT_TRUE(program.frmCover().isLoaded());
    const std::int32_t designStyle = headless::window(cover()).style & ~user32::WS_CHILD;
    EXPECT_EQ(recordedCalls(), embeddingCalls(pane, cover(), designStyle, 152, 112));

    const headless::WindowState& planted = headless::window(cover());
    EXPECT_EQ(planted.title, "Preview");
    EXPECT_EQ(planted.style, designStyle | user32::WS_CHILD);
    EXPECT_EQ(planted.parent, pane);
    EXPECT_EQ(planted.owner, pane);
    EXPECT_EQ(planted.x, 0);
    EXPECT_EQ(planted.y, 0);
    EXPECT_EQ(planted.width, 152);
    EXPECT_EQ(planted.height, 112);
    EXPECT_TRUE(planted.visible);
    EXPECT_FALSE(planted.active);
    EXPECT_EQ(headless::cursorDisplayCount(), 0);

    // The pane is only asked and named, never changed.
    EXPECT_EQ(headless::window(pane).width, 152);
    EXPECT_EQ(headless::window(pane).parent, 0);
}

TEST_F(PreviewTest, APaneWithNoClientAreaGivesAnEmptyCoverWindow) {
    const headless::Handle pane = headless::addForeignWindow("pane", 0, 0);
    embedIn(pane);
    ASSERT_TRUE(program.frmCover().isLoaded());
    const auto calls = recordedCalls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], call("SetWindowPos", {cover(), 0, 0, 0, 0, 0, 0x54}));
}

// Shown inside the pane, the cover window is activated once, so it has its
// settings and its centre before the first tick.
TEST_F(PreviewTest, TheFirstShowingActivatesTheCoverWindow) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    embedIn(pane);

    const display::FrmCover& form = program.frmCover();
    EXPECT_EQ(form.BallSpeed, 150);
    EXPECT_EQ(form.BallGap, 5);
    EXPECT_FLOAT_EQ(form.CenterX, 152 * 15 / 2.0f);
    EXPECT_FLOAT_EQ(form.CenterY, 112 * 15 / 2.0f - 120);
}

// The settings page lays itself out anew: the picture follows its pane, the
// dial about the pane's new centre, and goes on where it was.
TEST_F(PreviewTest, ThePreviewFollowsItsPane) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    embedIn(pane);
    const display::FrmCover& form = program.frmCover();
    headless::tick(program.frmCover());

    headless::resizeForeignWindow(pane, 200, 150);

    EXPECT_EQ(headless::window(cover()).width, 200);
    EXPECT_EQ(headless::window(cover()).height, 150);
    EXPECT_FLOAT_EQ(form.CenterX, 200 * 15 / 2.0f);
    EXPECT_FLOAT_EQ(form.CenterY, 150 * 15 / 2.0f - 120);
    EXPECT_EQ(headless::renderFrame(program.frmCover()).width(), 200);
    EXPECT_EQ(form.EmitAngle, 10) << "no new activation";
}

TEST_F(PreviewTest, AHandleThatIsNoWindowEndsAtOnceWithoutAWindow) {
    const headless::Outcome outcome = run("/P 123");

    EXPECT_TRUE(outcome.ended);
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.errorBox.has_value());
    EXPECT_EQ(recordedCalls(), std::vector<std::string>{call("IsWindow", {123})});
    EXPECT_FALSE(program.frmCover().isLoaded());
    EXPECT_EQ(host::loadedFormCount(), 0);
}

TEST_F(PreviewTest, AClickOnThePreviewDoesNotEndIt) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    embedIn(pane);

    headless::click(program.frmCover());

    EXPECT_FALSE(headless::outcome().ended);
    EXPECT_TRUE(program.frmCover().isLoaded());
}

TEST_F(PreviewTest, DestroyingThePaneEndsTheProgramAndLeavesTheCursor) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    embedIn(pane);
    ASSERT_TRUE(program.frmCover().isLoaded());

    headless::destroyWindow(pane);

    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_FALSE(program.frmCover().isLoaded());
    EXPECT_EQ(callCount("ShowCursor"), 0);
    EXPECT_EQ(headless::cursorDisplayCount(), 0);
}

}  // namespace
}  // namespace startup_test
