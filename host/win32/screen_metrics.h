#pragma once

#include <windows.h>

#include <vector>

#include "host/monitors.h"

namespace host::win32 {

// Dots per inch of the monitor the window is on; the screen's before a
// window exists or where the system cannot tell per window.
int windowDpi(HWND window);
int screenDpi();

// Every monitor of the desktop, each with its own DPI.
std::vector<Monitor> desktopMonitors();

PixelRect toPixelRect(const RECT& rect);

}  // namespace host::win32
