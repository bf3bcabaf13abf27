#pragma once

// The contract between the runtime core and a backend. A backend is a
// folder under host/ that implements every function declared here and in
// window.h, text.h, files.h and user32.h, and nothing else: the runtime core, the
// renderer and the program call only these. Exactly one backend is linked
// into a program: host/win32 into the screen saver, host/headless into the
// tests and benchmarks.

#include <functional>
#include <memory>
#include <string>

#include "host/error.h"

namespace host::backend {

// Runs the start-up procedure, then, when it leaves something to wait for,
// the window events until the program ends; returns the exit code.
int runProgram(const std::function<bool()>& startUp);
// The last loaded form has been unloaded: the program ends normally.
void lastFormUnloaded();
// Ends the program at once.
[[noreturn]] void endProgram(int exitCode);
// Shows the runtime's error box (errorBoxText) for an unhandled error, with
// nothing of the program ticking or covering the screen behind it, then
// ends the program with the error's number as its exit code.
[[noreturn]] void reportUnhandledError(const RuntimeError& error);

// The command-line text after the program's own path.
std::string commandLineArguments();
// True while another instance of this same program runs, however its path
// was spelt when it was started.
bool previousInstanceRunning();
// Instances of this program take turns between these two calls, however
// many start at the same moment; a turn left by an instance that ended
// passes to the next.
void beginInstanceTurn();
void endInstanceTurn();
// Local time of day in seconds since midnight, with fraction.
float secondsSinceMidnight();
// What the backend keeps for one run of the program. The runtime owns it,
// beside its own state, and makes it anew for a fresh program; `previous` is
// the state it replaces, if any.
struct BackendState;
struct BackendStateDeleter {
    void operator()(BackendState* state) const;
};
using BackendStateOwner = std::unique_ptr<BackendState, BackendStateDeleter>;
BackendStateOwner makeBackendState(const BackendState* previous);

}  // namespace host::backend
