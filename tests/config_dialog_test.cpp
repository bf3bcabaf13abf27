#include <optional>
#include <string>
#include <vector>

#include "host/app.h"
#include "host/backend/text.h"
#include "settings/frm_config.h"
#include "tests/settings_test_support.h"

namespace settings_test {
namespace {

using host::backend::ControlKind;
using host::backend::ScrollAction;
using Key = headless::DialogKey;

class ConfigDialogTest : public SettingsDirectoryTest {
protected:
    void TearDown() override {
        if (dialog.isLoaded()) headless::runMain([this] { dialog.Unload(); });
        SettingsDirectoryTest::TearDown();
    }

    headless::Outcome open() {
        return headless::runMain([this] { dialog.Show(); });
    }

    headless::Outcome press(const std::string& caption) {
        headless::clickButton(dialog, caption);
        return headless::outcome();
    }

    std::vector<headless::DialogControlState> controls() const { return headless::dialogControls(dialog); }

    // The n-th control of a kind, in window order.
    headless::DialogControlState nth(ControlKind kind, int n) const {
        for (const headless::DialogControlState& control : controls()) {
            if (control.design.kind == kind && n-- == 0) return control;
        }
        ADD_FAILURE() << "no such control";
        return {};
    }
    int thumb(int bar) const { return nth(ControlKind::ScrollBar, bar).design.value; }

    settings::FrmConfig dialog;
};

// The window order is what screen readers walk: each bar comes just after
// the label that names it, the band is only painted, each check box is named
// by its caption, and Tab goes to the bars, the buttons and the boxes in that
// order, round again after the last box.
TEST_F(ConfigDialogTest, ControlsComeInTheOrderScreenReadersAndTabWalk) {
    open();
    EXPECT_EQ(headless::window(dialog.hWnd()).title, "Settings...");
    struct Expected {
        ControlKind kind;
        std::string caption;
        host::backend::ButtonRole role = host::backend::ButtonRole::Plain;
    };
    using host::backend::ButtonRole;
    const std::vector<Expected> expected{{ControlKind::Label, "B speed:"},
                                         {ControlKind::ScrollBar, ""},
                                         {ControlKind::Label, "B gap:"},
                                         {ControlKind::ScrollBar, ""},
                                         {ControlKind::Button, "Cancel", ButtonRole::Cancel},
                                         {ControlKind::Button, "Ok", ButtonRole::Default},
                                         {ControlKind::FaceText, "Horlaven by Quessort!"},
                                         {ControlKind::CheckBox, "Clock on every monitor"},
                                         {ControlKind::CheckBox, "Move the clock slowly (OLED screens)"},
                                         {ControlKind::CheckBox, "A key or mouse move ends it"}};
    const std::vector<headless::DialogControlState> shown = controls();
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].design.kind, expected[i].kind);
        EXPECT_EQ(shown[i].design.caption, expected[i].caption);
        EXPECT_EQ(shown[i].design.role, expected[i].role);
    }
    EXPECT_EQ(shown[1].design.min, 100);
    EXPECT_EQ(shown[1].design.max, 600);
    EXPECT_EQ(shown[3].design.min, 1);
    EXPECT_EQ(shown[3].design.max, 20);

    std::vector<int> focus{headless::focusedControl(dialog)};
    for (int i = 0; i < 7; ++i) {
        headless::pressKeys(dialog, {Key::Tab});
        focus.push_back(headless::focusedControl(dialog));
    }
    EXPECT_EQ(focus, (std::vector<int>{1, 3, 4, 5, 7, 8, 9, 1}));
    headless::pressKeys(dialog, {Key::ShiftTab});
    EXPECT_EQ(headless::focusedControl(dialog), 9);
}

// Keys as a user types them, from a file or none, and what ends up in
// "settings.ini": nothing but the old file unless Ok is pressed.
struct KeysCase {
    const char* name;
    std::string file;  // empty: none
    std::vector<Key> keys;
    std::optional<std::string> saved;  // none: no file afterwards
};

class DialogKeysTest : public ConfigDialogTest, public testing::WithParamInterface<KeysCase> {};

TEST_P(DialogKeysTest, WriteWhatTheBarsShowOnlyWhenOkIsPressed) {
    const KeysCase& c = GetParam();
    if (!c.file.empty()) plantSettings(c.file);
    open();
    headless::pressKeys(dialog, c.keys);
    EXPECT_FALSE(dialog.isLoaded()) << "the keys closed the dialog";
    const headless::Outcome outcome = headless::outcome();
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.errorBox.has_value());
    if (c.saved) {
        EXPECT_EQ(settingsBytes(), *c.saved);
    } else {
        EXPECT_FALSE(settingsExist());
    }
}

const std::string stored = "7\r\n300\r\n";

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeysTest,
    testing::Values(
        KeysCase{"EnterSavesTheDefaults", "", {Key::Enter}, "5\r\n150\r\n"},
        KeysCase{"ArrowsStepTheFocusedBarAndTabMovesOn", "", {Key::Right, Key::Right, Key::Tab, Key::Right, Key::Enter},
                 "6\r\n152\r\n"},
        KeysCase{"PageKeysStepByOne", stored, {Key::PageDown, Key::PageDown, Key::PageUp, Key::Up, Key::Enter},
                 "7\r\n300\r\n"},
        KeysCase{"HomeAndEndGoToTheEnds", stored, {Key::End, Key::Tab, Key::Home, Key::Enter}, "1\r\n600\r\n"},
        KeysCase{"NothingGoesBelowMin", "1\r\n100\r\n", {Key::Left, Key::PageUp, Key::Tab, Key::Left, Key::Enter},
                 "1\r\n100\r\n"},
        KeysCase{"NothingGoesAboveMax", "20\r\n600\r\n",
                 {Key::Right, Key::PageDown, Key::Tab, Key::Down, Key::Enter}, "20\r\n600\r\n"},
        KeysCase{"SpaceOnOk", "", {Key::Right, Key::ShiftTab, Key::ShiftTab, Key::ShiftTab, Key::ShiftTab, Key::Space},
                 "5\r\n151\r\n"},
        KeysCase{"EscapeKeepsTheFile", stored, {Key::Right, Key::Escape}, stored},
        KeysCase{"EscapeMakesNoFile", "", {Key::Right, Key::Escape}, std::nullopt},
        KeysCase{"EnterOnCancelKeepsTheFile", stored, {Key::Right, Key::Tab, Key::Tab, Key::Enter}, stored},
        KeysCase{"SpaceOnCancelMakesNoFile", "", {Key::Tab, Key::Tab, Key::Space}, std::nullopt}),
    [](const testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.name); });

// The check boxes show the user's options file; Space on a box turns it
// over, and Enter on one saves as Ok does: "settings.ini" exactly as ever,
// then "options.ini" with the three choices and the lines kept from the file.
struct BoxesCase {
    const char* name;
    std::string file;  // "options.ini"; empty: none
    std::vector<Key> keys;
    std::vector<int> ticks;  // what the boxes show before Enter, in window order
    std::string saved;
};

class DialogBoxesTest : public ConfigDialogTest, public testing::WithParamInterface<BoxesCase> {};

TEST_P(DialogBoxesTest, ShowTheFileTurnOverWithSpaceAndEnterOnABoxSavesThem) {
    const BoxesCase& c = GetParam();
    if (!c.file.empty()) headless::plantFile(optionsFile(), c.file);
    open();
    headless::pressKeys(dialog, c.keys);
    std::vector<int> ticks;
    for (int box = 0; box < 3; ++box) ticks.push_back(nth(ControlKind::CheckBox, box).design.value);
    EXPECT_EQ(ticks, c.ticks);
    EXPECT_EQ(controls()[std::size_t(headless::focusedControl(dialog))].design.kind, ControlKind::CheckBox);

    headless::pressKeys(dialog, {Key::Enter});
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(headless::outcome().exitCode, 0);
    EXPECT_EQ(settingsBytes(), "5\r\n150\r\n");
    EXPECT_EQ(headless::fileBytes(optionsFile()), c.saved);
}

const std::vector<Key> toFirstBox{Key::Tab, Key::Tab, Key::Tab, Key::Tab};
std::vector<Key> keys(std::vector<Key> first, const std::vector<Key>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DialogBoxesTest,
    testing::Values(
        BoxesCase{"NoneWithoutAFile", "", toFirstBox, {0, 0, 0}, "EveryMonitor=0\r\nDrift=0\r\nAnyInputEnds=0\r\n"},
        BoxesCase{"EveryMonitorAlone", "", keys(toFirstBox, {Key::Space}), {1, 0, 0},
                  "EveryMonitor=1\r\nDrift=0\r\nAnyInputEnds=0\r\n"},
        BoxesCase{"DriftAlone", "", keys(toFirstBox, {Key::Tab, Key::Space}), {0, 1, 0},
                  "EveryMonitor=0\r\nDrift=1\r\nAnyInputEnds=0\r\n"},
        BoxesCase{"AnyInputEndsAlone", "", keys(toFirstBox, {Key::Tab, Key::Tab, Key::Space}), {0, 0, 1},
                  "EveryMonitor=0\r\nDrift=0\r\nAnyInputEnds=1\r\n"},
        BoxesCase{"All", "", keys(toFirstBox, {Key::Space, Key::Tab, Key::Space, Key::Tab, Key::Space}), {1, 1, 1},
                  "EveryMonitor=1\r\nDrift=1\r\nAnyInputEnds=1\r\n"},
        BoxesCase{"SpaceTwiceLeavesItAsItWas", "", keys(toFirstBox, {Key::Space, Key::Space}), {0, 0, 0},
                  "EveryMonitor=0\r\nDrift=0\r\nAnyInputEnds=0\r\n"},
        BoxesCase{"TheFileShowsAndLinesItDoesNotKnowStay", "Later=1\r\nAnyInputEnds=1\n", toFirstBox, {0, 0, 1},
                  "EveryMonitor=0\r\nDrift=0\r\nAnyInputEnds=1\r\nLater=1\r\n"},
        BoxesCase{"ClearingOneTheFileTicked", "EveryMonitor=1\r\nDrift=1\r\nAnyInputEnds=1\r\n",
                  keys(toFirstBox, {Key::Tab, Key::Space}), {1, 0, 1},
                  "EveryMonitor=1\r\nDrift=0\r\nAnyInputEnds=1\r\n"}),
    [](const testing::TestParamInfo<BoxesCase>& info) { return std::string(info.param.name); });

// Every way out but Ok, after a thumb moved and a box turned over: Esc,
// Cancel, the close box, or the window destroyed from outside. The form
// unloads and neither file changes.
TEST_F(ConfigDialogTest, AWindowLeftWithoutOkSavesNothing) {
    const std::vector<void (*)(host::Form&)> ways{
        [](host::Form& form) { headless::pressKeys(form, {Key::Escape}); },
        [](host::Form& form) { headless::clickButton(form, "Cancel"); },
        [](host::Form& form) { headless::clickCloseBox(form); },
        [](host::Form& form) { headless::destroyWindow(form.hWnd()); }};
    const std::string options = "EveryMonitor=0\r\nDrift=1\r\nAnyInputEnds=0\r\n";
    plantSettings(stored);
    headless::plantFile(optionsFile(), options);
    for (const auto& leave : ways) {
        open();
        headless::pressKeys(dialog, keys({Key::Right}, keys(toFirstBox, {Key::Space})));
        headless::clickButton(dialog, "A key or mouse move ends it");
        ASSERT_TRUE(dialog.chkEveryMonitor.Value && dialog.chkAnyInputEnds.Value);
        leave(dialog);
        EXPECT_FALSE(dialog.isLoaded());
        EXPECT_TRUE(headless::outcome().ended);
        EXPECT_EQ(settingsBytes(), stored);
        EXPECT_EQ(headless::fileBytes(optionsFile()), options);
    }
}

// Requests a mouse makes (an arrow, the trough, a drag of the thumb) move a
// bar within its range, and the thumb shows where it went.
TEST_F(ConfigDialogTest, ScrollRequestsStayWithinTheRangeAndTheThumbFollows) {
    struct Case {
        int bar;  // 0: speed, 1: gap, in window order
        host::backend::ScrollRequest request;
        int value;
    };
    plantSettings(stored);
    open();
    EXPECT_EQ(thumb(0), 300) << "the file's values show from the start";
    EXPECT_EQ(thumb(1), 7);
    for (const Case& c : {Case{1, {ScrollAction::LineRight}, 8}, Case{1, {ScrollAction::PageRight}, 9},
                          Case{1, {ScrollAction::ToThumb, 19}, 19}, Case{1, {ScrollAction::PageRight}, 20},
                          Case{1, {ScrollAction::LineRight}, 20}, Case{1, {ScrollAction::ToThumb, 45}, 20},
                          Case{1, {ScrollAction::ToThumb, -3}, 1}, Case{1, {ScrollAction::LineLeft}, 1},
                          Case{0, {ScrollAction::ToThumb, 437}, 437}, Case{0, {ScrollAction::ToEnd}, 600},
                          Case{0, {ScrollAction::ToStart}, 100}, Case{0, {ScrollAction::PageLeft}, 100}}) {
        SCOPED_TRACE(testing::Message() << "bar " << c.bar << " action " << int(c.request.action));
        headless::scroll(dialog, c.bar, c.request);
        EXPECT_EQ(thumb(c.bar), c.value);
        EXPECT_EQ(c.bar == 0 ? dialog.HScroll2.Value() : dialog.HScroll1.Value(), c.value);
    }
    press("Ok");
    EXPECT_EQ(settingsBytes(), "1\r\n100\r\n");
}

// The desktop's message font and the DPI, as a user sets them: where the
// captions fit the design, the dialog has exactly its designed size at the
// DPI; with larger text it grows as a whole, at least as much as the text,
// and further until every caption fits.
struct TextSize {
    const char* name;
    float messageFontPoints;
    int dpi;
    bool captionsFitTheDesign;
};

class DialogTextSizeTest : public ConfigDialogTest, public testing::WithParamInterface<TextSize> {};

TEST_P(DialogTextSizeTest, GrowsSoEveryCaptionFitsAndKeepsItsProportions) {
    const TextSize& c = GetParam();
    headless::setDpi(c.dpi);
    headless::setMessageFontPoints(c.messageFontPoints);
    open();
    const headless::WindowState& window = headless::window(dialog.hWnd());
    const double textScale = c.messageFontPoints / 8.0;
    const int designWidth = host::twipsToPixels(3615, 1440.0f / float(c.dpi));
    const int designHeight = host::twipsToPixels(2880, 1440.0f / float(c.dpi));
    if (c.captionsFitTheDesign) {
        EXPECT_EQ(window.width, designWidth);
        EXPECT_EQ(window.height, designHeight);
    } else {
        EXPECT_GE(window.width, int(designWidth * textScale));
        EXPECT_GT(window.width, designWidth);
    }
    EXPECT_NEAR(double(window.width) / window.height, 3615.0 / 2880, 0.02) << "its proportions";

    const std::vector<headless::DialogControlState> shown = controls();
    for (const headless::DialogControlState& control : shown) {
        SCOPED_TRACE(control.design.caption);
        const host::PixelRect& rect = control.place.rect;
        const host::backend::TextExtent text =
            host::backend::measureText(control.design.caption, {{}, c.messageFontPoints}, c.dpi);
        EXPECT_LE(text.width, rect.right - rect.left);
        EXPECT_LE(text.height, rect.bottom - rect.top);
        EXPECT_LE(rect.right, window.width);
        EXPECT_LE(rect.bottom, window.height);
    }
    EXPECT_EQ(nth(ControlKind::FaceText, 0).place.rect.right, window.width) << "the band spans the dialog";
    for (int bar = 0; bar < 2; ++bar) {
        EXPECT_LT(nth(ControlKind::ScrollBar, bar).place.rect.left, nth(ControlKind::Label, bar).place.rect.right)
            << "a label still reaches its bar";
    }
    EXPECT_LE(nth(ControlKind::Button, 0).place.rect.left, nth(ControlKind::Button, 1).place.rect.right)
        << "Cancel still meets Ok";
    const host::PixelRect ok = nth(ControlKind::Button, 1).place.rect;
    EXPECT_NEAR(double(ok.top) / window.height, 1680.0 / 2880, 0.01) << "Ok where it was";
    int strip = ok.bottom;
    for (int box = 0; box < 3; ++box) {
        const host::PixelRect rect = nth(ControlKind::CheckBox, box).place.rect;
        EXPECT_GE(rect.top, strip) << "the boxes, one a row, below the buttons";
        strip = rect.bottom;
    }

    headless::pressKeys(dialog, {Key::Enter});
    EXPECT_EQ(settingsBytes(), "5\r\n150\r\n") << "Ok saves as at any size";
}

INSTANTIATE_TEST_SUITE_P(Texts, DialogTextSizeTest,
                         testing::Values(TextSize{"DesignTextAt96Dpi", 8, 96, true},
                                         TextSize{"SmallerTextAt144Dpi", 7, 144, true},
                                         // The dot-matrix face's rounding makes "B speed:" too wide for its label.
                                         TextSize{"DesignTextAt144Dpi", 8, 144, false},
                                         TextSize{"TextX15At96Dpi", 12, 96, false},
                                         TextSize{"TextX2At96Dpi", 16, 96, false},
                                         TextSize{"TextX15At144Dpi", 12, 144, false},
                                         TextSize{"TextX2At144Dpi", 16, 144, false}),
                         [](const testing::TestParamInfo<TextSize>& info) { return std::string(info.param.name); });

// High contrast and a larger text, turned on and off while the dialog is
// open: it takes them at once.
TEST_F(ConfigDialogTest, FollowsHighContrastAndTheTextSizeWhileOpen) {
    using host::Color;
    const host::SystemColors standard{host::colors::white, host::colors::black, Color::fromRgb(240, 240, 240),
                                      host::colors::black, Color::fromRgb(0, 120, 215)};
    const host::SystemColors contrast{host::colors::black, Color::fromRgb(255, 255, 0), Color::fromRgb(0, 0, 128),
                                      Color::fromRgb(0, 255, 255), Color::fromRgb(255, 0, 255)};
    struct Case {
        bool highContrast;
        float points;
        host::TextColors band;
        host::TextColors label;
    };
    headless::setSystemLook({false, standard});
    open();
    for (const Case& c : {Case{false, 8, {host::colors::white, host::colors::black},
                               {standard.buttonFace, standard.windowText}},
                          Case{true, 8, {contrast.window, contrast.windowText},
                               {contrast.buttonFace, contrast.buttonText}},
                          Case{true, 16, {contrast.window, contrast.windowText},
                               {contrast.buttonFace, contrast.buttonText}},
                          Case{false, 8, {host::colors::white, host::colors::black},
                               {standard.buttonFace, standard.windowText}}}) {
        SCOPED_TRACE(testing::Message() << "high contrast " << c.highContrast << ", " << c.points << " points");
        headless::setSystemLook({c.highContrast, c.highContrast ? contrast : standard});
        headless::setMessageFontPoints(c.points);
        const headless::DialogControlState band = nth(ControlKind::FaceText, 0);
        EXPECT_EQ(band.place.colors.back, c.band.back);
        EXPECT_EQ(band.place.colors.text, c.band.text);
        for (ControlKind kind : {ControlKind::Label, ControlKind::CheckBox}) {
            const headless::DialogControlState text = nth(kind, 0);
            EXPECT_EQ(text.place.colors.back, c.label.back);
            EXPECT_EQ(text.place.colors.text, c.label.text);
        }
        EXPECT_EQ(headless::window(dialog.hWnd()).backColor, c.label.back) << "the face";
        const int width = headless::window(dialog.hWnd()).width;
        if (c.points == 8) {
            EXPECT_EQ(width, 241) << "the designed size";
        } else {
            EXPECT_GE(width, 482) << "twice the text, at least twice the size";
        }
    }
}

TEST_F(ConfigDialogTest, OkWritesWhereTheUserMovedTheThumbs) {
    plantSettings("50\r\n601\r\n");
    open();
    headless::scroll(dialog, 0, {ScrollAction::ToThumb, 152});
    headless::scroll(dialog, 1, {ScrollAction::ToThumb, 6});
    EXPECT_EQ(press("Ok").exitCode, 0);
    EXPECT_EQ(settingsBytes(), "6\r\n152\r\n");
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
    EXPECT_EQ(thumb(1), GetParam().gap);
    EXPECT_EQ(thumb(0), GetParam().speed);
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
    headless::scroll(dialog, 1, {ScrollAction::ToThumb, 3});
    if (GetParam().occurrence == 0) {
        headless::setDiskFull(true);
    } else {
        headless::failFileStep(GetParam().step, GetParam().occurrence);
    }

    const headless::Outcome outcome = press("Ok");

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

// "settings.ini" saved, "options.ini" fails at a step of its own save: the
// error box names the options file as it would the settings, the settings
// keep what Ok wrote, and the options file keeps its old bytes.
class FailedOptionsTest : public ConfigDialogTest, public ::testing::WithParamInterface<SaveFault> {};

TEST_P(FailedOptionsTest, ShowsTheErrorBoxAfterTheSettingsAndKeepsTheOldOptions) {
    const std::string options = "Drift=1\r\nLater=1\r\n";
    plantSettings("9\r\n300\r\n");
    headless::plantFile(optionsFile(), options);
    open();
    headless::scroll(dialog, 1, {ScrollAction::ToThumb, 3});
    headless::clickButton(dialog, "Clock on every monitor");
    // The settings' own save takes the first of each step.
    headless::failFileStep(GetParam().step, GetParam().occurrence);

    const headless::Outcome outcome = press("Ok");

    ASSERT_TRUE(outcome.errorBox.has_value());
    EXPECT_NE(outcome.errorBox->find("cannot write 'options.ini'"), std::string::npos) << *outcome.errorBox;
    EXPECT_TRUE(outcome.ended);
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_EQ(settingsBytes(), "3\r\n300\r\n");
    EXPECT_EQ(headless::fileBytes(optionsFile()), options);
    EXPECT_EQ(directoryListing(), (std::vector<std::string>{"options.ini", "settings.ini"}));
}

INSTANTIATE_TEST_SUITE_P(SomeSteps, FailedOptionsTest,
                         ::testing::Values(SaveFault{"Create", Step::Create, 2},
                                           SaveFault{"LastWrite", Step::Write, 6},
                                           SaveFault{"Close", Step::Close, 2},
                                           SaveFault{"Replace", Step::Replace, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigDialogTest, AFullDiskSaysSo) {
    plantSettings("9\r\n300\r\n");
    open();
    headless::setDiskFull(true);
    const headless::Outcome outcome = press("Ok");
    ASSERT_TRUE(outcome.errorBox.has_value());
    EXPECT_NE(outcome.errorBox->find("Run-time error '61'"), std::string::npos) << *outcome.errorBox;
    EXPECT_NE(outcome.errorBox->find("Disk full"), std::string::npos) << *outcome.errorBox;
}

}  // namespace
}  // namespace settings_test
