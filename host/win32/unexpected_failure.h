#pragma once

#include <exception>

namespace host::win32 {

// A failure that is no run-time error of the program (memory exhausted, a
// fault in the runtime itself) still ends in the runtime's error box rather
// than unwinding through the system's code.
[[noreturn]] void reportUnexpectedFailure(const std::exception& failure);

}  // namespace host::win32
