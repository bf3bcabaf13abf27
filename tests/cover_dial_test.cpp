#include <cmath>
#include <numbers>

#include "tests/cover_test_support.h"

namespace cover_test {
namespace {

using CoverDialTest = CoverTest;

constexpr float centerX = 4800;
constexpr float centerY = 3480;

double sinDegrees(double degrees) { return std::sin(degrees * std::numbers::pi / 180); }
double cosDegrees(double degrees) { return std::cos(degrees * std::numbers::pi / 180); }

TEST_F(CoverDialTest, DrawsTwelveBlackMarksAndTheNumeralsOnceEach) {
    show();
    const auto& marks = headless::drawnLines(cover);
    const auto& numerals = headless::drawnTexts(cover);
    ASSERT_EQ(marks.size(), 12u);
    ASSERT_EQ(numerals.size(), 12u);
    const char* expected[] = {"12", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(marks[i].color, host::colors::black);
        EXPECT_EQ(numerals[i].text, expected[i]);
        EXPECT_EQ(numerals[i].fontName, "Courier New");
    }
}

TEST_F(CoverDialTest, MarksRunFromRadius800To1000) {
    show();
    const auto& marks = headless::drawnLines(cover);
    const auto expectMark = [](const headless::DrawnLine& mark, float fromX, float fromY, float toX, float toY) {
        EXPECT_NEAR(mark.from.x, fromX, 0.01);
        EXPECT_NEAR(mark.from.y, fromY, 0.01);
        EXPECT_NEAR(mark.to.x, toX, 0.01);
        EXPECT_NEAR(mark.to.y, toY, 0.01);
    };
    expectMark(marks[0], centerX, centerY - 800, centerX, centerY - 1000);  // "12"
    expectMark(marks[3], centerX + 800, centerY, centerX + 1000, centerY);  // "3"
    expectMark(marks[6], centerX, centerY + 800, centerX, centerY + 1000);  // "6"
}

TEST_F(CoverDialTest, EachNumeralBoxIsCentredAtRadius1200) {
    show();
    const auto& numerals = headless::drawnTexts(cover);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(numerals[i].text);
        const double angle = 30.0 * i;
        EXPECT_NEAR(numerals[i].topLeft.x + numerals[i].extent.width / 2, centerX + 1200 * sinDegrees(angle), 0.01);
        EXPECT_NEAR(numerals[i].topLeft.y + numerals[i].extent.height / 2, centerY - 1200 * cosDegrees(angle), 0.01);
    }
    EXPECT_GT(numerals[10].extent.width, numerals[1].extent.width) << "\"10\" is wider than \"1\"";
}

TEST_F(CoverDialTest, EachActivationDrawsTheFaceAgain) {
    show();
    headless::activate(cover);
    EXPECT_EQ(headless::drawnLines(cover).size(), 24u);
    EXPECT_EQ(headless::drawnTexts(cover).size(), 24u);
}

}  // namespace
}  // namespace cover_test
