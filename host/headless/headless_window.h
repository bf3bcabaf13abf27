#pragma once

#include <set>
#include <vector>

#include "host/backend/window.h"
#include "host/headless/headless_records.h"

namespace host::headless {

// A window of the program in memory: its state lives in the machine's
// window table, what it shows in an image of its client area.
class HeadlessWindow final : public backend::PaintedWindow {
public:
    HeadlessWindow(WindowState state, backend::WindowEvents& events);
    ~HeadlessWindow() override;

    std::intptr_t handle() const override { return handle_; }
    void setCaption(const std::string& caption) override { state().title = caption; }
    void show() override;
    void bringToFront() override;
    void takeOwner(std::intptr_t owner) override;
    void hide() override { state().visible = false; }
    PixelSize windowPixels() const override { return {state().width, state().height}; }
    PixelSize clientPixels() const override { return {state().width, state().height}; }
    int dpi() const override;
    bool isChild() const override { return state().parent != 0; }

    void place(PixelRect rect) override;
    void startTimer(int timer, int intervalMs) override;
    void stopTimer(int timer) override { timers_.erase(timer); }
    void present(const render::Image& backBuffer, const std::vector<PixelRect>& rects) override;
    void coverAlso(const std::vector<PixelRect>& rects, Color color) override;

    backend::WindowEvents& events() { return events_; }
    const std::set<int>& runningTimers() const { return timers_; }
    const render::Image& screen() const { return screen_; }
    const std::vector<PixelRect>& lastPresentedRects() const { return presented_; }
    // The window manager moved or resized it, or showed it (SWP_SHOWWINDOW).
    void moved(int x, int y, int width, int height, bool shown);
    // The monitors changed: the window hears of a new DPI, then of the change.
    void displaysChanged();

private:
    WindowState& state() const;
    PixelRect rect() const;

    Handle handle_;
    backend::WindowEvents& events_;
    int dpi_;
    std::set<int> timers_;
    Handle modalTo_ = 0;  // the window this one disabled while it is open
    std::vector<Handle> plainCovers_;
    render::Image screen_;
    std::vector<PixelRect> presented_;
};

}  // namespace host::headless
