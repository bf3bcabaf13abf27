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

TEST_F(DialogOwnerTest, TheDialogIsCentredOverItsOwnerInsideTheWorkArea) {
    run("/c:" + std::to_string(page));
    // 241 x 131 over a 400 x 300 page at (100, 100).
    EXPECT_EQ(dialogWindow().x, 100 + (400 - 241) / 2);
    EXPECT_EQ(dialogWindow().y, 100 + (300 - 131) / 2);
    headless::runMain([this] { program.frmConfig().Unload(); });

    // A page hanging over the bottom right of a second monitor whose work
    // area stops short of its taskbar: the dialog stays inside that area.
    headless::setMonitors({{{0, 0, 1280, 800}, {0, 0, 1280, 760}, 96, true},
                           {{1280, 0, 2560, 800}, {1280, 0, 2560, 760}, 96, false}});
    headless::moveForeignWindow(page, 2400, 700);
    run("/c:" + std::to_string(page));
    EXPECT_EQ(dialogWindow().x, 2560 - 241);
    EXPECT_EQ(dialogWindow().y, 760 - 131);
}

}  // namespace
}  // namespace startup_test
