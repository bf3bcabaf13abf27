#pragma once

#include <variant>
#include <vector>

#include "host/backend/dialog.h"
#include "host/controls.h"

namespace host {

using DialogControl = std::variant<const Label*, HScrollBar*, const CommandButton*, CheckBox*>;

struct OrderedControl {
    DialogControl control;
    backend::ControlKind kind;
};

// How a form's labels, scroll bars, buttons and check boxes become a
// dialog's controls. They are created in TabIndex order, which is the order
// the Tab key and assistive technology walk. A screen reader names a control
// that has no text of its own (a scroll bar) by the label just before it in
// that order, so a label names the scroll bar that follows it; a check box
// is named by its own caption. A label that names no
// control is not a control at all but text on the dialog's face, so that it
// is not announced as one.
std::vector<OrderedControl> dialogOrder(const std::vector<Label*>& labels, const std::vector<HScrollBar*>& scrollBars,
                                        const std::vector<CommandButton*>& buttons,
                                        const std::vector<CheckBox*>& checkBoxes);

}  // namespace host
