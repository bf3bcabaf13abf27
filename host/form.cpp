#include "host/form.h"

#include "host/app.h"
#include "host/form_window.h"

namespace host {

Form::Form(FormDesign design) : design_(std::move(design)), caption_(design_.caption), font_(design_.font) {}

// A form destroyed while loaded (its owner went away first) no longer counts
// as loaded; no event runs, since the form's own members are already gone.
Form::~Form() {
    if (isLoaded()) releaseWindow();
}

void Form::Load() {
    if (isLoaded()) return;
    window_ = FormWindow::make(*this);
    formLoaded();
    Form_Load();
}

void Form::Show() {
    Load();
    window_->show();
}

void Form::ShowOwnedBy(std::intptr_t ownerWindow) {
    Load();
    window_->showOwnedBy(ownerWindow);
}

void Form::Unload() {
    if (!isLoaded()) return;
    Form_Unload();
    releaseWindow();
}

void Form::releaseWindow() {
    window_.reset();
    formUnloaded();
}

void Form::CoverMonitor(const std::optional<PixelRect>& bounds) {
    if (bounds == coveredMonitor_) return;
    coveredMonitor_ = bounds;
    if (PaintedFormWindow* painted = paintedWindow()) painted->followCoveredMonitor();
}

void Form::setCaption(std::string caption) {
    caption_ = std::move(caption);
    if (window_) window_->setCaption(caption_);
}

std::intptr_t Form::hWnd() const {
    // Reading hWnd of a form that is not loaded loads it, as the runtime does.
    if (!window_) const_cast<Form*>(this)->Load();
    return window_->handle();
}

PaintedFormWindow* Form::paintedWindow() const { return dynamic_cast<PaintedFormWindow*>(window_.get()); }

PixelScale Form::scale() const { return window_ ? window_->scale() : PixelScale{}; }

Twips Form::Width() const { return window_ ? Twips(window_->windowPixels().width) * scale().twipsPerPixelX : 0; }
Twips Form::Height() const { return window_ ? Twips(window_->windowPixels().height) * scale().twipsPerPixelY : 0; }
Twips Form::ScaleWidth() const { return window_ ? Twips(window_->clientPixels().width) * scale().twipsPerPixelX : 0; }
Twips Form::ScaleHeight() const {
    return window_ ? Twips(window_->clientPixels().height) * scale().twipsPerPixelY : 0;
}

void Form::DrawLine(TwipPoint from, TwipPoint to, Color color) {
    if (PaintedFormWindow* painted = paintedWindow()) painted->drawLine(from, to, color, 1);
}

void Form::Cls() {
    if (PaintedFormWindow* painted = paintedWindow()) painted->clearDrawing();
    CurrentX = 0;
    CurrentY = 0;
}

void Form::Print(std::string_view text) {
    PaintedFormWindow* painted = paintedWindow();
    if (!painted) return;
    painted->drawText({CurrentX, CurrentY}, text, font_, colors::black);
    CurrentY += TextHeight(text);
    CurrentX = 0;
}

Twips Form::TextWidth(std::string_view text) const {
    const PaintedFormWindow* painted = paintedWindow();
    return painted ? painted->textExtent(text, font_).width : 0;
}

Twips Form::TextHeight(std::string_view text) const {
    const PaintedFormWindow* painted = paintedWindow();
    return painted ? painted->textExtent(text, font_).height : 0;
}

}  // namespace host
