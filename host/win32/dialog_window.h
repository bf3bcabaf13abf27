#pragma once

#include <windows.h>

#include <memory>

#include "host/form.h"
#include "host/platform.h"

namespace host::win32 {

// True for a form built from native controls (labels, scroll bars, buttons),
// which gets a dialog window instead of a painted one.
bool isDialogForm(const Form& form);

// A fixed tool window holding the form's native controls.
std::unique_ptr<WindowPeer> createDialogWindow(Form& form);

// Keyboard navigation of dialog windows (Tab, arrows, Enter, Esc); true when
// the message was consumed. The message loop calls it for every message.
bool translateDialogMessage(MSG& message);

}  // namespace host::win32
