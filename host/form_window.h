#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/backend/window.h"
#include "host/font.h"
#include "host/render/surface.h"

namespace host {

class Form;

// A loaded form's window as the runtime sees it, the same on every
// platform: it raises the form's events for what its backend window
// reports and shows what they changed. A form of lines and shapes has a
// painted window (below), a form of labels, scroll bars and buttons a dialog
// (host/dialog_window.h).
class FormWindow {
public:
    // The kind of window the form's controls call for.
    static std::unique_ptr<FormWindow> make(Form& form);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    std::intptr_t handle() const { return native().handle(); }
    void setCaption(const std::string& caption) { native().setCaption(caption); }
    virtual void show() = 0;
    // Owned by a window of this program or another and modal to it.
    virtual void showOwnedBy(std::intptr_t owner) = 0;
    PixelSize windowPixels() const { return native().windowPixels(); }
    PixelSize clientPixels() const { return native().clientPixels(); }
    PixelScale scale() const;

    // Shows what the last event changed.
    virtual void presentChanges() = 0;
    // Nothing of it ticks or shows any more: the error box is coming up.
    virtual void suspend() = 0;

protected:
    explicit FormWindow(Form& form);
    // Out of the runtime's live windows, before the native window goes:
    // destroying it can make another window active, and the event that
    // raises presents every live window, which this one no longer is.
    void leaveLiveWindows();
    virtual backend::NativeWindow& native() const = 0;

    // Runs an event, then presents what it changed in every window. The
    // event may unload the form and with it this window: nothing of this
    // object is touched after it.
    static void raiseEvent(const std::function<void()>& event);
    // Shows the window, makes it the active one and raises Activate.
    void showAndActivate();
    // Activate comes the first time the window shows, and again each time
    // it becomes the active window after another was.
    void activate();
    void deactivate() { inactive_ = true; }
    // Closed by the user or destroyed from outside: the form unloads as
    // code would unload it.
    void unloadForm();

    Form& form_;
    bool activated_ = false;
    bool suspended_ = false;

private:
    bool inactive_ = false;
};

// The window of a form of lines and shapes: it keeps the form's picture and
// back buffer, and decides where a full-screen window goes, which monitors
// get plain covers and when its timers rest.
class PaintedFormWindow final : public FormWindow, public backend::WindowEvents {
public:
    explicit PaintedFormWindow(Form& form);
    ~PaintedFormWindow() override;

    void show() override;
    void showOwnedBy(std::intptr_t owner) override;

    // Persistent drawing.
    void drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels);
    void drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color);
    TwipSize textExtent(std::string_view text, const Font& font) const;
    void clearDrawing();

    // Paints what changed since the last frame and puts it on screen.
    void presentChanges() override;
    void suspend() override;

    render::Surface& surface() { return surface_; }

    void activated() override { activate(); }
    void deactivated() override { deactivate(); }
    void clicked() override;
    void keyPressed() override;
    void mouseButtonPressed() override;
    void pointerMoved(int x, int y) override;
    void timerFired(int timer) override;
    void closeAsked() override { unloadForm(); }
    void destroyed() override { unloadForm(); }
    void resized() override;
    void dpiChanged() override;
    void displaysChanged() override;
    // Full screen again over the form's monitor, with the plain covers it
    // calls for, as when the form was given another: false when the window
    // does not cover the screen or went meanwhile.
    bool followCoveredMonitor();
    void displayPowerChanged(bool on) override;
    void sessionChanged(bool attended) override;

private:
    backend::NativeWindow& native() const override { return *painted_; }
    bool coversTheScreen() const;
    // Raises an event of the user's input on the form.
    void raiseInput(const std::function<void(Form&)>& handler);
    // Full screen over the form's monitor: the one it was given, or the primary.
    void placeOverItsMonitor();
    void coverOtherMonitors();
    // After a change of size or DPI: the back buffer follows, and a shown
    // form hears of it.
    void geometryChanged();
    void updateTimers();

    std::unique_ptr<backend::PaintedWindow> painted_;
    render::Surface surface_;
    PixelSize client_;
    int dpi_ = 96;
    bool displayOff_ = false;
    bool sessionAway_ = false;
    bool timersRunning_ = false;
};

// Every window of the program rests, for the runtime's error box.
void suspendFormWindows();

}  // namespace host
