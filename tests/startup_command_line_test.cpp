#include "tests/startup_test_support.h"

namespace startup_test {
namespace {

enum class Opened { FullScreen, Settings, SettingsOwnedByThePane, Preview };

struct Row {
    const char* commandLine;  // "<pane>" stands for the preview pane's handle
    startup::RunMode mode;
    Opened opened;
};

std::string withPane(std::string text, headless::Handle pane) {
    const auto at = text.find("<pane>");
    if (at != std::string::npos) text.replace(at, 6, std::to_string(pane));
    return text;
}

class CommandLineTest : public StartupTest, public ::testing::WithParamInterface<Row> {};

TEST_P(CommandLineTest, ChoosesTheModeAndOpensItsWindow) {
    const headless::Handle pane = headless::addForeignWindow("pane", 152, 112);
    const headless::Outcome outcome = run(withPane(GetParam().commandLine, pane));

    EXPECT_FALSE(outcome.errorBox.has_value());
    EXPECT_EQ(program.ActiveMode, GetParam().mode);
    display::FrmCover& cover = program.frmCover();
    settings::FrmConfig& config = program.frmConfig();

    switch (GetParam().opened) {
    case Opened::FullScreen:
        ASSERT_TRUE(cover.isLoaded());
        EXPECT_FALSE(config.isLoaded());
        EXPECT_TRUE(headless::window(cover.hWnd()).visible);
        EXPECT_EQ(headless::window(cover.hWnd()).parent, 0);
        EXPECT_EQ(headless::cursorDisplayCount(), -1);
        break;
    case Opened::Settings:
    case Opened::SettingsOwnedByThePane:
        ASSERT_TRUE(config.isLoaded());
        EXPECT_FALSE(cover.isLoaded());
        EXPECT_TRUE(headless::window(config.hWnd()).visible);
        EXPECT_EQ(headless::window(config.hWnd()).owner, GetParam().opened == Opened::Settings ? 0 : pane);
        EXPECT_EQ(headless::window(config.hWnd()).parent, 0);
        EXPECT_EQ(headless::cursorDisplayCount(), 0);
        EXPECT_EQ(callCount("ShowCursor"), 0);
        break;
    case Opened::Preview:
        ASSERT_TRUE(cover.isLoaded());
        EXPECT_FALSE(config.isLoaded());
        EXPECT_EQ(headless::window(cover.hWnd()).parent, pane);
        EXPECT_EQ(headless::cursorDisplayCount(), 0);
        break;
    }
}

using startup::ModeConfigure;
using startup::ModePreview;
using startup::ModeSaver;

INSTANTIATE_TEST_SUITE_P(EveryRow, CommandLineTest,
                         ::testing::Values(Row{"/s", ModeSaver, Opened::FullScreen},
                                           Row{"/S", ModeSaver, Opened::FullScreen},
                                           Row{"  /S  ", ModeSaver, Opened::FullScreen},
                                           Row{"/S1", ModeSaver, Opened::FullScreen},
                                           Row{"", ModeSaver, Opened::FullScreen},
                                           Row{"/", ModeSaver, Opened::FullScreen},
                                           Row{"s", ModeSaver, Opened::FullScreen},
                                           Row{"/x", ModeSaver, Opened::FullScreen},
                                           Row{"-s", ModeSaver, Opened::FullScreen},
                                           Row{"-c", ModeSaver, Opened::FullScreen},
                                           Row{"-p <pane>", ModeSaver, Opened::FullScreen},
                                           Row{"/c", ModeConfigure, Opened::Settings},
                                           Row{"/C", ModeConfigure, Opened::Settings},
                                           Row{"   /C", ModeConfigure, Opened::Settings},
                                           Row{"/c:<pane>", ModeConfigure, Opened::SettingsOwnedByThePane},
                                           Row{"/C <pane>", ModeConfigure, Opened::SettingsOwnedByThePane},
                                           Row{"/CX", ModeConfigure, Opened::Settings},
                                           Row{"/p <pane>", ModePreview, Opened::Preview},
                                           Row{"/P<pane>", ModePreview, Opened::Preview},
                                           Row{"/P:<pane>", ModePreview, Opened::Preview}));

TEST_F(StartupTest, FullScreenHidesTheCursorOnceAndAClickBringsItBack) {
    run("/S");
    EXPECT_EQ(callCount("ShowCursor"), 1);
    ASSERT_EQ(headless::calls().back().name, "ShowCursor");
    EXPECT_EQ(headless::calls().back().args, std::vector<std::int64_t>{0});
    EXPECT_EQ(headless::cursorDisplayCount(), -1);

    headless::click(program.frmCover());

    EXPECT_EQ(headless::cursorDisplayCount(), 0);
    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_FALSE(program.frmCover().isLoaded());
}

TEST_F(StartupTest, SettingsModeLeavesTheCoverWindowAndTheCursorAlone) {
    run("/c");
    headless::runMain([this] { program.frmConfig().Unload(); });

    EXPECT_TRUE(headless::outcome().ended);
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_FALSE(program.frmCover().isLoaded());
    EXPECT_EQ(callCount("ShowCursor"), 0);
}

}  // namespace
}  // namespace startup_test
