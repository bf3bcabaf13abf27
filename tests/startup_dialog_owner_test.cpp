#include <optional>
#include <string>

#include "host/backend/user32.h"
#include "tests/startup_test_support.h"

namespace startup_test {
namespace {

TEST(DialogOwnerHandleTest, IsTheNumberThatEndsTheTextOrNone) {
    struct Case {
        std::string text;
        std::optional<std::int32_t> handle;
    };
    for (const Case& c : {Case{"/C", std::nullopt}, Case{"/C:", std::nullopt}, Case{"/C:ABC", std::nullopt},
                          Case{"/C:123", 123}, Case{"/C 123", 123}, Case{"/C:00042", 42},
                          Case{"/C:2147483647", 2147483647}, Case{"/C:2147483648", std::nullopt},
                          Case{"/C:99999999999999999999", std::nullopt}, Case{"/C:-5", 5}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(startup::DialogOwnerHandle(c.text), c.handle);
    }
}

class DialogOwnerTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        headless::setScreenPixels(1280, 800);
        page = headless::addForeignWindow("Screen Saver Settings", 400, 300);
        headless::moveForeignWindow(page, 100, 100);
    }

    const headless::WindowState& dialogWindow() { return headless::window(program.frmConfig().hWnd()); }

    headless::Handle page = 0;
};

TEST_F(DialogOwnerTest, AWindowThatIsNoOwnerLeavesTheDialogFreeStandingAndIsNoError) {
    const std::string beyondRange = "/c:" + std::to_string(2147483648LL);
    for (const std::string& commandLine : {std::string("/c"), std::string("/c:"), std::string("/c:abc"),
                                           std::string("/c:123"), beyondRange}) {
        SCOPED_TRACE(commandLine);
        const headless::Outcome outcome = run(commandLine);
        EXPECT_FALSE(outcome.errorBox.has_value());
        ASSERT_TRUE(program.frmConfig().isLoaded());
        EXPECT_TRUE(dialogWindow().visible);
        EXPECT_EQ(dialogWindow().owner, 0);
        EXPECT_TRUE(headless::window(page).enabled);
        headless::runMain([this] { program.frmConfig().Unload(); });
    }
}

TEST_F(DialogOwnerTest, TheAskingWindowsTopLevelWindowOwnsTheDialogAndWaitsForIt) {
    // The page names one of its child windows: the owner is the page itself.
    const headless::Handle button = headless::addForeignWindow("Settings...", 80, 24);
    host::user32::SetParent(button, page);
    run("/c:" + std::to_string(button));

    EXPECT_EQ(dialogWindow().owner, page);
    EXPECT_TRUE(dialogWindow().active);
    EXPECT_FALSE(headless::window(page).enabled) << "modal to the page while it is open";

    headless::runMain([this] { program.frmConfig().cmdCancel.onClick(); });
    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_TRUE(headless::window(page).enabled);
    EXPECT_TRUE(headless::window(page).active) << "the focus goes back to the page";
}

TEST_F(DialogOwnerTest, OkAndTheCloseBoxGiveThePageBackAsWell) {
    run("/C " + std::to_string(page));
    headless::runMain([this] { program.frmConfig().cmdOk.onClick(); });
    EXPECT_TRUE(headless::window(page).enabled);
    EXPECT_TRUE(headless::window(page).active);

    run("/c:" + std::to_string(page));
    EXPECT_FALSE(headless::window(page).enabled);
    headless::runMain([this] { program.frmConfig().Unload(); });
    EXPECT_TRUE(headless::window(page).enabled);
}

// The dialog goes over its owner, on the owner's monitor, at that monitor's
// DPI, and stays inside the monitor's work area (short of its taskbar).
TEST_F(DialogOwnerTest, TheDialogIsCentredOverItsOwnerInsideTheWorkAreaOfItsMonitor) {
    const host::Monitor primary{{0, 0, 1280, 800}, {0, 0, 1280, 760}, 96, true};
    const host::Monitor right{{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}, 144, false};
    const host::Monitor left{{-1024, 0, 0, 768}, {-1024, 0, 0, 728}, 96, false};
    headless::setMonitors({primary, right, left});
    struct Case {
        const char* name;
        int x, y;  // the page's top left; it is 400 x 300
        host::Monitor monitor;
        bool centred;  // false: pushed inside the work area
    };
    for (const Case& c : {Case{"OnThePrimary", 100, 100, primary, true},
                          Case{"OnAMonitorOfMoreDpi", 1800, 300, right, true},
                          Case{"OverTheTaskbarThere", 2900, 850, right, false},
                          Case{"LeftOfThePrimary", -1100, 200, left, false}}) {
        SCOPED_TRACE(c.name);
        headless::moveForeignWindow(page, c.x, c.y);
        run("/c:" + std::to_string(page));
        const headless::WindowState& dialog = dialogWindow();
        const host::PixelRect& work = c.monitor.workArea;
        EXPECT_GE(dialog.x, work.left);
        EXPECT_GE(dialog.y, work.top);
        EXPECT_LE(dialog.x + dialog.width, work.right);
        EXPECT_LE(dialog.y + dialog.height, work.bottom);
        if (c.centred) {
            EXPECT_NEAR(dialog.x + dialog.width / 2.0, c.x + 200, 1);
            EXPECT_NEAR(dialog.y + dialog.height / 2.0, c.y + 150, 1);
        }
        const int designWidth = 3615 * c.monitor.dpi / 1440;
        EXPECT_GE(dialog.width, designWidth) << "sized at its monitor's DPI";
        EXPECT_LT(dialog.width, designWidth * 3 / 2);
        headless::runMain([this] { program.frmConfig().Unload(); });
    }
}

}  // namespace
}  // namespace startup_test
