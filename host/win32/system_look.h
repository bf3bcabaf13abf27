#pragma once

#include <windows.h>

#include <optional>

#include "host/dialog_palette.h"

namespace host::win32 {

// The system's colours now, and whether a high-contrast theme is on.
DialogPalette systemPalette();

// Puts a fixed answer in place of the system's about high contrast (none:
// the system's again), for tests on systems that cannot turn it on.
void overrideHighContrast(std::optional<bool> on);

}  // namespace host::win32
