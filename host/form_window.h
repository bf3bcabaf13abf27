#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/backend/window.h"
#include "host/render/surface.h"

namespace host {

class Form;

// A loaded form's window as the runtime sees it, the same on every
// platform: it raises the form's events for what its backend window
// reports, presents what they changed, keeps the picture and the back
// buffer of a painted window, and decides where a full-screen window goes,
// which monitors get plain covers and when its timers rest.
class FormWindow final : public backend::WindowEvents {
public:
    explicit FormWindow(Form& form);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    std::intptr_t handle() const { return native_->handle(); }
    void setCaption(const std::string& caption) { native_->setCaption(caption); }
    void show();
    void showOwnedBy(std::intptr_t owner);
    PixelSize windowPixels() const { return native_->windowPixels(); }
    PixelSize clientPixels() const { return native_->clientPixels(); }
    PixelScale scale() const;

    // Persistent drawing; nothing on a window of native controls.
    void drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels);
    void drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color);
    TwipSize textExtent(std::string_view text, const Font& font) const;
    void clearDrawing();

    // Paints what changed since the last frame and puts it on screen.
    void presentChanges();
    // Nothing of it ticks or shows any more: the error box is coming up.
    void suspend();

    // The painted window's surface; null for a window of native controls.
    render::Surface* surface() { return surface_.get(); }

    void activated() override;
    void deactivated() override { inactive_ = true; }
    void clicked() override;
    void buttonClicked(const CommandButton& button) override;
    void timerFired(int timer) override;
    void closeAsked() override;
    void destroyed() override;
    void resized() override;
    void dpiChanged() override;
    void displaysChanged() override;
    void displayPowerChanged(bool on) override;
    void sessionChanged(bool attended) override;

private:
    // Runs an event of the form, then presents what it changed. The event
    // may unload the form and with it this window: nothing of this object
    // is touched after it.
    static void raise(Form& form, const std::function<void()>& event);

    bool coversTheScreen() const;
    void placeOverPrimaryMonitor();
    void coverOtherMonitors();
    // After a change of size or DPI: the back buffer follows, and a shown
    // form hears of it.
    void geometryChanged();
    void updateTimers();

    Form& form_;
    std::unique_ptr<backend::NativeWindow> native_;
    backend::PaintedWindow* painted_ = nullptr;
    std::unique_ptr<render::Surface> surface_;
    PixelSize client_;
    int dpi_ = 96;
    bool activated_ = false;
    bool inactive_ = false;
    bool displayOff_ = false;
    bool sessionAway_ = false;
    bool suspended_ = false;
    bool timersRunning_ = false;
};

// Every window of the program rests, for the runtime's error box.
void suspendFormWindows();

}  // namespace host
