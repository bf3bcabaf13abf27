#include <algorithm>
#include <string>
#include <vector>

#include "host/app.h"
#include "host/dialog_order.h"
#include "settings/frm_config.h"
#include "tests/settings_test_support.h"

namespace settings_test {
namespace {

class ConfigDialogTest : public SettingsDirectoryTest {
protected:
    void TearDown() override {
        if (dialog.isLoaded()) headless::runMain([this] { dialog.Unload(); });
        SettingsDirectoryTest::TearDown();
    }

    headless::Outcome open() {
        return headless::runMain([this] { dialog.Show(); });
    }

    headless::Outcome press(host::CommandButton& button) {
        return headless::runMain([&button] { button.onClick(); });
    }

    settings::FrmConfig dialog;
};

TEST_F(ConfigDialogTest, IsASmallToolWindowWhoseBarsComeJustAfterTheLabelsNamingThem) {
    open();
    EXPECT_EQ(dialog.design().name, "frmConfig");
    EXPECT_EQ(dialog.design().border, host::BorderStyle::FixedToolWindow);
    EXPECT_FALSE(dialog.design().showInTaskbar);
    EXPECT_TRUE(dialog.design().font.name.empty()) << "the host's default dialog font";
    const headless::WindowState& window = headless::window(dialog.hWnd());
    EXPECT_EQ(window.title, "Settings...");
    EXPECT_EQ(window.width, 241);
    EXPECT_EQ(window.height, 131);

    // Labels take no focus: the focus goes speed bar, gap bar, Cancel, Ok.
    // Each bar comes just after the label that names it; the band is painted.
    const host::DialogOrder order = host::dialogOrder(dialog.labels(), dialog.scrollBars(), dialog.buttons());
    const std::vector<host::DialogControl> expected{&dialog.Label2, &dialog.HScroll2, &dialog.Label1,
                                                    &dialog.HScroll1, &dialog.cmdCancel, &dialog.cmdOk};
    EXPECT_EQ(order.controls, expected);
    EXPECT_EQ(order.painted, (std::vector<const host::Label*>{&dialog.Label3}));
    EXPECT_TRUE(dialog.cmdOk.Default && !dialog.cmdOk.Cancel);
    EXPECT_TRUE(dialog.cmdCancel.Cancel && !dialog.cmdCancel.Default);
}

struct LoadCase {
    const char* name;
    std::string bytes;  // empty: no file at all
    int gap;
    int speed;
};

class DialogLoadTest : public ConfigDialogTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(DialogLoadTest, SetsEachBarFromTheFileOrLeavesItsDesignValue) {
    if (!GetParam().bytes.empty()) plantSettings(GetParam().bytes);
    const headless::Outcome outcome = open();
    EXPECT_FALSE(outcome.ended);
    EXPECT_FALSE(outcome.errorBox.has_value());
    EXPECT_EQ(dialog.HScroll1.Value(), GetParam().gap);
    EXPECT_EQ(dialog.HScroll2.Value(), GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DialogLoadTest,
    testing::Values(LoadCase{"NoFile", "", 5, 150},
                    LoadCase{"GapAboveItsRange", "50\r\n300\r\n", 1, 300},
                    LoadCase{"SpeedAboveItsRange", "8\r\n601\r\n", 8, 100},
                    LoadCase{"SpeedBelowItsRange", "8\r\n99\r\n", 8, 100},
                    LoadCase{"HalvesToEven", "7.5\r\n250.5\r\n", 8, 250},
                    LoadCase{"HalvesToEvenAtTheTop", "20.5\r\n600.5\r\n", 20, 600},
                    LoadCase{"GapIsText", "fast\r\n300\r\n", 1, 300},
                    LoadCase{"BothOnOneLine", "7,300\r\n", 7, 300},
                    LoadCase{"OnlyTheGap", "12\r\n", 12, 150},
                    LoadCase{"BlankGap", "\r\n300\r\n", 5, 300},
                    LoadCase{"ZeroIsANumberBelowBothRanges", "0\r\n0\r\n", 1, 100},
                    LoadCase{"BeyondSixteenBits", "40000\r\n-40000\r\n", 1, 100},
                    LoadCase{"QuotedNumbers", "\"9\"\r\n\" 250 \"\r\n", 9, 250}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST_F(ConfigDialogTest, OkWritesTheBarsAndEndsTheProgram) {
    open();
    EXPECT_EQ(press(dialog.cmdOk).exitCode, 0);
    EXPECT_EQ(settingsBytes(), "5\r\n150\r\n");
    EXPECT_FALSE(dialog.isLoaded());
    const headless::Outcome outcome = headless::outcome();
    EXPECT_TRUE(outcome.ended);
    EXPECT_FALSE(outcome.errorBox.has_value());
}

TEST_F(ConfigDialogTest, OkWritesWhereTheUserMovedTheThumbs) {
    plantSettings("50\r\n601\r\n");
    open();
    dialog.HScroll2.userMovedTo(152);
    dialog.HScroll1.userMovedTo(6);
    press(dialog.cmdOk);
    EXPECT_EQ(settingsBytes(), "6\r\n152\r\n");
}

TEST_F(ConfigDialogTest, CancelWritesNothing) {
    open();
    dialog.HScroll1.userMovedTo(20);
    const headless::Outcome outcome = press(dialog.cmdCancel);
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_FALSE(settingsExist());

    plantSettings("fast\r\n");
    open();
    press(dialog.cmdCancel);
    EXPECT_EQ(settingsBytes(), "fast\r\n");
}

// A save can fail at any step: making the temporary file, either record,
// putting it on the disk, closing it, or moving it over the old file; or the
// disk is full. Each time the old file stays as it was, nothing is left
// behind, and the error box says which file could not be written.
struct SaveFault {
    const char* name;
    headless::FileStep step;
    int occurrence;  // 0: the disk is full
};

class FailedOkTest : public ConfigDialogTest, public ::testing::WithParamInterface<SaveFault> {};

TEST_P(FailedOkTest, ShowsTheErrorBoxAndKeepsTheOldFileWholeAndAlone) {
    plantSettings("9\r\n300\r\n");
    open();
    dialog.HScroll1.userMovedTo(3);
    if (GetParam().occurrence == 0) {
        headless::setDiskFull(true);
    } else {
        headless::failFileStep(GetParam().step, GetParam().occurrence);
    }

    const headless::Outcome outcome = press(dialog.cmdOk);

    ASSERT_TRUE(outcome.errorBox.has_value());
    EXPECT_NE(outcome.errorBox->find("cannot write 'settings.ini'"), std::string::npos) << *outcome.errorBox;
    EXPECT_TRUE(outcome.ended);
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_EQ(settingsBytes(), "9\r\n300\r\n");
    EXPECT_EQ(directoryListing(), std::vector<std::string>{"settings.ini"});
}

using Step = headless::FileStep;
INSTANTIATE_TEST_SUITE_P(EveryStep, FailedOkTest,
                         ::testing::Values(SaveFault{"Create", Step::Create, 1},
                                           SaveFault{"FirstWrite", Step::Write, 1},
                                           SaveFault{"SecondWrite", Step::Write, 2},
                                           SaveFault{"Flush", Step::Flush, 1}, SaveFault{"Close", Step::Close, 1},
                                           SaveFault{"Replace", Step::Replace, 1},
                                           SaveFault{"DiskFull", Step::Write, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigDialogTest, AFullDiskSaysSo) {
    plantSettings("9\r\n300\r\n");
    open();
    headless::setDiskFull(true);
    const headless::Outcome outcome = press(dialog.cmdOk);
    ASSERT_TRUE(outcome.errorBox.has_value());
    EXPECT_NE(outcome.errorBox->find("Run-time error '61'"), std::string::npos) << *outcome.errorBox;
    EXPECT_NE(outcome.errorBox->find("Disk full"), std::string::npos) << *outcome.errorBox;
}

}  // namespace
}  // namespace settings_test
