#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "host/backend/window.h"
#include "host/win32/modal_owner.h"
#include "host/win32/plain_covers.h"

namespace host::win32 {

// GUID_CONSOLE_DISPLAY_STATE: whether the console's display is off (0), on
// (1) or dimmed (2). Spelt out here as the import library does not carry it.
inline constexpr GUID consoleDisplayState{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// The window of a form without native controls: a borderless popup showing
// the runtime's back buffer. It never erases itself, so nothing flickers; it
// turns its messages into reports to the runtime and nothing more.
class PaintedWindow final : public backend::PaintedWindow {
public:
    PaintedWindow(const backend::PaintedWindowDesign& design, backend::WindowEvents& events);
    ~PaintedWindow() override;
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;

    std::intptr_t handle() const override { return reinterpret_cast<std::intptr_t>(window_); }
    void setCaption(const std::string& caption) override;
    void show() override { ShowWindow(window_, SW_SHOW); }
    void bringToFront() override { SetForegroundWindow(window_); }
    void takeOwner(std::intptr_t owner) override;
    void hide() override { ShowWindow(window_, SW_HIDE); }
    PixelSize windowPixels() const override;
    PixelSize clientPixels() const override;
    int dpi() const override { return dpi_; }
    bool isChild() const override { return (GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) != 0; }

    void place(PixelRect rect) override;
    void startTimer(int timer, int intervalMs) override { SetTimer(window_, UINT_PTR(timer), UINT(intervalMs), nullptr); }
    void stopTimer(int timer) override { KillTimer(window_, UINT_PTR(timer)); }
    void present(const render::Image& backBuffer, const std::vector<PixelRect>& rects) override;
    void coverAlso(const std::vector<PixelRect>& rects, Color color) override;

    // What the watch does four times a second: a window planted in another
    // program's window can lose its parent, or see it resized, without
    // hearing of it.
    void followParent();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onPaint();
    void onPowerBroadcast(WPARAM event, LPARAM lParam);
    void onSessionChange(WPARAM event);
    void hearOfTheSession();
    void windowGone();
    void blit(HDC dc, const RECT& rect) const;
    void blitEach(HDC dc, const std::vector<PixelRect>& rects) const;

    backend::WindowEvents& events_;
    HWND window_ = nullptr;
    int dpi_;
    const render::Image* backBuffer_ = nullptr;
    bool destroyedFromOutside_ = false;
    // Until the first paint, frames join it rather than being copied twice.
    bool paintedOnce_ = false;
    bool sessionNotificationsAsked_ = false;
    bool sessionNotifications_ = false;
    HPOWERNOTIFY displayStateNotification_ = nullptr;
    std::unique_ptr<PlainCovers> plainCovers_;
    ModalOwner modalOwner_;
};

}  // namespace host::win32
