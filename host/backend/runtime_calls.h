#pragma once

// What a backend may call in the runtime core, beside the WindowEvents each
// of its windows reports to.

#include <exception>

namespace host {

// A failure that is no run-time error of the program (memory exhausted, a
// fault in the runtime itself), caught where it would otherwise unwind
// through the system's code: it ends in the runtime's error box, as an
// unhandled error does.
[[noreturn]] void reportUnexpectedFailure(const std::exception& failure);

namespace backend {
struct BackendState;
// The backend's state of the run, kept by the runtime.
BackendState& backendState();
}  // namespace backend

}  // namespace host
