#include "host/form_window.h"

#include <algorithm>
#include <vector>

#include "host/app.h"
#include "host/backend/text.h"
#include "host/form.h"
#include "host/live_list.h"

namespace host {

namespace {

std::vector<FormWindow*>& liveFormWindows() {
    static std::vector<FormWindow*> windows;
    return windows;
}

Monitor primaryMonitor() { return host::primaryMonitor(backend::monitors()); }

// A window that is not maximised: its design size at the primary monitor's
// DPI, centred on that monitor.
PixelRect designRect(const FormDesign& design) {
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

backend::DialogDesign dialogDesign(const Form& form) {
    return {form.Caption(), form.design().clientSize, form.font(),
            dialogOrder(form.labels(), form.scrollBars(), form.buttons())};
}

}  // namespace

FormWindow::FormWindow(Form& form) : form_(form) {
    const FormDesign& design = form.design();
    if (form.hasNativeControls()) {
        native_ = backend::createDialogWindow(dialogDesign(form), *this);
    } else {
        auto painted = backend::createPaintedWindow(
            {form.Caption(), designRect(design), design.topmost, design.showInTaskbar}, *this);
        painted_ = painted.get();
        native_ = std::move(painted);
        surface_ = std::make_unique<render::Surface>(render::toPixel(design.backColor));
    }
    client_ = native_->clientPixels();
    dpi_ = native_->dpi();
    if (surface_) surface_->resize(client_.width, client_.height);
    liveFormWindows().push_back(this);
    updateTimers();
}

FormWindow::~FormWindow() {
    auto& live = liveFormWindows();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

PixelScale FormWindow::scale() const { return PixelScale::fromDpi(native_->dpi(), native_->dpi()); }

bool FormWindow::coversTheScreen() const { return form_.design().maximized && !native_->isChild(); }

void FormWindow::raise(Form& form, const std::function<void()>& event) {
    runEvent(event);
    if (FormWindow* window = form.window()) window->presentChanges();
}

// Activate comes the first time the window shows, by whatever route: the
// runtime's Show, or a window-manager call that shows it inside another
// window; a system that activates later or not at all is not waited for.
void FormWindow::show() {
    Form& form = form_;
    if (coversTheScreen()) coverOtherMonitors();
    native_->show();
    if (form.window() != this) return;
    native_->bringToFront();
    if (form.window() != this) return;
    activated();
}

void FormWindow::showOwnedBy(std::intptr_t owner) {
    native_->takeOwner(owner);
    show();
}

// And again each time it becomes the active window after another was.
void FormWindow::activated() {
    if (activated_ && !inactive_) return;
    activated_ = true;
    inactive_ = false;
    Form& form = form_;
    raise(form, [&form] { form.Form_Activate(); });
}

void FormWindow::clicked() {
    // A window planted in another program's window is a picture there, not
    // a screen saver to dismiss.
    if (native_->isChild()) return;
    Form& form = form_;
    raise(form, [&form] { form.Form_Click(); });
}

void FormWindow::buttonClicked(const CommandButton& button) {
    if (button.onClick) raise(form_, button.onClick);
}

void FormWindow::timerFired(int timer) {
    const std::vector<Timer*>& timers = form_.timers();
    if (timer < 1 || std::size_t(timer) > timers.size() || !timersRunning_) return;
    const Timer& fired = *timers[std::size_t(timer) - 1];
    if (fired.Enabled && fired.onTimer) raise(form_, fired.onTimer);
}

void FormWindow::closeAsked() {
    Form& form = form_;
    runEvent([&form] { form.Unload(); });
}

void FormWindow::destroyed() {
    Form& form = form_;
    runEvent([&form] { form.Unload(); });
}

void FormWindow::resized() { geometryChanged(); }

void FormWindow::dpiChanged() {
    // A full-screen window keeps exactly its monitor, never the rectangle
    // the system suggests for the new DPI.
    Form& form = form_;
    if (coversTheScreen() && !suspended_) placeOverPrimaryMonitor();
    if (form.window() == this) geometryChanged();
}

// Monitors added, removed or resized: the clock stays on the primary one
// and the plain covers follow the others.
void FormWindow::displaysChanged() {
    if (suspended_ || !coversTheScreen()) return;
    Form& form = form_;
    placeOverPrimaryMonitor();
    if (form.window() != this) return;
    geometryChanged();
    if (form.window() == this) coverOtherMonitors();
}

void FormWindow::geometryChanged() {
    const PixelSize client = native_->clientPixels();
    const int dpi = native_->dpi();
    if (client == client_ && dpi == dpi_) return;
    client_ = client;
    dpi_ = dpi;
    if (surface_) surface_->resize(client.width, client.height);
    if (!activated_ || suspended_) return;
    Form& form = form_;
    raise(form, [&form] { form.Form_Resize(); });
}

// Drawing 64 times a second for a display the power plan has turned off, or
// for a locked session, only wastes power: the timers rest until it is back.
void FormWindow::displayPowerChanged(bool on) {
    displayOff_ = !on;
    updateTimers();
}

void FormWindow::sessionChanged(bool attended) {
    sessionAway_ = !attended;
    updateTimers();
}

void FormWindow::updateTimers() {
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

void FormWindow::placeOverPrimaryMonitor() {
    if (painted_) painted_->place(primaryMonitor().bounds);
}

void FormWindow::coverOtherMonitors() {
    if (painted_) painted_->coverAlso(plainCoverRects(backend::monitors()), form_.design().backColor);
}

void FormWindow::suspend() {
    suspended_ = true;
    updateTimers();
    native_->hide();
    if (painted_) painted_->coverAlso({}, form_.design().backColor);
}

void FormWindow::presentChanges() {
    if (!surface_ || suspended_) return;
    const std::vector<PixelRect> changed = surface_->paintChanges(form_.paintedControls(), scale());
    painted_->present(surface_->backBuffer(), changed);
}

void FormWindow::drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) {
    if (surface_) surface_->drawLine(from, to, color, widthPixels, scale());
}

void FormWindow::drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) {
    if (!surface_ || text.empty()) return;
    const PixelScale pixels = scale();
    const int left = twipsToPixels(topLeft.x, pixels.twipsPerPixelX);
    const int top = twipsToPixels(topLeft.y, pixels.twipsPerPixelY);
    const int dpi = native_->dpi();
    const backend::TextExtent extent = backend::measureText(text, font, dpi);
    // Glyphs may overhang their advance box by a pixel or two.
    constexpr int overhang = 2;
    surface_->drawInto({left - overhang, top, left + extent.width + overhang, top + extent.height},
                       [&](render::PixelView view, int x, int y) {
                           backend::drawText(view, left + x, top + y, text, font, color, dpi);
                       });
}

TwipSize FormWindow::textExtent(std::string_view text, const Font& font) const {
    if (!surface_) return {};
    const backend::TextExtent extent = backend::measureText(text, font, native_->dpi());
    const PixelScale pixels = scale();
    return {Twips(extent.width) * pixels.twipsPerPixelX, Twips(extent.height) * pixels.twipsPerPixelY};
}

void FormWindow::clearDrawing() {
    if (surface_) surface_->clearPicture();
}

void suspendFormWindows() {
    forEachStillListed(liveFormWindows(), [](FormWindow& window) { window.suspend(); });
}

}  // namespace host
