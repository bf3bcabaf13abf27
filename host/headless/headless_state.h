#pragma once

#include <map>
#include <vector>

#include "host/headless/headless_records.h"
#include "host/monitors.h"
#include "host/headless/headless_file_system.h"

namespace host::headless {

class HeadlessWindow;

inline Monitor defaultMonitor() { return {{0, 0, 640, 480}, {0, 0, 640, 480}, 96, true}; }

// Everything the in-memory machine knows; one per process.
struct Machine {
    std::vector<Monitor> monitors = {defaultMonitor()};
    DisplayPower displayPower = DisplayPower::On;
    float timeOfDay = 0;
    bool previousInstance = false;
    bool instanceTurnHeld = false;
    std::string commandLine;
    FileSystem files;

    Handle nextHandle = 0x10010;
    std::map<Handle, WindowState> windows;
    std::vector<HeadlessWindow*> programWindows;  // in the order they were made
    std::vector<RecordedCall> calls;
    int cursorCount = 0;
    Outcome outcome;
};

Machine& machine();
Handle newHandle();

// The program's window with that handle; null for another program's.
HeadlessWindow* programWindow(Handle window);

// Runs a report to the core as the runtime runs an event: the program may
// end inside it, which ends the report.
template <class Report>
void asEvent(Report&& report) {
    try {
        report();
    } catch (const ProgramEnded&) {
    }
}

}  // namespace host::headless
