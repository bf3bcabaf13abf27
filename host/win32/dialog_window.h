#pragma once

#include <windows.h>

#include <memory>

#include "host/form.h"
#include "host/backend/window.h"

namespace host::win32 {

// A fixed tool window holding the form's native controls.
std::unique_ptr<WindowPeer> createDialogWindow(Form& form);

// Keyboard navigation of dialog windows (Tab, arrows, Enter, Esc); true when
// the message was consumed. The message loop calls it for every message.
bool translateDialogMessage(MSG& message);

}  // namespace host::win32
