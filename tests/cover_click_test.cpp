#include "host/backend/user32.h"
#include "tests/cover_test_support.h"

namespace cover_test {
namespace {

using CoverClickTest = CoverTest;

TEST_F(CoverClickTest, InSaverModeUnloadsEndsAndShowsTheCursor) {
    show();
    host::user32::ShowCursor(false);  // as start-up does
    headless::click(cover);

    EXPECT_FALSE(cover.isLoaded());
    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
    EXPECT_EQ(headless::cursorDisplayCount(), 0);
}

TEST_F(CoverClickTest, InPreviewModeLeavesTheCursorAlone) {
    mode = startup::ModePreview;
    show();
    headless::click(cover);

    EXPECT_FALSE(cover.isLoaded());
    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_EQ(headless::cursorDisplayCount(), 0);
    for (const auto& call : headless::calls()) EXPECT_NE(call.name, "ShowCursor");
}

}  // namespace
}  // namespace cover_test
