#include <gtest/gtest.h>

#include <vector>

#include "host/dialog_layout.h"
#include "host/dialog_palette.h"

namespace {

using host::ControlText;
using host::PixelRect;
using host::TextExtent;

// The settings dialog's design: a band, a label touching its bar, and two
// buttons side by side.
const host::TwipSize client{3615, 1965};
const std::vector<host::TwipRect> bounds{
    {0, 0, 3615, 255}, {0, 960, 735, 255}, {720, 960, 2895, 255}, {0, 1680, 1815, 255}, {1800, 1680, 1815, 255}};

struct LayoutCase {
    const char* name;
    int dpi;
    int emPixels;          // the message font's em height
    int labelTextWidth;    // the label's caption, in that font
    TextExtent expectedClient;
    PixelRect expectedLabel;
};

class DialogLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(DialogLayoutTest, GrowsAsAWholeUntilEveryCaptionFits) {
    const LayoutCase& c = GetParam();
    const int lineHeight = c.emPixels * 4 / 3;
    std::vector<ControlText> controls;
    for (const host::TwipRect& rect : bounds) controls.push_back({rect, {c.labelTextWidth / 2, lineHeight}});
    controls[1].text.width = c.labelTextWidth;
    controls[2].text = {};  // a bar has no caption

    const host::DialogLayout layout = host::layOutDialog(client, controls, c.dpi, c.emPixels);
    EXPECT_EQ(layout.client.width, c.expectedClient.width);
    EXPECT_EQ(layout.client.height, c.expectedClient.height);
    EXPECT_EQ(layout.controls[1], c.expectedLabel);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const PixelRect& r = layout.controls[i];
        EXPECT_LE(controls[i].text.width, r.right - r.left) << i;
        EXPECT_LE(controls[i].text.height, r.bottom - r.top) << i;
    }
    EXPECT_EQ(layout.controls[0].right, layout.client.width) << "the band spans the dialog";
    EXPECT_LE(layout.controls[4].left, layout.controls[3].right) << "the buttons still meet";
    EXPECT_LT(layout.controls[2].left, layout.controls[1].right) << "the label still reaches its bar";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DialogLayoutTest,
    testing::Values(
        // The standard 8 and 9 point fonts leave the design as it is.
        LayoutCase{"EightPointsAt96Dpi", 96, 11, 42, {241, 131}, {0, 64, 49, 81}},
        LayoutCase{"NinePointsAt96Dpi", 96, 12, 45, {241, 131}, {0, 64, 49, 81}},
        LayoutCase{"NinePointsAt144Dpi", 144, 18, 68, {362, 197}, {0, 96, 74, 122}},
        LayoutCase{"SmallerTextNeverShrinksIt", 96, 8, 30, {241, 131}, {0, 64, 49, 81}},
        // Half as large again and twice as large.
        LayoutCase{"TextTimesOneAndAHalf", 96, 18, 66, {362, 197}, {0, 96, 74, 122}},
        LayoutCase{"TextTimesTwoAt144Dpi", 144, 36, 130, {723, 393}, {0, 192, 147, 243}},
        // A caption wider than the text size alone allows grows it further.
        LayoutCase{"AWideCaption", 96, 12, 98, {482, 262}, {0, 128, 98, 162}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

host::Color rgb(std::uint32_t bgr) { return host::Color{bgr}; }

TEST(DialogPaletteTest, DesignedColoursUntilHighContrastThenTheSystemsPairs) {
    const host::SystemColors system{rgb(1), rgb(2), rgb(3), rgb(4), rgb(5)};
    const host::Color band = host::colors::white;
    struct Case {
        bool highContrast;
        std::optional<host::Color> labelBack;
        host::Color back;
        host::Color text;
    };
    for (const Case& c : {Case{false, band, band, host::colors::black},
                          Case{false, std::nullopt, system.buttonFace, system.windowText},
                          Case{true, band, system.window, system.windowText},
                          Case{true, std::nullopt, system.buttonFace, system.buttonText}}) {
        const host::DialogPalette palette{c.highContrast, system};
        const host::TextColors label = palette.label(c.labelBack);
        EXPECT_EQ(label.back, c.back) << c.highContrast << " " << c.labelBack.has_value();
        EXPECT_EQ(label.text, c.text) << c.highContrast << " " << c.labelBack.has_value();
        EXPECT_EQ(palette.face(), system.buttonFace);
        EXPECT_EQ(palette.focusCue(), system.highlight);
    }
}

}  // namespace
