#include "host/headless/headless_window.h"

#include <cmath>

#include "host/app.h"
#include "host/headless/bitmap_font.h"
#include "host/headless/headless_state.h"
#include "host/render/pixel_geometry.h"

namespace host::headless {

namespace {

constexpr std::int32_t popupStyle = std::int32_t(0x86000000u);      // WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
constexpr std::int32_t toolWindowStyle = std::int32_t(0x84C80000u);  // WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU

}  // namespace

HeadlessWindow::HeadlessWindow(Form& form) : form_(form), handle_(machine().nextHandle) {
    machine().nextHandle += 0x10;
    const FormDesign& design = form.design();
    WindowState state;
    state.title = form.Caption();
    state.form = &form;
    state.style = design.border == BorderStyle::None ? popupStyle : toolWindowStyle;
    state.topmost = design.topmost;
    state.createdDuringInstanceTurn = machine().instanceTurnHeld;
    if (design.maximized) {
        const PixelRect screen = primaryMonitor().bounds;
        state.x = screen.left;
        state.y = screen.top;
        state.width = screen.right - screen.left;
        state.height = screen.bottom - screen.top;
    } else {
        const PixelScale pixels = scale();
        state.width = twipsToPixels(design.clientSize.width, pixels.twipsPerPixelX);
        state.height = twipsToPixels(design.clientSize.height, pixels.twipsPerPixelY);
    }
    machine().windows[handle_] = state;
    machine().formWindows[handle_] = this;
}

HeadlessWindow::~HeadlessWindow() {
    // The owner takes the focus back before this window goes.
    const auto owner = machine().windows.find(modalTo_);
    if (owner != machine().windows.end()) {
        owner->second.enabled = true;
        owner->second.active = true;
    }
    for (Handle cover : plainCovers_) machine().windows.erase(cover);
    machine().windows.erase(handle_);
    machine().formWindows.erase(handle_);
}

WindowState& HeadlessWindow::state() const { return machine().windows.at(handle_); }

void HeadlessWindow::setCaption(const std::string& caption) { state().title = caption; }

void HeadlessWindow::show() {
    state().visible = true;
    if (state().parent == 0) state().active = true;
    if (coversTheScreen()) followMonitors();
    becameVisible();
}

void HeadlessWindow::showOwnedBy(std::intptr_t owner) {
    const auto found = machine().windows.find(owner);
    if (found == machine().windows.end()) {
        show();
        return;
    }
    WindowState& ownerState = found->second;
    const PixelRect ownerRect{ownerState.x, ownerState.y, ownerState.x + ownerState.width,
                              ownerState.y + ownerState.height};
    const PixelRect placed = centredOver(ownerRect, state().width, state().height,
                                         monitorOf(ownerRect, machine().monitors).workArea);
    state().owner = owner;
    state().x = placed.left;
    state().y = placed.top;
    ownerState.enabled = false;
    ownerState.active = false;
    modalTo_ = owner;
    show();
}

bool HeadlessWindow::coversTheScreen() const { return form_.design().maximized && state().parent == 0; }

void HeadlessWindow::displaysChanged() {
    if (!plainCovers_.empty() || (coversTheScreen() && state().visible)) followMonitors();
}

// One plain cover per monitor besides the primary, reusing those there are.
void HeadlessWindow::followMonitors() {
    const std::vector<PixelRect> rects = plainCoverRects(machine().monitors);
    while (plainCovers_.size() > rects.size()) {
        machine().windows.erase(plainCovers_.back());
        plainCovers_.pop_back();
    }
    while (plainCovers_.size() < rects.size()) {
        plainCovers_.push_back(machine().nextHandle);
        machine().nextHandle += 0x10;
    }
    for (std::size_t i = 0; i < rects.size(); ++i) {
        WindowState& cover = machine().windows[plainCovers_[i]];
        cover.style = popupStyle;
        cover.x = rects[i].left;
        cover.y = rects[i].top;
        cover.width = rects[i].right - rects[i].left;
        cover.height = rects[i].bottom - rects[i].top;
        cover.visible = true;
        cover.topmost = true;
        cover.plainCoverOf = handle_;
        cover.backColor = form_.design().backColor;
    }
}

void HeadlessWindow::becameVisible() {
    if (activated_) return;
    activated_ = true;
    runEvent([this] { form_.Form_Activate(); });
}

PixelSize HeadlessWindow::windowPixels() const { return {state().width, state().height}; }
PixelSize HeadlessWindow::clientPixels() const { return {state().width, state().height}; }
PixelScale HeadlessWindow::scale() const {
    const int dpi = primaryMonitor().dpi;
    return PixelScale::fromDpi(dpi, dpi);
}

void HeadlessWindow::drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) {
    lines_.push_back({from, to, color, widthPixels});
    recordAndDraw({false, lines_.size() - 1});
}

void HeadlessWindow::drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) {
    texts_.push_back({topLeft, std::string(text), font.name, textExtent(text, font)});
    textColors_.push_back(color);
    recordAndDraw({true, texts_.size() - 1});
}

// A fixed-pitch font: each character 0.6 em wide, lines 1.15 em high.
HeadlessWindow::TextCell HeadlessWindow::textCell(const Font& font) const {
    const float emPixels = font.sizePoints * float(primaryMonitor().dpi) / 72.0f;
    return {int(std::lround(emPixels * 0.6f)), int(std::lround(emPixels * 1.15f))};
}

TwipSize HeadlessWindow::textExtent(std::string_view text, const Font& font) const {
    const TextCell cell = textCell(font);
    const PixelScale pixels = scale();
    return {float(cell.width) * float(text.size()) * pixels.twipsPerPixelX, float(cell.height) * pixels.twipsPerPixelY};
}

void HeadlessWindow::recordAndDraw(DrawCall call) {
    drawOrder_.push_back(call);
    if (!framed_) return;
    if (!layersMatchClient()) {
        rebuildLayers();
        return;
    }
    exposed_.add(drawIntoLayer(layer_.view(), call));
}

PixelRect HeadlessWindow::drawIntoLayer(render::PixelView layer, const DrawCall& call) const {
    const PixelScale pixels = scale();
    if (!call.isText) {
        const DrawnLine& line = lines_[call.index];
        return render::drawLine(layer, line.from, line.to, line.color, line.widthPixels, pixels);
    }
    const DrawnText& text = texts_[call.index];
    if (text.text.empty()) return {};
    const int left = twipsToPixels(text.topLeft.x, pixels.twipsPerPixelX);
    const int top = twipsToPixels(text.topLeft.y, pixels.twipsPerPixelY);
    const int characters = int(text.text.size());
    const int cellWidth = twipsToPixels(text.extent.width, pixels.twipsPerPixelX) / characters;
    const int cellHeight = twipsToPixels(text.extent.height, pixels.twipsPerPixelY);
    drawBitmapText(layer, left, top, text.text, cellWidth, cellHeight, render::toPixel(textColors_[call.index]));
    return {left, top, left + cellWidth * characters, top + cellHeight};
}

render::Image HeadlessWindow::composeLayer() const {
    render::Image layer(state().width, state().height, render::toPixel(form_.design().backColor));
    for (const DrawCall& call : drawOrder_) drawIntoLayer(layer.view(), call);
    return layer;
}

bool HeadlessWindow::layersMatchClient() const {
    return layer_.width() == state().width && layer_.height() == state().height;
}

void HeadlessWindow::rebuildLayers() {
    layer_ = composeLayer();
    backBuffer_ = render::Image(layer_.width(), layer_.height());
    exposed_.clear();
    exposed_.add({0, 0, layer_.width(), layer_.height()});
}

const render::Image& HeadlessWindow::renderFrame() {
    if (!framed_ || !layersMatchClient()) {
        framed_ = true;
        rebuildLayers();
    }
    presented_ = render::paintChanges(form_, presentedFrame_, layer_.view(), backBuffer_.view(), exposed_);
    exposed_.clear();
    return backBuffer_;
}

render::Image HeadlessWindow::currentFrame() const {
    if (framed_) return backBuffer_;
    render::Image layer = composeLayer();
    render::Image frame(layer.width(), layer.height());
    render::paintScene(form_, layer.view(), frame.view(), {0, 0, frame.width(), frame.height()});
    return frame;
}

}  // namespace host::headless
