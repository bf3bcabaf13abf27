#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "host/dirty_region.h"
#include "host/form.h"
#include "host/backend/window.h"
#include "host/win32/dib_section.h"
#include "host/win32/gdi_drawing.h"
#include "host/win32/modal_owner.h"
#include "host/win32/plain_covers.h"

namespace host::win32 {

// GUID_CONSOLE_DISPLAY_STATE: whether the console's display is off (0), on
// (1) or dimmed (2). Spelt out here as the import library does not carry it.
inline constexpr GUID consoleDisplayState{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// The window of a form without native controls: a borderless popup painted
// double-buffered from the form's retained scene. What the form draws goes
// into a persistent layer; each frame composes that layer and the form's
// lines and shapes into a back buffer, and only the changed parts reach the
// screen. The window never erases itself, so nothing flickers.
class CoverWindow final : public WindowPeer, public DrawingLayer {
public:
    explicit CoverWindow(Form& form);
    ~CoverWindow() override;
    CoverWindow(const CoverWindow&) = delete;
    CoverWindow& operator=(const CoverWindow&) = delete;

    std::intptr_t handle() const override { return reinterpret_cast<std::intptr_t>(window_); }
    const Form& form() const { return form_; }
    void setCaption(const std::string& caption) override;
    // A full-screen window also covers every other monitor, with plain covers.
    void show() override;
    void showOwnedBy(std::intptr_t owner) override;
    PixelSize windowPixels() const override;
    PixelSize clientPixels() const override;
    PixelScale scale() const override { return PixelScale::fromDpi(dpi_, dpi_); }
    DrawingLayer* drawingLayer() override { return this; }

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
    const PlainCovers* plainCovers() const { return plainCovers_.get(); }
    // Stops the timers and hides the window, so nothing runs or covers the
    // screen while the runtime's error box is up; neither the display coming
    // back nor a change of monitors brings them back.
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
    void onDisplayChange();
    void onPowerBroadcast(WPARAM event, LPARAM lParam);
    void placeOverPrimaryMonitor();
    void raiseFirstActivation();
    void windowGone();
    void resizeBuffers(int width, int height);
    void blit(const std::vector<PixelRect>& rects);
    void startTimers();
    void stopTimers();
    bool coversTheScreen() const;
    POINT toPixels(TwipPoint point) const;
    bool isChild() const;

    Form& form_;
    HWND window_ = nullptr;
    int dpi_;
    std::uint32_t background_;
    DibSection persistentLayer_;
    DibSection backBuffer_;
    render::FrameRecord presentedFrame_;
    bool backBufferStale_ = true;
    DirtyRegion layerChanges_;
    mutable FontCache fonts_;
    HDC measuringDc_;
    bool activated_ = false;
    bool inactive_ = false;
    bool destroyedFromOutside_ = false;
    bool displayOff_ = false;
    bool suspended_ = false;
    HPOWERNOTIFY displayStateNotification_ = nullptr;
    std::unique_ptr<PlainCovers> plainCovers_;
    ModalOwner modalOwner_;
};

// Every live cover window, for the runtime's error path.
void suspendCoverWindows();

}  // namespace host::win32
