#include "host/dialog_order.h"

#include <algorithm>

namespace host {

namespace {

int tabIndex(const DialogControl& control) {
    return std::visit([](const auto* c) { return c->TabIndex; }, control);
}

}  // namespace

DialogOrder dialogOrder(const std::vector<Label*>& labels, const std::vector<HScrollBar*>& scrollBars,
                        const std::vector<CommandButton*>& buttons) {
    std::vector<DialogControl> all;
    for (const Label* label : labels) all.emplace_back(label);
    for (HScrollBar* bar : scrollBars) all.emplace_back(bar);
    for (const CommandButton* button : buttons) all.emplace_back(button);
    std::stable_sort(all.begin(), all.end(),
                     [](const DialogControl& a, const DialogControl& b) { return tabIndex(a) < tabIndex(b); });

    DialogOrder order;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto* label = std::get_if<const Label*>(&all[i]);
        const bool namesABar = i + 1 < all.size() && std::holds_alternative<HScrollBar*>(all[i + 1]);
        if (label && !namesABar) {
            order.painted.push_back(*label);
        } else {
            order.controls.push_back(all[i]);
        }
    }
    return order;
}

}  // namespace host
