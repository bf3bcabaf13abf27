#include "host/dialog_window.h"

#include <algorithm>

#include "host/dialog_layout.h"
#include "host/dialog_palette.h"
#include "host/form.h"
#include "host/monitors.h"
#include "host/runtime.h"

namespace host {

namespace {

using backend::ControlKind;

struct ControlFacts {
    TwipRect bounds;
    backend::ControlDesign design;
    std::optional<Color> backColor;
};

// What a control's value shows: a bar's thumb, a check box's tick; nothing
// for the others.
int valueOf(const DialogControl& control) {
    if (HScrollBar* const* bar = std::get_if<HScrollBar*>(&control)) return (*bar)->Value();
    if (CheckBox* const* box = std::get_if<CheckBox*>(&control)) return (*box)->Value ? 1 : 0;
    return 0;
}

ControlFacts factsOf(const OrderedControl& ordered) {
    struct Visitor {
        ControlKind kind;
        ControlFacts operator()(const Label* label) const {
            return {label->Bounds, {kind, label->Caption}, label->BackColor};
        }
        ControlFacts operator()(const HScrollBar* bar) const {
            return {bar->Bounds, {kind, {}, bar->Min, bar->Max}, std::nullopt};
        }
        ControlFacts operator()(const CommandButton* button) const {
            const backend::ButtonRole role = button->Default ? backend::ButtonRole::Default
                                             : button->Cancel ? backend::ButtonRole::Cancel
                                                              : backend::ButtonRole::Plain;
            return {button->Bounds, {kind, button->Caption, 0, 0, 0, role}, std::nullopt};
        }
        ControlFacts operator()(const CheckBox* box) const {
            return {box->Bounds, {kind, box->Caption}, std::nullopt};
        }
    };
    ControlFacts facts = std::visit(Visitor{ordered.kind}, ordered.control);
    facts.design.value = valueOf(ordered.control);
    return facts;
}

// Where a scroll request takes a bar: a step of SmallChange or LargeChange,
// an end, or the thumb's position, never beyond Min..Max.
std::int16_t scrolledValue(const HScrollBar& bar, backend::ScrollRequest request) {
    int target = bar.Value();
    switch (request.action) {
        case backend::ScrollAction::LineLeft: target -= bar.SmallChange; break;
        case backend::ScrollAction::LineRight: target += bar.SmallChange; break;
        case backend::ScrollAction::PageLeft: target -= bar.LargeChange; break;
        case backend::ScrollAction::PageRight: target += bar.LargeChange; break;
        case backend::ScrollAction::ToStart: target = bar.Min; break;
        case backend::ScrollAction::ToEnd: target = bar.Max; break;
        case backend::ScrollAction::ToThumb: target = request.thumb; break;
    }
    return std::int16_t(std::clamp(target, int(bar.Min), int(bar.Max)));
}

}  // namespace

DialogFormWindow::DialogFormWindow(Form& form)
    : FormWindow(form), controls_(dialogOrder(form.labels(), form.scrollBars(), form.buttons(), form.checkBoxes())) {
    backend::DialogDesign design{form.Caption(), {}};
    for (const OrderedControl& control : controls_) {
        design.controls.push_back(factsOf(control).design);
        shownValues_.push_back(design.controls.back().value);
    }
    dialog_ = backend::createDialogWindow(design, *this);
    arrange();
}

DialogFormWindow::~DialogFormWindow() {
    leaveLiveWindows();
    dialog_.reset();
}

void DialogFormWindow::arrange() {
    const Font& font = form_.font();
    std::vector<ControlText> texts;
    std::vector<std::optional<Color>> backColors;
    for (const OrderedControl& control : controls_) {
        const ControlFacts facts = factsOf(control);
        const std::string& caption = facts.design.caption;
        texts.push_back({facts.bounds, caption.empty() ? TextExtent{} : dialog_->captionRoom(control.kind, caption, font)});
        backColors.push_back(facts.backColor);
    }
    const DialogLayout layout = layOutDialog(form_.design().clientSize, texts, dialog_->dpi(), dialog_->emPixels(font));
    const backend::SystemLook look = backend::systemLook();
    const DialogPalette palette{runtime().highContrast.value_or(look.highContrast), look.colors};

    backend::DialogArrangement arrangement{font, {layout.client.width, layout.client.height}, palette.face(),
                                           palette.focusCue(), {}};
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        arrangement.controls.push_back({layout.controls[id], palette.label(backColors[id])});
    }
    dialog_->arrange(arrangement);
}

void DialogFormWindow::show() {
    presentChanges();
    showAndActivate();
}

void DialogFormWindow::showOwnedBy(std::intptr_t owner) {
    dialog_->takeOwner(owner);
    if (const std::optional<PixelRect> ownerRect = backend::windowRect(owner)) {
        const PixelSize before = dialog_->windowPixels();
        centreOver(*ownerRect);
        // Moved onto a monitor of another DPI, the dialog takes that DPI's
        // size: centred once more at that size.
        if (!(dialog_->windowPixels() == before)) centreOver(*ownerRect);
    }
    show();
}

void DialogFormWindow::centreOver(const PixelRect& owner) {
    const PixelSize size = dialog_->windowPixels();
    const Monitor monitor = monitorOf(owner, backend::monitors());
    const PixelRect placed = centredOver(owner, size.width, size.height, monitor.workArea);
    dialog_->moveTo(placed.left, placed.top);
}

void DialogFormWindow::presentChanges() {
    if (suspended_) return;
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        const int value = valueOf(controls_[id].control);
        if (value == shownValues_[id]) continue;
        shownValues_[id] = value;
        dialog_->setValue(backend::ControlId(id), value);
    }
}

void DialogFormWindow::suspend() {
    suspended_ = true;
    dialog_->hide();
}

void DialogFormWindow::scrollRequested(backend::ControlId id, backend::ScrollRequest request) {
    if (id < 0 || std::size_t(id) >= controls_.size()) return;
    HScrollBar* const* bar = std::get_if<HScrollBar*>(&controls_[std::size_t(id)].control);
    if (!bar) return;
    (*bar)->setValue(scrolledValue(**bar, request));
    presentChanges();
}

// A check box is a button to the platform; only here does a press of one
// become a tick turned over, which the box then shows.
void DialogFormWindow::buttonPressed(backend::ControlId id) {
    if (id < 0 || std::size_t(id) >= controls_.size()) return;
    const DialogControl& control = controls_[std::size_t(id)].control;
    if (CheckBox* const* box = std::get_if<CheckBox*>(&control)) {
        (*box)->Value = !(*box)->Value;
        return presentChanges();
    }
    const CommandButton* const* button = std::get_if<const CommandButton*>(&control);
    if (button && (*button)->onClick) raiseEvent((*button)->onClick);
}

void DialogFormWindow::cancelAsked() {
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        const CommandButton* const* button = std::get_if<const CommandButton*>(&controls_[id].control);
        if (button && (*button)->Cancel) return buttonPressed(backend::ControlId(id));
    }
}

}  // namespace host
