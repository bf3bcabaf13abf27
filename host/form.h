#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/control_array.h"
#include "host/controls.h"
#include "host/font.h"
#include "host/geometry.h"
#include "host/painted_control.h"

namespace host {

class FormWindow;
class PaintedFormWindow;

enum class BorderStyle { None, FixedToolWindow };

// What a form is at design time; the backend builds its window from this.
struct FormDesign {
    std::string name;  // the form's design name, e.g. "frmCover"
    std::string caption;
    BorderStyle border = BorderStyle::None;
    bool maximized = false;      // covers the primary monitor, or the one the form is given
    bool topmost = false;
    bool showInTaskbar = true;
    Color backColor = colors::white;
    TwipSize clientSize;         // used when not maximised
    Font font;                   // empty name: the host's default dialog font
};

// A form: a window with its controls as retained objects, its persistent
// drawing, and its events. The system's forms derive from it, declare their
// controls as members and register them in their constructor.
class Form {
public:
    explicit Form(FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDesign& design() const { return design_; }

    // Creates the window hidden and raises Load; nothing if already loaded.
    void Load();
    // Loads if needed and shows the window modeless, with no owner.
    void Show();
    // Loads if needed and shows the window owned by another window (of this
    // program or another) and modal to it, until the form unloads.
    void ShowOwnedBy(std::intptr_t ownerWindow);
    // Raises Unload, destroys the window; the program ends when no form is
    // left. Also how a window destroyed from outside (its parent went away)
    // is unloaded: the backend's window then knows not to destroy it again.
    void Unload();
    bool isLoaded() const { return window_ != nullptr; }

    // A maximised form full screen over that monitor (virtual-screen
    // pixels) rather than the primary, and over nothing else: no plain
    // covers. The form follows changes of the monitors itself
    // (Form_DisplaysChanged). Moves a loaded form's window there.
    // Without a monitor, back to the primary with plain covers elsewhere.
    void CoverMonitor(const std::optional<PixelRect>& bounds);
    const std::optional<PixelRect>& coveredMonitor() const { return coveredMonitor_; }

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    std::intptr_t hWnd() const;

    Twips Width() const;
    Twips Height() const;
    Twips ScaleWidth() const;
    Twips ScaleHeight() const;

    Twips CurrentX = 0;
    Twips CurrentY = 0;

    const Font& font() const { return font_; }
    void setFontName(std::string name) { font_.name = std::move(name); }

    // Persistent drawing: survives controls moving over it and repaints.
    void DrawLine(TwipPoint from, TwipPoint to, Color color);
    // Clears the persistent drawing to the back colour.
    void Cls();
    // Prints text with its top left at (CurrentX, CurrentY), then moves
    // CurrentY down one line and CurrentX back to 0.
    void Print(std::string_view text);
    Twips TextWidth(std::string_view text) const;
    Twips TextHeight(std::string_view text) const;

    // Events; the system's forms override those they handle.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Click() {}
    virtual void Form_KeyDown() {}
    virtual void Form_MouseDown() {}
    // The pointer over the form at (x, y), in virtual-screen pixels.
    virtual void Form_MouseMove(int /*x*/, int /*y*/) {}
    virtual void Form_Unload() {}
    // The client area changed size or resolution after the form was shown.
    virtual void Form_Resize() {}
    // Monitors were added, removed or changed while a full-screen form was
    // shown, after the runtime placed it anew.
    virtual void Form_DisplaysChanged() {}

    // For the runtime's window and the tests.
    FormWindow* window() const { return window_.get(); }
    // Null when not loaded, or for a dialog, which has nothing to draw on.
    PaintedFormWindow* paintedWindow() const;
    PixelScale scale() const;
    const PaintedControls& paintedControls() const { return painted_; }
    const std::vector<Timer*>& timers() const { return timers_; }
    const std::vector<Label*>& labels() const { return labels_; }
    const std::vector<HScrollBar*>& scrollBars() const { return scrollBars_; }
    const std::vector<CommandButton*>& buttons() const { return buttons_; }
    const std::vector<CheckBox*>& checkBoxes() const { return checkBoxes_; }
    // A form of labels, scroll bars, buttons and check boxes gets a dialog
    // window of the platform's own controls, with nothing drawn on it.
    bool hasNativeControls() const {
        return !labels_.empty() || !scrollBars_.empty() || !buttons_.empty() || !checkBoxes_.empty();
    }

protected:
    void add(Line& line) { painted_.emplace_back(&line); }
    void add(ControlArray<Shape>& array) { painted_.emplace_back(&array); }
    void add(Timer& timer) { timers_.push_back(&timer); }
    void add(Label& label) { labels_.push_back(&label); }
    void add(HScrollBar& bar) { scrollBars_.push_back(&bar); }
    void add(CommandButton& button) { buttons_.push_back(&button); }
    void add(CheckBox& box) { checkBoxes_.push_back(&box); }

private:
    void releaseWindow();

    FormDesign design_;
    std::string caption_;
    Font font_;
    std::optional<PixelRect> coveredMonitor_;
    std::unique_ptr<FormWindow> window_;
    PaintedControls painted_;
    std::vector<Timer*> timers_;
    std::vector<Label*> labels_;
    std::vector<HScrollBar*> scrollBars_;
    std::vector<CommandButton*> buttons_;
    std::vector<CheckBox*> checkBoxes_;
};

}  // namespace host
