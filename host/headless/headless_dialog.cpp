#include "host/headless/headless_dialog.h"

#include <cmath>

#include "host/backend/text.h"
#include "host/backend/window_styles.h"
#include "host/headless/headless_state.h"
#include "host/monitors.h"

namespace host::headless {

namespace {

using backend::ControlKind;

// A dialog whose design names no font shows the desktop's message font.
Font shownFont(const Font& font) {
    if (!font.name.empty()) return font;
    return {{}, machine().messageFontPoints};
}

// The room a push button's edges and focus rectangle take from its caption
// on each side, as on Windows.
int buttonMargin(int dpi) { return 2 * (2 * dpi / 96) + 1; }

// The room a check box's box and the gap after it take before its caption,
// and its focus rectangle after it, as on Windows.
int checkBoxMargin(int dpi) { return (13 + 4 + 2) * dpi / 96; }

bool isButtonLike(ControlKind kind) { return kind == ControlKind::Button || kind == ControlKind::CheckBox; }

}  // namespace

HeadlessDialog::HeadlessDialog(const backend::DialogDesign& design, backend::DialogEvents& events)
    : handle_(newHandle()), events_(events) {
    WindowState window;
    window.title = design.caption;
    window.className = backend::dialogWindowClass;
    window.style = std::int32_t(backend::dialogWindowStyle);
    window.createdDuringInstanceTurn = machine().instanceTurnHeld;
    machine().windows[handle_] = std::move(window);
    machine().dialogs[handle_] = this;
    dpi_ = monitorOf({0, 0, 1, 1}, machine().monitors).dpi;
    for (const backend::ControlDesign& control : design.controls) controls_.push_back({control, {}});
}

HeadlessDialog::~HeadlessDialog() {
    giveBackOwner(modalTo_);
    machine().windows.erase(handle_);
    machine().dialogs.erase(handle_);
}

WindowState& HeadlessDialog::state() const { return machine().windows.at(handle_); }

// The focus goes to the first control that takes it.
void HeadlessDialog::show() {
    const bool first = !state().visible;
    state().visible = true;
    state().active = true;
    if (focus_ < 0) moveFocus(1);
    if (first) events_.activated();
}

void HeadlessDialog::takeOwner(std::intptr_t owner) {
    if (makeModal(handle_, owner)) modalTo_ = owner;
}

backend::TextExtent HeadlessDialog::captionRoom(ControlKind kind, const std::string& caption,
                                                const Font& font) const {
    backend::TextExtent room = backend::measureText(caption, shownFont(font), dpi_);
    if (kind == ControlKind::Button) room.width += 2 * buttonMargin(dpi_);
    if (kind == ControlKind::CheckBox) room.width += checkBoxMargin(dpi_);
    return room;
}

int HeadlessDialog::emPixels(const Font& font) const {
    return int(std::lround(shownFont(font).sizePoints * float(dpi_) / 72.0f));
}

void HeadlessDialog::arrange(const backend::DialogArrangement& arrangement) {
    state().width = arrangement.client.width;
    state().height = arrangement.client.height;
    state().backColor = arrangement.face;
    for (std::size_t id = 0; id < controls_.size() && id < arrangement.controls.size(); ++id)
        controls_[id].place = arrangement.controls[id];
}

// A window moved onto a monitor of another DPI hears of it at once, as
// from WM_DPICHANGED.
void HeadlessDialog::moveTo(int left, int top) {
    state().x = left;
    state().y = top;
    const PixelRect rect{left, top, left + state().width, top + state().height};
    const int dpi = monitorOf(rect, machine().monitors).dpi;
    if (dpi == dpi_) return;
    dpi_ = dpi;
    events_.dpiChanged();
}

void HeadlessDialog::setValue(backend::ControlId control, int value) {
    controls_.at(std::size_t(control)).design.value = value;
}

bool HeadlessDialog::takesFocus(backend::ControlId id) const {
    const ControlKind kind = controls_[std::size_t(id)].design.kind;
    return kind == ControlKind::ScrollBar || isButtonLike(kind);
}

void HeadlessDialog::moveFocus(int step) {
    const int count = int(controls_.size());
    int id = focus_;
    for (int tried = 0; tried < count; ++tried) {
        id = ((id < 0 && step < 0 ? 0 : id) + step + count) % count;
        if (takesFocus(id)) {
            focus_ = id;
            return;
        }
    }
}

void HeadlessDialog::scrollFocused(backend::ScrollAction action) {
    if (focus_ >= 0 && controls_[std::size_t(focus_)].design.kind == ControlKind::ScrollBar)
        events_.scrollRequested(focus_, {action, 0});
}

// Enter on a push button presses it; anywhere else, a check box included,
// it presses the default button.
void HeadlessDialog::pressDefault() {
    if (focus_ >= 0 && controls_[std::size_t(focus_)].design.kind == ControlKind::Button)
        return events_.buttonPressed(focus_);
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        if (controls_[id].design.role == backend::ButtonRole::Default)
            return events_.buttonPressed(backend::ControlId(id));
    }
}

void HeadlessDialog::press(DialogKey key) {
    using backend::ScrollAction;
    switch (key) {
        case DialogKey::Tab: moveFocus(1); break;
        case DialogKey::ShiftTab: moveFocus(-1); break;
        case DialogKey::Enter: pressDefault(); break;
        case DialogKey::Escape: events_.cancelAsked(); break;
        case DialogKey::Space:
            if (focus_ >= 0 && isButtonLike(controls_[std::size_t(focus_)].design.kind))
                events_.buttonPressed(focus_);
            break;
        case DialogKey::Left:
        case DialogKey::Up: scrollFocused(ScrollAction::LineLeft); break;
        case DialogKey::Right:
        case DialogKey::Down: scrollFocused(ScrollAction::LineRight); break;
        case DialogKey::PageUp: scrollFocused(ScrollAction::PageLeft); break;
        case DialogKey::PageDown: scrollFocused(ScrollAction::PageRight); break;
        case DialogKey::Home: scrollFocused(ScrollAction::ToStart); break;
        case DialogKey::End: scrollFocused(ScrollAction::ToEnd); break;
    }
}

}  // namespace host::headless

namespace host::backend {

std::unique_ptr<DialogWindow> createDialogWindow(const DialogDesign& design, DialogEvents& events) {
    return std::make_unique<headless::HeadlessDialog>(design, events);
}

SystemLook systemLook() { return headless::machine().look; }

}  // namespace host::backend
