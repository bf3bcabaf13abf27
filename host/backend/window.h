#pragma once

// What a backend provides for windows. The runtime core makes one window per
// loaded form through it and hears from it what happens to that window; it
// raises the form's events and decides what the window shows and where. A
// backend only shows: windows at the places it is given, pixels it is handed.
// See program.h for the whole contract.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The program's window classes (paintedWindowClass and the others), which
// the installer and other instances find its windows by.
#include "host/backend/window_classes.h"
#include "host/geometry.h"
#include "host/monitors.h"
#include "host/render/image.h"

namespace host {

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

namespace backend {

// What happened to a window, as its backend reports it to the core. Any
// report may end with the window gone (the form unloaded or the program
// ended): the backend touches nothing of the window after one.
class WindowEvents {
public:
    // Shown for the first time, by whatever route, or made the active window.
    virtual void activated() = 0;
    virtual void deactivated() = 0;
    // A click on the window or on one of its plain covers.
    virtual void clicked() = 0;
    // A key went down while the window had the keyboard.
    virtual void keyPressed() = 0;
    // A mouse button, any, went down over the window or one of its covers.
    virtual void mouseButtonPressed() = 0;
    // The pointer is over the window or one of its covers at (x, y), in
    // virtual-screen pixels. The system reports this also when the pointer
    // did not move, as when a window appears under it.
    virtual void pointerMoved(int x, int y) = 0;
    virtual void timerFired(int timer) = 0;
    // The user asked to close it (the close box, Alt+F4): the window is still
    // there and goes only if the core lets it.
    virtual void closeAsked() = 0;
    // Already gone, destroyed from outside, as when the window it was planted
    // in went: the core must not destroy it again.
    virtual void destroyed() = 0;
    // The client area changed size.
    virtual void resized() = 0;
    // The window's dots per inch changed.
    virtual void dpiChanged() = 0;
    // Monitors were added, removed or changed.
    virtual void displaysChanged() = 0;
    virtual void displayPowerChanged(bool on) = 0;
    // Whether someone can see the session: false while it is locked or
    // disconnected.
    virtual void sessionChanged(bool attended) = 0;

protected:
    ~WindowEvents() = default;
};

// A form's window on the platform.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    virtual std::intptr_t handle() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // Shows the window; reports activated() the first time it shows.
    virtual void show() = 0;
    // Makes it the foreground window.
    virtual void bringToFront() = 0;
    // Owned by another window, which may belong to another program, and
    // modal to it: the owner is disabled while this window is open, and
    // enabled and made active again just before this window goes.
    virtual void takeOwner(std::intptr_t owner) = 0;
    virtual void hide() = 0;
    virtual PixelSize windowPixels() const = 0;
    virtual PixelSize clientPixels() const = 0;
    virtual int dpi() const = 0;
    // Planted inside another window, as in a preview pane.
    virtual bool isChild() const = 0;
};

// The window of a form of lines and shapes: a borderless popup painted from
// the core's back buffer, never erasing itself.
class PaintedWindow : public NativeWindow {
public:
    // Moves it over rect, in virtual-screen pixels.
    virtual void place(PixelRect rect) = 0;
    virtual void startTimer(int timer, int intervalMs) = 0;
    virtual void stopTimer(int timer) = 0;
    // Puts those rectangles of the back buffer on screen. The window keeps
    // the buffer to repaint what gets uncovered: it lives as long as the
    // window.
    virtual void present(const render::Image& backBuffer, const std::vector<PixelRect>& rects) = 0;
    // Plain windows of one colour over exactly these rectangles, topmost;
    // their clicks are the window's. Those there are are moved, added or
    // removed to match.
    virtual void coverAlso(const std::vector<PixelRect>& rects, Color color) = 0;
};

struct PaintedWindowDesign {
    std::string caption;
    PixelRect rect;
    bool topmost = false;
    bool showInTaskbar = true;
};

// Made hidden; it reports to events until it goes. Dialogs: dialog.h.
std::unique_ptr<PaintedWindow> createPaintedWindow(const PaintedWindowDesign& design, WindowEvents& events);

// Every monitor of the desktop, in virtual-screen pixels, each with its DPI.
std::vector<Monitor> monitors();

// Where a top-level window of any program is, frame included, in
// virtual-screen pixels; nothing when no window has that handle.
std::optional<PixelRect> windowRect(std::intptr_t window);

}  // namespace backend
}  // namespace host
