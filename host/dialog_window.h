#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/backend/dialog.h"
#include "host/dialog_order.h"
#include "host/form_window.h"

namespace host {

// The window of a form of labels, scroll bars, buttons and check boxes: a
// dialog of the platform's own controls. It lays the dialog out for the text
// size and the DPI, colours it, places it over its owner, steps its scroll
// bars within their range, ticks and clears its check boxes, and decides
// which button a report presses.
class DialogFormWindow final : public FormWindow, public backend::DialogEvents {
public:
    explicit DialogFormWindow(Form& form);
    ~DialogFormWindow() override;

    void show() override;
    // Centred over the owner, inside the work area of the owner's monitor.
    void showOwnedBy(std::intptr_t owner) override;
    // Moves the native thumbs and ticks to the values code set.
    void presentChanges() override;
    void suspend() override;

    void activated() override { activate(); }
    void deactivated() override { deactivate(); }
    // The close box unloads the form as code would; no button runs.
    void closeAsked() override { unloadForm(); }
    void destroyed() override { unloadForm(); }
    void dpiChanged() override { arrange(); }
    void lookChanged() override { arrange(); }
    void scrollRequested(backend::ControlId bar, backend::ScrollRequest request) override;
    void buttonPressed(backend::ControlId button) override;
    // Esc presses the Cancel button; without one it does nothing.
    void cancelAsked() override;

    // A dialog has no timers and stays where it is put: these change nothing.
    void clicked() override {}
    void keyPressed() override {}
    void mouseButtonPressed() override {}
    void pointerMoved(int, int) override {}
    void timerFired(int) override {}
    void resized() override {}
    void displaysChanged() override {}
    void displayPowerChanged(bool) override {}
    void sessionChanged(bool) override {}

private:
    backend::NativeWindow& native() const override { return *dialog_; }
    // Lays the controls out at the window's DPI in the form's font as the
    // system measures it now, in the system's colours now.
    void arrange();
    void centreOver(const PixelRect& owner);

    std::vector<OrderedControl> controls_;  // by id
    std::vector<int> shownValues_;          // by id: where each thumb or tick shows
    std::unique_ptr<backend::DialogWindow> dialog_;
};

}  // namespace host
