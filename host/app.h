#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/monitors.h"

namespace host {

// App.PrevInstance: true while another instance of this program runs.
bool PrevInstance();
// Runs the steps in this instance's turn among instances of the program
// started at the same moment: no other instance runs its turn meanwhile.
void InInstanceTurn(const std::function<void()>& steps);

// The command-line arguments: the text after the program's own path.
std::string Command();
// Seconds since midnight, with fraction, in single precision.
float SecondsSinceMidnight();
// The folder of this user's settings of the program (it may not exist yet);
// empty when the system cannot say where that is.
std::filesystem::path UserSettingsFolder();
// The monitors as the system reports them now.
std::vector<Monitor> Monitors();

// Ends the program at once.
[[noreturn]] void End();
// Ends the program at once with an exit code that tells the caller why.
[[noreturn]] void End(int exitCode);

// Hands the program to the runtime: runs the start-up procedure as an event,
// then the window events until the program ends. Returns the exit code.
int runProgram(const std::function<void()>& startUp);

// Runs an event handler with no error trap of its own: an error that leaves
// it shows the runtime's error box and ends the program.
void runEvent(const std::function<void()>& handler);
// The runtime's error box for an error nothing handled, with every window
// of the program at rest behind it; then the program ends.
[[noreturn]] void reportUnhandledError(const class RuntimeError& error);

// Forms that are loaded; the program ends when the count drops to zero.
void formLoaded();
void formUnloaded();
int loadedFormCount();

// Makes the runtime anew and has the backend forget its own state (the
// in-memory backend's whole machine: no windows, no calls, default screen
// and clock), so that the next start is a fresh program's. For tests,
// benchmarks and fuzzers, which run many in one process.
void startFreshProgram();

}  // namespace host
