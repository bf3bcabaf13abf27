#pragma once

// What a backend provides for windows: one peer per loaded form, made by
// createWindow, that puts the form on the screen. See program.h for the
// whole contract.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/form.h"
#include "host/geometry.h"

namespace host {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// What a painted window keeps of what the form draws on it (the dial): it
// survives controls moving over it and the window being uncovered. Positions
// are twips of the client area.
class DrawingLayer {
public:
    virtual void drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) = 0;
    virtual void drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) = 0;
    virtual TwipSize textExtent(std::string_view text, const Font& font) const = 0;

protected:
    ~DrawingLayer() = default;
};

// A form's window on the platform.
class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    virtual std::intptr_t handle() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // Shows the window modeless. Activate follows the first time the window
    // shows, by whatever route (this, or a window-manager call that shows
    // it inside another window), and again each time it becomes the active
    // window after another was.
    virtual void show() = 0;
    // Shows it owned by another window, which may belong to another program,
    // and modal to it: centred over the owner, inside the work area of the
    // owner's monitor; the owner is disabled while this window is open, and
    // enabled and made active again just before this window goes.
    virtual void showOwnedBy(std::intptr_t owner) = 0;
    virtual PixelSize windowPixels() const = 0;
    virtual PixelSize clientPixels() const = 0;
    virtual PixelScale scale() const = 0;
    // The layer the form draws on; none for a window of native controls.
    virtual DrawingLayer* drawingLayer() = 0;
};

namespace backend {

// Creates the form's window, hidden: a painted window for a form of lines
// and shapes, covering the primary monitor when the form is maximised (and
// every other monitor with plain covers of its back colour once shown), or
// a dialog window of native controls for a form of labels, scroll bars and
// buttons. The window raises the form's events: Activate, Click (not while
// it is planted in another window), its timers (which rest while the
// display is off), Unload when it is closed or destroyed from outside.
std::unique_ptr<WindowPeer> createWindow(Form& form);

}  // namespace backend
}  // namespace host
