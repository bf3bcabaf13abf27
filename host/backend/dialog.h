#pragma once

// What a backend provides for a dialog: a window of the platform's own
// controls, made from plain values. The core measures, lays out and colours
// it, keeps the values and decides what every report means; the backend
// creates the controls in the order given, puts them where it is told, and
// reports raw input by control id.

#include <memory>
#include <string>
#include <vector>

#include "host/backend/text.h"
#include "host/backend/window.h"
#include "host/font.h"
#include "host/geometry.h"

namespace host {

struct TextColors {
    Color back;
    Color text;
};

// The system's colours a dialog may take.
struct SystemColors {
    Color window;
    Color windowText;
    Color buttonFace;
    Color buttonText;
    Color highlight;
};

namespace backend {

// A control's index in its dialog's design.
using ControlId = int;

enum class ControlKind {
    // Text painted on the dialog's face: no window, nothing a screen reader
    // announces as a control.
    FaceText,
    // A text control; a screen reader names a control without text of its
    // own by the label just before it in window order.
    Label,
    ScrollBar,
    Button,
    // Named by its own caption; it ticks only when told to (setValue).
    CheckBox,
};

// Enter presses the default button wherever the focus is but on another
// button; the platform's ways to cancel a dialog (Esc) are reported apart.
enum class ButtonRole { Plain, Default, Cancel };

struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string caption;
    int min = 0;  // a scroll bar's range
    int max = 0;
    int value = 0;  // a scroll bar's thumb; 1 for a ticked check box
    ButtonRole role = ButtonRole::Plain;
};

// The controls in window order, which is also the order Tab walks those
// that take the focus (scroll bars, buttons and check boxes); a control's id
// is its index.
struct DialogDesign {
    std::string caption;
    std::vector<ControlDesign> controls;
};

// Where a control goes, in client pixels, and the colours a text in it or
// on the face takes.
struct ControlPlace {
    PixelRect rect;
    TextColors colors;
};

struct DialogArrangement {
    Font font;  // for every caption
    PixelSize client;
    Color face;
    Color focusCue;  // a frame inside the focused scroll bar
    std::vector<ControlPlace> controls;  // by id
};

enum class ScrollAction { LineLeft, LineRight, PageLeft, PageRight, ToStart, ToEnd, ToThumb };

struct ScrollRequest {
    ScrollAction action = ScrollAction::LineRight;
    int thumb = 0;  // where the thumb was dragged to, for ToThumb
};

// What happens to a dialog, reported raw: which bar was asked to move how,
// which button or check box was pressed.
class DialogEvents : public WindowEvents {
public:
    virtual void scrollRequested(ControlId bar, ScrollRequest request) = 0;
    // Clicked, Space on it, or Enter (on a button, or on no button for the
    // default one); a check box is pressed as a button is, by a click or Space.
    virtual void buttonPressed(ControlId button) = 0;
    // Esc, or another of the platform's ways to cancel a dialog.
    virtual void cancelAsked() = 0;
    // The system's colours, its high-contrast setting or its message font
    // changed.
    virtual void lookChanged() = 0;

protected:
    ~DialogEvents() = default;
};

class DialogWindow : public NativeWindow {
public:
    // The pixels a control of that kind needs to show the caption in the
    // font at the window's DPI, its own margins included.
    virtual TextExtent captionRoom(ControlKind kind, const std::string& caption, const Font& font) const = 0;
    // The font's em height at the window's DPI.
    virtual int emPixels(const Font& font) const = 0;
    // Sizes the client area and places, fonts and colours every control.
    virtual void arrange(const DialogArrangement& arrangement) = 0;
    // Moves the window's top left there, in virtual-screen pixels.
    virtual void moveTo(int left, int top) = 0;
    // A control's value: where a scroll bar's thumb is, whether a check box
    // shows ticked (1) or not (0).
    virtual void setValue(ControlId control, int value) = 0;
};

// Made hidden, with the controls in their design's order; it reports to
// events until it goes.
std::unique_ptr<DialogWindow> createDialogWindow(const DialogDesign& design, DialogEvents& events);

// The system's colours and whether a high-contrast theme is on.
struct SystemLook {
    bool highContrast = false;
    SystemColors colors;
};
SystemLook systemLook();

}  // namespace backend
}  // namespace host
