#pragma once

#include <windows.h>

#include <optional>

#include "host/backend/window.h"

namespace host::win32 {

// Reports the user's input that a message to `window` carries: the left
// button released as a click, a key or any mouse button pressed, the pointer
// over the window in virtual-screen pixels. The message's result when it was
// input; none for any other message. A report may end the program and with
// it the window.
std::optional<LRESULT> reportInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   backend::WindowEvents& events);

}  // namespace host::win32
