// What tests do to a dialog of the in-memory machine and read back from it.
#include "host/form.h"
#include "host/headless/headless_dialog.h"
#include "host/headless/headless_state.h"
#include "tests/support/headless.h"

namespace host::headless {

namespace {

HeadlessDialog* dialogOf(const Form& form) {
    if (!form.isLoaded()) return nullptr;
    const auto found = machine().dialogs.find(form.hWnd());
    return found == machine().dialogs.end() ? nullptr : found->second;
}

// The id of the n-th control of that kind; -1 when there is none.
backend::ControlId nth(const HeadlessDialog& dialog, backend::ControlKind kind, int n) {
    const std::vector<DialogControlState>& controls = dialog.controls();
    for (std::size_t id = 0; id < controls.size(); ++id) {
        if (controls[id].design.kind == kind && n-- == 0) return backend::ControlId(id);
    }
    return -1;
}

// Tells every open dialog, each only while it lives, that the look changed.
void lookChanged() {
    std::vector<Handle> open;
    for (const auto& [handle, dialog] : machine().dialogs) open.push_back(handle);
    for (Handle handle : open) {
        const auto found = machine().dialogs.find(handle);
        if (found != machine().dialogs.end()) asEvent([&] { found->second->events().lookChanged(); });
    }
}

}  // namespace

void pressKeys(Form& form, const std::vector<DialogKey>& keys) {
    for (DialogKey key : keys) {
        HeadlessDialog* dialog = dialogOf(form);
        if (!dialog) return;
        asEvent([&] { dialog->press(key); });
    }
}

void clickButton(Form& form, const std::string& caption) {
    HeadlessDialog* dialog = dialogOf(form);
    if (!dialog) return;
    const std::vector<DialogControlState>& controls = dialog->controls();
    for (std::size_t id = 0; id < controls.size(); ++id) {
        const backend::ControlDesign& design = controls[id].design;
        const bool clickable = design.kind == backend::ControlKind::Button || design.kind == backend::ControlKind::CheckBox;
        if (clickable && design.caption == caption)
            return asEvent([&] { dialog->events().buttonPressed(backend::ControlId(id)); });
    }
}

void scroll(Form& form, int bar, backend::ScrollRequest request) {
    HeadlessDialog* dialog = dialogOf(form);
    if (!dialog) return;
    const backend::ControlId id = nth(*dialog, backend::ControlKind::ScrollBar, bar);
    if (id >= 0) asEvent([&] { dialog->events().scrollRequested(id, request); });
}

void clickCloseBox(Form& form) {
    if (HeadlessDialog* dialog = dialogOf(form)) asEvent([&] { dialog->events().closeAsked(); });
}

std::vector<DialogControlState> dialogControls(const Form& form) {
    const HeadlessDialog* dialog = dialogOf(form);
    return dialog ? dialog->controls() : std::vector<DialogControlState>{};
}

int focusedControl(const Form& form) {
    const HeadlessDialog* dialog = dialogOf(form);
    return dialog ? dialog->focus() : -1;
}

void setSystemLook(backend::SystemLook look) {
    machine().look = look;
    lookChanged();
}

void setMessageFontPoints(float points) {
    machine().messageFontPoints = points;
    lookChanged();
}

}  // namespace host::headless
