#include "host/form.h"

#include "host/app.h"
#include "host/backend/window.h"
#include "host/backend/program.h"

namespace host {

Form::Form(FormDesign design) : design_(std::move(design)), caption_(design_.caption), font_(design_.font) {}

// A form destroyed while loaded (its owner went away first) no longer counts
// as loaded; no event runs, since the form's own members are already gone.
Form::~Form() {
    if (isLoaded()) releaseWindow();
}

void Form::Load() {
    if (isLoaded()) return;
    peer_ = backend::createWindow(*this);
    formLoaded();
    Form_Load();
}

void Form::Show() {
    Load();
    peer_->show();
}

void Form::ShowOwnedBy(std::intptr_t ownerWindow) {
    Load();
    peer_->showOwnedBy(ownerWindow);
}

void Form::Unload() {
    if (!isLoaded()) return;
    Form_Unload();
    releaseWindow();
}

void Form::releaseWindow() {
    peer_.reset();
    formUnloaded();
}

void Form::setCaption(std::string caption) {
    caption_ = std::move(caption);
    if (peer_) peer_->setCaption(caption_);
}

std::intptr_t Form::hWnd() const {
    // Reading hWnd of a form that is not loaded loads it, as the runtime does.
    if (!peer_) const_cast<Form*>(this)->Load();
    return peer_->handle();
}

PixelScale Form::scale() const { return peer_ ? peer_->scale() : PixelScale{}; }

Twips Form::Width() const { return peer_ ? Twips(peer_->windowPixels().width) * scale().twipsPerPixelX : 0; }
Twips Form::Height() const { return peer_ ? Twips(peer_->windowPixels().height) * scale().twipsPerPixelY : 0; }
Twips Form::ScaleWidth() const { return peer_ ? Twips(peer_->clientPixels().width) * scale().twipsPerPixelX : 0; }
Twips Form::ScaleHeight() const { return peer_ ? Twips(peer_->clientPixels().height) * scale().twipsPerPixelY : 0; }

DrawingLayer* Form::drawingLayer() const { return peer_ ? peer_->drawingLayer() : nullptr; }

void Form::DrawLine(TwipPoint from, TwipPoint to, Color color) {
    if (DrawingLayer* layer = drawingLayer()) layer->drawLine(from, to, color, 1);
}

void Form::Print(std::string_view text) {
    DrawingLayer* layer = drawingLayer();
    if (!layer) return;
    layer->drawText({CurrentX, CurrentY}, text, font_, colors::black);
    CurrentY += TextHeight(text);
    CurrentX = 0;
}

Twips Form::TextWidth(std::string_view text) const {
    const DrawingLayer* layer = drawingLayer();
    return layer ? layer->textExtent(text, font_).width : 0;
}

Twips Form::TextHeight(std::string_view text) const {
    const DrawingLayer* layer = drawingLayer();
    return layer ? layer->textExtent(text, font_).height : 0;
}

}  // namespace host
