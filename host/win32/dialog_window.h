#pragma once

#include <windows.h>

namespace host::win32 {

// Keyboard navigation of dialog windows (Tab, arrows, Enter, Esc); true when
// the message was consumed. The message loop calls it for every message.
bool translateDialogMessage(MSG& message);

}  // namespace host::win32
