#include "host/form_window.h"

#include <algorithm>
#include <vector>

#include "host/app.h"
#include "host/backend/text.h"
#include "host/dialog_window.h"
#include "host/form.h"
#include "host/live_list.h"
#include "host/runtime.h"

namespace host {

namespace {

Monitor primaryMonitor() { return host::primaryMonitor(backend::monitors()); }

// A maximised window takes its monitor whole; any other its design size at
// the primary monitor's DPI, centred on that monitor.
PixelRect designRect(const Form& form) {
    const FormDesign& design = form.design();
    if (design.maximized && form.coveredMonitor()) return *form.coveredMonitor();
    const Monitor monitor = primaryMonitor();
    if (design.maximized) return monitor.bounds;
    const PixelScale scale = PixelScale::fromDpi(monitor.dpi, monitor.dpi);
    const int width = twipsToPixels(design.clientSize.width, scale.twipsPerPixelX);
    const int height = twipsToPixels(design.clientSize.height, scale.twipsPerPixelY);
    const PixelRect& screen = monitor.bounds;
    const int left = screen.left + (screen.right - screen.left - width) / 2;
    const int top = screen.top + (screen.bottom - screen.top - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace

std::unique_ptr<FormWindow> FormWindow::make(Form& form) {
    if (form.hasNativeControls()) return std::make_unique<DialogFormWindow>(form);
    return std::make_unique<PaintedFormWindow>(form);
}

FormWindow::FormWindow(Form& form) : form_(form) { runtime().formWindows.push_back(this); }

FormWindow::~FormWindow() { leaveLiveWindows(); }

void FormWindow::leaveLiveWindows() {
    auto& live = runtime().formWindows;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

PixelScale FormWindow::scale() const { return PixelScale::fromDpi(native().dpi(), native().dpi()); }

// An event of one form may change another's controls (one clock's tick
// moves the hands of all): every window shows what changed. Presenting
// lets the system send events of its own, which may close a window: the
// list is read afresh at every step.
void FormWindow::raiseEvent(const std::function<void()>& event) {
    runEvent(event);
    const std::vector<FormWindow*>& live = runtime().formWindows;
    for (std::size_t i = 0; i < live.size(); ++i) live[i]->presentChanges();
}

// Activate comes the first time the window shows, by whatever route: the
// runtime's Show, or a window-manager call that shows it inside another
// window; a system that activates later or not at all is not waited for.
void FormWindow::showAndActivate() {
    Form& form = form_;
    native().show();
    if (form.window() != this) return;
    native().bringToFront();
    if (form.window() != this) return;
    activate();
}

void FormWindow::activate() {
    if (activated_ && !inactive_) return;
    activated_ = true;
    inactive_ = false;
    Form& form = form_;
    raiseEvent([&form] { form.Form_Activate(); });
}

void FormWindow::unloadForm() {
    Form& form = form_;
    runEvent([&form] { form.Unload(); });
}

PaintedFormWindow::PaintedFormWindow(Form& form)
    : FormWindow(form), surface_(render::toPixel(form.design().backColor)) {
    const FormDesign& design = form.design();
    painted_ = backend::createPaintedWindow(
        {form.Caption(), designRect(form), design.topmost, design.showInTaskbar}, *this);
    client_ = painted_->clientPixels();
    dpi_ = painted_->dpi();
    surface_.resize(client_.width, client_.height);
    updateTimers();
}

PaintedFormWindow::~PaintedFormWindow() {
    leaveLiveWindows();
    painted_.reset();
}

bool PaintedFormWindow::coversTheScreen() const { return form_.design().maximized && !painted_->isChild(); }

void PaintedFormWindow::show() {
    if (coversTheScreen()) coverOtherMonitors();
    showAndActivate();
}

void PaintedFormWindow::showOwnedBy(std::intptr_t owner) {
    painted_->takeOwner(owner);
    show();
}

void PaintedFormWindow::raiseInput(const std::function<void(Form&)>& handler) {
    // A window planted in another program's window is a picture there, not
    // a screen saver to dismiss.
    if (painted_->isChild()) return;
    Form& form = form_;
    raiseEvent([&form, &handler] { handler(form); });
}

void PaintedFormWindow::clicked() {
    raiseInput([](Form& form) { form.Form_Click(); });
}

void PaintedFormWindow::keyPressed() {
    raiseInput([](Form& form) { form.Form_KeyDown(); });
}

void PaintedFormWindow::mouseButtonPressed() {
    raiseInput([](Form& form) { form.Form_MouseDown(); });
}

void PaintedFormWindow::pointerMoved(int x, int y) {
    raiseInput([x, y](Form& form) { form.Form_MouseMove(x, y); });
}

void PaintedFormWindow::timerFired(int timer) {
    const std::vector<Timer*>& timers = form_.timers();
    if (timer < 1 || std::size_t(timer) > timers.size() || !timersRunning_) return;
    const Timer& fired = *timers[std::size_t(timer) - 1];
    if (fired.Enabled && fired.onTimer) raiseEvent(fired.onTimer);
}

void PaintedFormWindow::resized() { geometryChanged(); }

void PaintedFormWindow::dpiChanged() {
    // A full-screen window keeps exactly its monitor, never the rectangle
    // the system suggests for the new DPI.
    Form& form = form_;
    if (coversTheScreen() && !suspended_) placeOverItsMonitor();
    if (form.window() == this) geometryChanged();
}

// Monitors added, removed or resized: the clock stays on the primary one
// and the plain covers follow the others; a form given a monitor of its own
// hears of it and chooses again.
void PaintedFormWindow::displaysChanged() {
    Form& form = form_;
    if (!followCoveredMonitor() || !activated_) return;
    raiseEvent([&form] { form.Form_DisplaysChanged(); });
}

bool PaintedFormWindow::followCoveredMonitor() {
    if (!coversTheScreen() || suspended_) return false;
    Form& form = form_;
    placeOverItsMonitor();
    if (form.window() != this) return false;
    geometryChanged();
    if (form.window() != this) return false;
    coverOtherMonitors();
    return true;
}

void PaintedFormWindow::geometryChanged() {
    const PixelSize client = painted_->clientPixels();
    const int dpi = painted_->dpi();
    if (client == client_ && dpi == dpi_) return;
    client_ = client;
    dpi_ = dpi;
    surface_.resize(client.width, client.height);
    if (!activated_ || suspended_) return;
    Form& form = form_;
    raiseEvent([&form] { form.Form_Resize(); });
}

// Drawing 64 times a second for a display the power plan has turned off, or
// for a locked session, only wastes power: the timers rest until it is back.
void PaintedFormWindow::displayPowerChanged(bool on) {
    displayOff_ = !on;
    updateTimers();
}

void PaintedFormWindow::sessionChanged(bool attended) {
    sessionAway_ = !attended;
    updateTimers();
}

void PaintedFormWindow::updateTimers() {
    // The backend may report the display's state while it makes the window.
    if (!painted_) return;
    const bool run = !displayOff_ && !sessionAway_ && !suspended_;
    if (run == timersRunning_) return;
    timersRunning_ = run;
    const std::vector<Timer*>& timers = form_.timers();
    for (std::size_t index = 0; index < timers.size(); ++index) {
        const int id = int(index) + 1;
        if (!run) {
            painted_->stopTimer(id);
        } else if (timers[index]->Interval > 0) {
            painted_->startTimer(id, timers[index]->Interval);
        }
    }
}

void PaintedFormWindow::placeOverItsMonitor() {
    painted_->place(form_.coveredMonitor().value_or(primaryMonitor().bounds));
}

void PaintedFormWindow::coverOtherMonitors() {
    const std::vector<PixelRect> rects =
        form_.coveredMonitor() ? std::vector<PixelRect>{} : plainCoverRects(backend::monitors());
    painted_->coverAlso(rects, form_.design().backColor);
}

void PaintedFormWindow::suspend() {
    suspended_ = true;
    updateTimers();
    painted_->hide();
    painted_->coverAlso({}, form_.design().backColor);
}

void PaintedFormWindow::presentChanges() {
    if (suspended_) return;
    const std::vector<PixelRect> changed = surface_.paintChanges(form_.paintedControls(), scale());
    painted_->present(surface_.backBuffer(), changed);
}

void PaintedFormWindow::drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) {
    surface_.drawLine(from, to, color, widthPixels, scale());
}

void PaintedFormWindow::drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) {
    if (text.empty()) return;
    const PixelScale pixels = scale();
    const int left = twipsToPixels(topLeft.x, pixels.twipsPerPixelX);
    const int top = twipsToPixels(topLeft.y, pixels.twipsPerPixelY);
    const int dpi = painted_->dpi();
    const backend::TextExtent extent = backend::measureText(text, font, dpi);
    // Glyphs may overhang their advance box by a pixel or two.
    constexpr int overhang = 2;
    surface_.drawInto({left - overhang, top, left + extent.width + overhang, top + extent.height},
                       [&](render::PixelView view, int x, int y) {
                           backend::drawText(view, left + x, top + y, text, font, color, dpi);
                       });
}

TwipSize PaintedFormWindow::textExtent(std::string_view text, const Font& font) const {
    const backend::TextExtent extent = backend::measureText(text, font, painted_->dpi());
    const PixelScale pixels = scale();
    return {Twips(extent.width) * pixels.twipsPerPixelX, Twips(extent.height) * pixels.twipsPerPixelY};
}

void PaintedFormWindow::clearDrawing() {
    surface_.clearPicture();
}

void suspendFormWindows() {
    forEachStillListed(runtime().formWindows, [](FormWindow& window) { window.suspend(); });
}

}  // namespace host
