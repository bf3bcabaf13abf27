#pragma once

#include <optional>
#include <vector>

namespace host {

class FormWindow;

// Everything one run of the program keeps in this process, in one place:
// a fresh program is a fresh one of these, with the backend's own state
// started afresh beside it (startFreshProgram).
struct Runtime {
    // Forms that are loaded; the program ends when the count drops to zero.
    int loadedForms = 0;
    // Every form window that exists, in the order they were made.
    std::vector<FormWindow*> formWindows;
    // A fixed answer in place of the system's about high contrast, for tests
    // on systems that cannot turn it on; none: the system's own.
    std::optional<bool> highContrast;
};

// The runtime of the program that runs in this process.
Runtime& runtime();

}  // namespace host
