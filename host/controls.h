#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "host/geometry.h"

namespace host {

// Design-time placement of a control on its form's client area.
struct TwipRect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
};

// Fires its handler every Interval milliseconds while the form is loaded.
struct Timer {
    int Interval = 0;
    bool Enabled = true;
    std::function<void()> onTimer;
};

// A line drawn over the form's persistent drawing. Plain data: the renderer
// notices a change by comparing it with what it presented last.
struct Line {
    Twips X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Color BorderColor = colors::black;
    int BorderWidth = 1;  // pixels
    bool Visible = true;
};

// A Tag that holds text and remembers the number the text spells, so code
// that reads it back as a number on every tick does not parse it every time.
class TagText {
public:
    TagText() = default;
    TagText& operator=(std::string text);

    const std::string& text() const { return text_; }
    // The number the text spells; a type mismatch when it spells none.
    // Inline, as it runs for every ball on every tick.
    double number() const { return number_ == number_ ? number_ : raiseTypeMismatch(); }

private:
    [[noreturn]] static double raiseTypeMismatch();

    // The number first: it sits next to the position, in the cache line a
    // tick reads for every ball. A NaN when the text spells no number (no
    // text parses to one); 0 for no text, which computes as 0.
    double number_ = 0;
    std::string text_;
};

enum class ShapeKind : std::uint8_t { Rectangle = 0, Square = 1, Oval = 2, Circle = 3 };
enum class FillStyle : std::uint8_t { Solid = 0, Transparent = 1 };

// A shape over the form's persistent drawing; the elements of a shape
// control array are copies of its element 0. Kept small and with what a
// tick reads for every ball up front.
struct Shape {
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    TagText Tag;
    Color FillColor = colors::black;
    Color BorderColor = colors::black;
    ShapeKind Kind = ShapeKind::Rectangle;
    FillStyle Fill = FillStyle::Transparent;
    bool Visible = true;

    void Move(Twips left, Twips top) {
        Left = left;
        Top = top;
    }
};

struct Label {
    TwipRect Bounds;
    std::string Caption;
    std::optional<Color> BackColor;  // none: the dialog's own background
    int TabIndex = 0;
};

// A horizontal scroll bar whose Value always stays within Min..Max.
class HScrollBar {
public:
    HScrollBar(TwipRect bounds, std::int16_t min, std::int16_t max, std::int16_t value, int tabIndex);

    TwipRect Bounds;
    std::int16_t Min, Max;
    std::int16_t SmallChange = 1;
    std::int16_t LargeChange = 1;
    int TabIndex;

    std::int16_t Value() const { return value_; }
    // Fails with "Invalid property value" outside Min..Max.
    void setValue(std::int16_t value);

private:
    std::int16_t value_;
};

struct CommandButton {
    TwipRect Bounds;
    std::string Caption;
    bool Default = false;  // Enter presses it
    bool Cancel = false;   // Esc presses it
    int TabIndex = 0;
    std::function<void()> onClick;
};

// A check box the user ticks and clears; the dialog turns Value over on a
// click or Space, so code reads the user's choice from it.
struct CheckBox {
    TwipRect Bounds;
    std::string Caption;
    bool Value = false;
    int TabIndex = 0;
};

}  // namespace host
