#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "host/dirty_region.h"
#include "host/form.h"
#include "host/platform.h"
#include "host/win32/dib_section.h"
#include "host/win32/gdi_drawing.h"

namespace host::win32 {

// The window of a form without native controls: a borderless popup painted
// double-buffered from the form's retained scene. What the form draws goes
// into a persistent layer; each frame composes that layer and the form's
// lines and shapes into a back buffer, and only the changed parts reach the
// screen. The window never erases itself, so nothing flickers.
class CoverWindow final : public WindowPeer {
public:
    explicit CoverWindow(Form& form);
    ~CoverWindow() override;
    CoverWindow(const CoverWindow&) = delete;
    CoverWindow& operator=(const CoverWindow&) = delete;

    std::intptr_t handle() const override { return reinterpret_cast<std::intptr_t>(window_); }
    void setCaption(const std::string& caption) override;
    void show() override;
    PixelSize windowPixels() const override;
    PixelSize clientPixels() const override;
    PixelScale scale() const override { return PixelScale::fromDpi(dpi_, dpi_); }

    void drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) override;
    void drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) override;
    TwipSize textExtent(std::string_view text, const Font& font) const override;

    // Paints what changed since the last frame into the back buffer and
    // returns the rectangles that differ from the screen.
    std::vector<PixelRect> paintChanges();
    // Repaints the whole back buffer from the scene.
    void paintFullFrame();
    // Paints the changes and copies them to the window.
    void presentChanges();

    const DibSection& backBuffer() const { return backBuffer_; }
    // Stops the timers and hides the window, so nothing runs or covers the
    // screen while the runtime's error box is up.
    void suspend();
    // Ends the form when the window, or the window it was planted in, is gone.
    void endIfOrphaned();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs an event of the form, then shows what it changed. The event may
    // unload the form and with it this window, so this is not touched after.
    static void raise(Form& form, const std::function<void()>& event);

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onPaint();
    void onWindowPosChanged(WPARAM wParam, LPARAM lParam);
    void onActivate(WPARAM wParam);
    void onTimer(WPARAM id);
    void onDpiChanged(int dpi, const RECT& suggested);
    void placeOverPrimaryMonitor();
    void raiseFirstActivation();
    void windowGone();
    void resizeBuffers(int width, int height);
    void blit(const std::vector<PixelRect>& rects);
    void startTimers();
    POINT toPixels(TwipPoint point) const;
    bool isChild() const;

    Form& form_;
    HWND window_ = nullptr;
    int dpi_;
    std::uint32_t background_;
    DibSection persistentLayer_;
    DibSection backBuffer_;
    bool backBufferStale_ = true;
    DirtyRegion layerChanges_;
    mutable FontCache fonts_;
    HDC measuringDc_;
    bool activated_ = false;
    bool inactive_ = false;
    bool destroyedFromOutside_ = false;
};

// Every live cover window, for the runtime's error path.
void suspendCoverWindows();

}  // namespace host::win32
