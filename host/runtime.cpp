#include "host/runtime.h"

#include "host/app.h"
#include "host/backend/runtime_calls.h"

namespace host {

// Never destroyed: a window the system destroys as the process ends still
// reaches it.
Runtime& runtime() {
    static Runtime* const current = new Runtime{.backend = backend::makeBackendState(nullptr)};
    return *current;
}

// The new run's state is made while the old one still stands, so the backend
// can carry over what must outlive a run (the in-memory machine's handles).
void startFreshProgram() {
    Runtime& current = runtime();
    current = Runtime{.backend = backend::makeBackendState(current.backend.get())};
}

backend::BackendState& backend::backendState() { return *runtime().backend; }

}  // namespace host
