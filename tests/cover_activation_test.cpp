#include <filesystem>

#include "tests/cover_test_support.h"

namespace cover_test {
namespace {

using CoverActivationTest = CoverTest;

TEST_F(CoverActivationTest, WithoutASettingsFileUsesTheDefaultsAndCentresTheDial) {
    show();

    EXPECT_FLOAT_EQ(cover.CenterX, 4800);
    EXPECT_FLOAT_EQ(cover.CenterY, 3480);
    EXPECT_EQ(cover.BallGap, 5);
    EXPECT_EQ(cover.EmitAngle, 5);
    EXPECT_EQ(cover.BallSpeed, 150);
    EXPECT_EQ(cover.font().name, "Courier New");
    EXPECT_EQ(cover.font().sizePoints, cover.design().font.sizePoints);
    for (const host::Line* hand : {&cover.Line1, &cover.Line2, &cover.Line3}) {
        EXPECT_FLOAT_EQ(hand->X1, 4800);
        EXPECT_FLOAT_EQ(hand->Y1, 3480);
    }
    EXPECT_FALSE(headless::fileBytes("settings.ini")) << "reading must never create the file";
    EXPECT_FALSE(headless::folderExists(userSettingsFolder())) << "nor its folder";
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
}

TEST_F(CoverActivationTest, EveryActivationRestartsTheSpiralFromTheGap) {
    show();
    tick(7);
    ASSERT_EQ(cover.EmitAngle, 40);

    headless::activate(cover);
    EXPECT_EQ(cover.BallGap, 5) << "the running angle must not become the gap";
    EXPECT_EQ(cover.EmitAngle, 5);

    writeSettings("12\r\n300\r\n");
    headless::activate(cover);
    EXPECT_EQ(cover.BallGap, 12);
    EXPECT_EQ(cover.EmitAngle, 12);
    EXPECT_EQ(cover.BallSpeed, 300);
    EXPECT_EQ(ballsInFlight(), 7) << "balls in flight stay where they are";
}

struct SettingsCase {
    const char* file;
    double gap;
    double speed;
};

class CoverSettingsTest : public CoverTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(CoverSettingsTest, ReadsEachNumberOrFallsBackToItsDefault) {
    writeSettings(GetParam().file);
    show();
    EXPECT_EQ(cover.BallGap, GetParam().gap);
    EXPECT_EQ(cover.EmitAngle, GetParam().gap);
    EXPECT_EQ(cover.BallSpeed, GetParam().speed);
    EXPECT_FALSE(headless::outcome().errorBox.has_value());
}

INSTANTIATE_TEST_SUITE_P(HandEditedFiles, CoverSettingsTest,
                         ::testing::Values(SettingsCase{"0\r\n0\r\n", 0, 0},  // zero is a number, not a gap
                                           SettingsCase{"7,300\r\n", 7, 300},
                                           SettingsCase{"\r\n300\r\n", 5, 300},
                                           SettingsCase{"12\r\n", 12, 150},
                                           SettingsCase{"fast\r\nslow\r\n", 5, 150},
                                           SettingsCase{"9\r\nslow\r\n", 9, 150},
                                           SettingsCase{"2.5\r\n-40\r\n", 2.5, -40},
                                           SettingsCase{"1e999\r\n-1e999\r\n", 5, 150}));

}  // namespace
}  // namespace cover_test
