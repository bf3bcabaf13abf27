#include "host/headless/headless_window.h"

#include "host/headless/headless_state.h"
#include "host/render/image.h"

namespace host::headless {

HeadlessWindow::HeadlessWindow(WindowState state, backend::WindowEvents& events)
    : handle_(newHandle()), events_(events) {
    state.createdDuringInstanceTurn = machine().instanceTurnHeld;
    machine().windows[handle_] = std::move(state);
    machine().programWindows.push_back(this);
    dpi_ = monitorOf(rect(), machine().monitors).dpi;
    // Windows tells a window that asks for the display's state what it is
    // at once; only a display that is off changes anything.
    if (machine().displayPower == DisplayPower::Off) events_.displayPowerChanged(false);
}

HeadlessWindow::~HeadlessWindow() {
    giveBackOwner(modalTo_);
    for (Handle cover : plainCovers_) machine().windows.erase(cover);
    machine().windows.erase(handle_);
    std::erase(machine().programWindows, this);
}

WindowState& HeadlessWindow::state() const { return machine().windows.at(handle_); }

// A window planted in another takes its monitor from the top-level one.
PixelRect HeadlessWindow::rect() const {
    const WindowState* top = &state();
    while (top->parent != 0 && machine().windows.count(top->parent)) top = &machine().windows.at(top->parent);
    return {top->x, top->y, top->x + top->width, top->y + top->height};
}

int HeadlessWindow::dpi() const { return dpi_; }

void HeadlessWindow::show() {
    const Handle handle = handle_;
    const bool first = !state().visible;
    state().visible = true;
    if (first) events_.activated();
    if (WindowState* shown = machine().windows.count(handle) ? &machine().windows.at(handle) : nullptr) {
        if (shown->parent == 0) shown->active = true;
    }
}

void HeadlessWindow::bringToFront() {
    if (state().parent == 0) state().active = true;
}

void HeadlessWindow::takeOwner(std::intptr_t owner) {
    if (makeModal(handle_, owner)) modalTo_ = owner;
}

void HeadlessWindow::place(PixelRect rect) {
    moved(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, false);
}

// As the window manager reports a move: a new size first, then the showing.
void HeadlessWindow::moved(int x, int y, int width, int height, bool shown) {
    const Handle handle = handle_;
    WindowState& window = state();
    const bool resized = width != window.width || height != window.height;
    window.x = x;
    window.y = y;
    window.width = width;
    window.height = height;
    // As Windows tells a window of its new DPI when it moves to another
    // monitor.
    const int dpi = monitorOf(rect(), machine().monitors).dpi;
    if (dpi != dpi_ && window.parent == 0) {
        dpi_ = dpi;
        events_.dpiChanged();
        if (!programWindow(handle)) return;
    }
    if (resized) events_.resized();
    if (!shown || !programWindow(handle)) return;
    const bool first = !window.visible;
    window.visible = true;
    if (first) events_.activated();
}

void HeadlessWindow::displaysChanged() {
    const Handle handle = handle_;
    const int dpi = monitorOf(rect(), machine().monitors).dpi;
    if (dpi != dpi_ && state().parent == 0) {
        dpi_ = dpi;
        events_.dpiChanged();
    }
    if (programWindow(handle) && state().parent == 0) events_.displaysChanged();
}

void HeadlessWindow::startTimer(int timer, int) { timers_.insert(timer); }

// The rectangles copied from the back buffer. A hidden window keeps them
// too: Windows would paint it whole from the same buffer once shown.
void HeadlessWindow::present(const render::Image& backBuffer, const std::vector<PixelRect>& rects) {
    if (screen_.width() != backBuffer.width() || screen_.height() != backBuffer.height())
        screen_ = render::Image(backBuffer.width(), backBuffer.height());
    presented_ = rects;
    const render::PixelView source{const_cast<std::uint32_t*>(backBuffer.data()), backBuffer.width(),
                                   backBuffer.height(), backBuffer.width()};
    for (const PixelRect& rect : rects) render::copyPixels(source, screen_.view(), rect);
}

// One plain cover per rectangle, reusing those there are.
void HeadlessWindow::coverAlso(const std::vector<PixelRect>& rects, Color color) {
    while (plainCovers_.size() > rects.size()) {
        machine().windows.erase(plainCovers_.back());
        plainCovers_.pop_back();
    }
    while (plainCovers_.size() < rects.size()) plainCovers_.push_back(newHandle());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        WindowState& cover = machine().windows[plainCovers_[i]];
        cover.style = state().style;
        cover.className = backend::plainCoverWindowClass;
        cover.x = rects[i].left;
        cover.y = rects[i].top;
        cover.width = rects[i].right - rects[i].left;
        cover.height = rects[i].bottom - rects[i].top;
        cover.visible = true;
        cover.topmost = true;
        cover.plainCoverOf = handle_;
        cover.backColor = color;
    }
}

}  // namespace host::headless
