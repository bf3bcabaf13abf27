#include <algorithm>
#include <vector>

#include "tests/image_comparison.h"
#include "tests/startup_test_support.h"

namespace startup_test {
namespace {

using host::Monitor;
using host::PixelRect;

Monitor monitor(PixelRect bounds, int dpi, bool primary = false) { return {bounds, bounds, dpi, primary}; }

const Monitor primary = monitor({0, 0, 1920, 1080}, 96, true);

class CoverMonitorsTest : public StartupTest {
protected:
    std::vector<PixelRect> plainCoverRects() {
        std::vector<PixelRect> rects;
        for (headless::Handle cover : headless::plainCoversOf(program.frmCover())) {
            const headless::WindowState& state = headless::window(cover);
            rects.push_back({state.x, state.y, state.x + state.width, state.y + state.height});
        }
        std::sort(rects.begin(), rects.end(), [](const PixelRect& a, const PixelRect& b) {
            return std::tie(a.left, a.top) < std::tie(b.left, b.top);
        });
        return rects;
    }
};

TEST_F(CoverMonitorsTest, EveryMonitorButThePrimaryGetsAPlainCoverOverExactlyItsRectangle) {
    struct Layout {
        const char* name;
        std::vector<Monitor> monitors;
        std::vector<PixelRect> plainCovers;  // sorted by left, then top
    };
    const std::vector<Layout> layouts = {
        {"one", {primary}, {}},
        {"two side by side", {primary, monitor({1920, 0, 3840, 1080}, 96)}, {{1920, 0, 3840, 1080}}},
        {"one left of and above the primary",
         {monitor({-1280, -1024, 0, 0}, 96), primary},
         {{-1280, -1024, 0, 0}}},
        {"three at different DPIs",
         {primary, monitor({1920, 0, 5760, 2160}, 192), monitor({-1600, 200, 0, 1100}, 120)},
         {{-1600, 200, 0, 1100}, {1920, 0, 5760, 2160}}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        headless::setMonitors(layout.monitors);
        run("/S");
        const headless::WindowState& clock = headless::window(program.frmCover().hWnd());
        EXPECT_EQ(PixelRect(clock.x, clock.y, clock.x + clock.width, clock.y + clock.height), primary.bounds);
        EXPECT_EQ(plainCoverRects(), layout.plainCovers);
        for (headless::Handle cover : headless::plainCoversOf(program.frmCover())) {
            const headless::WindowState& state = headless::window(cover);
            EXPECT_TRUE(state.visible && state.topmost);
            EXPECT_EQ(state.style, clock.style) << "borderless, like the clock's own";
            EXPECT_EQ(state.backColor, host::Color::fromRgb(128, 128, 255));
            EXPECT_EQ(state.title, "") << "only the clock carries the instance's mark";
        }
        headless::runMain([this] { program.frmCover().Unload(); });
    }
}

// The system may list the primary monitor anywhere, flag none, or report
// none at all while its displays come and go.
TEST_F(CoverMonitorsTest, TheClockTakesThePrimaryMonitorWhereverTheSystemListsItOrWhenItReportsNone) {
    struct Layout {
        const char* name;
        std::vector<Monitor> monitors;
        PixelRect clock;
    };
    const Monitor unflagged = monitor({0, 0, 1280, 1024}, 120);
    const std::vector<Layout> layouts = {
        {"primary listed second", {monitor({-1280, 0, 0, 1024}, 96), primary}, primary.bounds},
        {"none flagged: the first", {unflagged, monitor({1280, 0, 2560, 1024}, 96)}, unflagged.bounds},
        {"none reported", {}, {}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        headless::setMonitors(layout.monitors);
        run("/S");
        ASSERT_TRUE(program.frmCover().isLoaded());
        const headless::WindowState& clock = headless::window(program.frmCover().hWnd());
        EXPECT_EQ(PixelRect(clock.x, clock.y, clock.x + clock.width, clock.y + clock.height), layout.clock);
        headless::runMain([this] { program.frmCover().Unload(); });
    }

    run("/c");
    ASSERT_TRUE(program.frmConfig().isLoaded());
    const headless::WindowState atDefaultDpi = headless::window(program.frmConfig().hWnd());
    headless::runMain([this] { program.frmConfig().Unload(); });
    headless::setMonitors({});
    run("/c");
    ASSERT_TRUE(program.frmConfig().isLoaded()) << "the settings open with no monitor reported";
    const headless::WindowState& settings = headless::window(program.frmConfig().hWnd());
    EXPECT_EQ(settings.width, atDefaultDpi.width);
    EXPECT_EQ(settings.height, atDefaultDpi.height);
}

TEST_F(CoverMonitorsTest, AClickOnAnyCoverEndsTheProgramAndAllCoversGoTogether) {
    headless::setMonitors({primary, monitor({1920, 0, 3840, 1080}, 96), monitor({-1920, 0, 0, 1080}, 96)});
    run("/S");
    const std::vector<headless::Handle> covers = headless::plainCoversOf(program.frmCover());
    ASSERT_EQ(covers.size(), 2u);

    headless::clickWindow(covers[1]);

    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_EQ(headless::cursorDisplayCount(), 0) << "the cursor comes back";
    for (headless::Handle cover : covers) EXPECT_FALSE(headless::windowExists(cover));
}

TEST_F(CoverMonitorsTest, PlainCoversGoWhenTheClocksCoverIsDestroyedFromOutside) {
    headless::setMonitors({primary, monitor({1920, 0, 3840, 1080}, 96)});
    run("/S");
    const std::vector<headless::Handle> covers = headless::plainCoversOf(program.frmCover());
    ASSERT_EQ(covers.size(), 1u);
    headless::destroyWindow(program.frmCover().hWnd());
    EXPECT_FALSE(headless::windowExists(covers[0]));
}

TEST_F(CoverMonitorsTest, PlainCoversFollowMonitorsAddedRemovedAndResized) {
    headless::setMonitors({primary});
    run("/S");
    EXPECT_TRUE(plainCoverRects().empty());

    headless::changeDisplays({primary, monitor({1920, 0, 3840, 1080}, 96), monitor({0, -900, 1600, 0}, 96)});
    EXPECT_EQ(plainCoverRects(), (std::vector<PixelRect>{{0, -900, 1600, 0}, {1920, 0, 3840, 1080}}));

    headless::changeDisplays({primary, monitor({1920, 0, 4480, 1440}, 120)});
    EXPECT_EQ(plainCoverRects(), (std::vector<PixelRect>{{1920, 0, 4480, 1440}}));

    headless::changeDisplays({primary});
    EXPECT_TRUE(plainCoverRects().empty());
    EXPECT_TRUE(program.frmCover().isLoaded());
}

TEST_F(CoverMonitorsTest, APreviewOpensNothingOnOtherMonitorsEvenWithAClockOnEveryMonitorChosen) {
    for (const char* options : {"", "EveryMonitor=1\r\n"}) {
        SCOPED_TRACE(options);
        SetUp();
        headless::plantFile(host::UserSettingsFolder() / "options.ini", options);
        headless::setMonitors({primary, monitor({1920, 0, 3840, 1080}, 96)});
        const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
        run("/p " + std::to_string(pane));
        headless::changeDisplays({primary, monitor({1920, 0, 3840, 1080}, 96), monitor({-1920, 0, 0, 1080}, 96)});
        EXPECT_TRUE(headless::plainCoversOf(program.frmCover()).empty());
        EXPECT_TRUE(program.frmCover().companions().empty());
        EXPECT_EQ(host::loadedFormCount(), 1);
        TearDown();
    }
}

// With EveryMonitor chosen, each monitor shows a clock of its own, centred on
// it at its DPI, all ticked from one reading of the time.
class EveryMonitorTest : public CoverMonitorsTest {
protected:
    void SetUp() override {
        CoverMonitorsTest::SetUp();
        headless::plantFile(host::UserSettingsFolder() / "options.ini", "EveryMonitor=1\r\n");
    }

    std::vector<const display::FrmCover*> clocks() {
        std::vector<const display::FrmCover*> all{&program.frmCover()};
        for (const auto& companion : program.frmCover().companions()) all.push_back(companion.get());
        return all;
    }

    static PixelRect placeOf(const host::Form& form) {
        const headless::WindowState& state = headless::window(form.hWnd());
        return {state.x, state.y, state.x + state.width, state.y + state.height};
    }

    std::vector<PixelRect> clockRects() {
        std::vector<PixelRect> rects;
        for (const display::FrmCover* clock : clocks()) rects.push_back(placeOf(*clock));
        return rects;
    }
};

TEST_F(EveryMonitorTest, EachMonitorShowsItsOwnClockCentredAtItsDpiTickedByOneReading) {
    const Monitor right = monitor({1920, 0, 5760, 2160}, 192);
    const Monitor left = monitor({-1600, 200, 0, 1100}, 120);
    headless::setMonitors({primary, right, left});
    headless::setTimeOfDay(10 * 3600 + 8 * 60 + 30);
    run("/S");

    EXPECT_EQ(clockRects(), (std::vector<PixelRect>{primary.bounds, right.bounds, left.bounds}));
    EXPECT_TRUE(plainCoverRects().empty()) << "clocks, not plain covers";
    const std::vector<int> dpis = {96, 192, 120};
    for (std::size_t i = 0; i < clocks().size(); ++i) {
        const display::FrmCover& clock = *clocks()[i];
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(clock.scale().twipsPerPixelX, 1440.0f / float(dpis[i]));
        EXPECT_FLOAT_EQ(clock.CenterX, clock.Width() / 2);
        EXPECT_FLOAT_EQ(clock.CenterY, clock.Height() / 2 - 120);
        const headless::WindowState& state = headless::window(clock.hWnd());
        EXPECT_TRUE(state.visible && state.topmost);
        EXPECT_EQ(state.title, i == 0 ? "Zantrelle" : "") << "only the primary's clock carries the instance's mark";
    }

    headless::setTimeOfDay(10 * 3600 + 8 * 60 + 45);
    headless::tick(program.frmCover());
    for (const display::FrmCover* clock : clocks()) {
        const host::Line& second = clock->Line3;
        EXPECT_NEAR(second.X2 - second.X1, -800, 1e-3) << "the second hand at nine, on every clock";
        EXPECT_NEAR(second.Y2 - second.Y1, 0, 1e-3);
        EXPECT_EQ(clock->effect.UBound(), 1) << "one ball released on each clock by the one tick";
    }
}

// A clock over a monitor like the primary shows exactly the primary's picture.
TEST_F(EveryMonitorTest, AClockOnAMonitorLikeThePrimaryShowsThePrimarysPicture) {
    headless::setMonitors({primary, monitor({1920, 0, 3840, 1080}, 96)});
    headless::setTimeOfDay(10 * 3600 + 8 * 60 + 30);
    run("/S");
    for (int i = 0; i < 20; ++i) headless::tick(program.frmCover());
    ASSERT_EQ(program.frmCover().companions().size(), 1u);
    display::FrmCover& companion = *program.frmCover().companions()[0];
    const host::render::Image primaryFrame = headless::renderFrame(program.frmCover());
    EXPECT_EQ(test_support::compareImages(headless::renderFrame(companion), primaryFrame), std::nullopt);
}

TEST_F(EveryMonitorTest, ClocksFollowMonitorsAndAClickOnAnyEndsThemAll) {
    headless::setMonitors({primary});
    run("/S");
    EXPECT_EQ(clockRects(), std::vector<PixelRect>{primary.bounds});

    const Monitor above = monitor({0, -900, 1600, 0}, 96);
    headless::changeDisplays({primary, monitor({1920, 0, 3840, 1080}, 96), above});
    EXPECT_EQ(clockRects(), (std::vector<PixelRect>{primary.bounds, {1920, 0, 3840, 1080}, above.bounds}));

    const Monitor resized = monitor({1920, 0, 4480, 1440}, 120);
    headless::changeDisplays({primary, resized});
    EXPECT_EQ(clockRects(), (std::vector<PixelRect>{primary.bounds, resized.bounds}));
    const display::FrmCover& companion = *program.frmCover().companions()[0];
    EXPECT_FLOAT_EQ(companion.scale().twipsPerPixelX, 12.0f);
    EXPECT_FLOAT_EQ(companion.CenterX, companion.Width() / 2) << "re-centred on the changed monitor";
    EXPECT_TRUE(plainCoverRects().empty());

    const headless::Handle other = companion.hWnd();
    const headless::Handle clock = program.frmCover().hWnd();
    headless::clickWindow(other);
    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::cursorDisplayCount(), 0) << "the cursor comes back once";
    EXPECT_FALSE(headless::windowExists(other));
    EXPECT_FALSE(headless::windowExists(clock));
}

}  // namespace
}  // namespace startup_test
