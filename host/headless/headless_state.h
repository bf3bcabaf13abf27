#pragma once

#include <map>

#include "host/headless/headless.h"
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
    std::map<Handle, HeadlessWindow*> formWindows;
    std::vector<RecordedCall> calls;
    int cursorCount = 0;
    Outcome outcome;
};

Machine& machine();
const Monitor& primaryMonitor();

HeadlessWindow* windowOf(const Form& form);

// Raises Activate on a form window the first time it becomes visible.
void windowBecameVisible(Handle window);

}  // namespace host::headless
