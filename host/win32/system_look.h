#pragma once

#include <optional>

namespace host::win32 {

// Puts a fixed answer in place of the system's about high contrast (none:
// the system's again), for tests on systems that cannot turn it on.
void overrideHighContrast(std::optional<bool> on);

}  // namespace host::win32
