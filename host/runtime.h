#pragma once

#include <optional>
#include <vector>

#include "host/backend/program.h"

namespace host {

class FormWindow;

// Everything one run of the program keeps in this process, in one place,
// the backend's own state included: a fresh program is a fresh one of these
// (startFreshProgram).
struct Runtime {
    // Forms that are loaded; the program ends when the count drops to zero.
    int loadedForms = 0;
    // Every form window that exists, in the order they were made.
    std::vector<FormWindow*> formWindows;
    // A fixed answer in place of the system's about high contrast, for tests
    // on systems that cannot turn it on; none: the system's own.
    std::optional<bool> highContrast;
    // What the backend keeps for the run: the in-memory machine, or the Win32
    // watch on windows planted in others, the owners waiting on a dialog and
    // the text engine.
    backend::BackendStateOwner backend;
};

// The runtime of the program that runs in this process.
Runtime& runtime();

}  // namespace host
