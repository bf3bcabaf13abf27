#include "host/dialog_order.h"

#include <algorithm>

namespace host {

namespace {

using backend::ControlKind;

int tabIndex(const DialogControl& control) {
    return std::visit([](const auto* c) { return c->TabIndex; }, control);
}

ControlKind kindOf(const DialogControl& control) {
    if (std::holds_alternative<HScrollBar*>(control)) return ControlKind::ScrollBar;
    if (std::holds_alternative<const CommandButton*>(control)) return ControlKind::Button;
    if (std::holds_alternative<CheckBox*>(control)) return ControlKind::CheckBox;
    return ControlKind::Label;
}

}  // namespace

std::vector<OrderedControl> dialogOrder(const std::vector<Label*>& labels, const std::vector<HScrollBar*>& scrollBars,
                                        const std::vector<CommandButton*>& buttons,
                                        const std::vector<CheckBox*>& checkBoxes) {
    std::vector<DialogControl> all;
    for (const Label* label : labels) all.emplace_back(label);
    for (HScrollBar* bar : scrollBars) all.emplace_back(bar);
    for (const CommandButton* button : buttons) all.emplace_back(button);
    for (CheckBox* box : checkBoxes) all.emplace_back(box);
    std::stable_sort(all.begin(), all.end(),
                     [](const DialogControl& a, const DialogControl& b) { return tabIndex(a) < tabIndex(b); });

    std::vector<OrderedControl> order;
    for (std::size_t i = 0; i < all.size(); ++i) {
        ControlKind kind = kindOf(all[i]);
        const bool namesABar = i + 1 < all.size() && kindOf(all[i + 1]) == ControlKind::ScrollBar;
        if (kind == ControlKind::Label && !namesABar) kind = ControlKind::FaceText;
        order.push_back({all[i], kind});
    }
    return order;
}

}  // namespace host
