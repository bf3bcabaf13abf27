#pragma once

#include <map>
#include <vector>

#include "host/backend/user32.h"
#include "host/headless/headless_records.h"
#include "host/monitors.h"
#include "host/headless/headless_file_system.h"

namespace host::headless {

class HeadlessWindow;
class HeadlessDialog;

inline Monitor defaultMonitor() { return {{0, 0, 640, 480}, {0, 0, 640, 480}, 96, true}; }

// The colours of the system's standard theme.
inline backend::SystemLook defaultLook() {
    return {false,
            {colors::white, colors::black, Color::fromRgb(240, 240, 240), colors::black, Color::fromRgb(0, 120, 215)}};
}

// Everything the in-memory machine knows; one per run of the program.
struct Machine {
    std::vector<Monitor> monitors = {defaultMonitor()};
    DisplayPower displayPower = DisplayPower::On;
    float timeOfDay = 0;
    bool previousInstance = false;
    bool instanceTurnHeld = false;
    std::string commandLine;
    FileSystem files;
    backend::SystemLook look = defaultLook();
    // The desktop's message font, the font of a dialog whose design names none.
    float messageFontPoints = 8;

    Handle nextHandle = 0x10010;
    std::map<Handle, WindowState> windows;
    std::vector<HeadlessWindow*> programWindows;  // in the order they were made
    std::map<Handle, HeadlessDialog*> dialogs;
    std::vector<RecordedCall> calls;
    int cursorCount = 0;
    // Where the pointer is, in virtual-screen pixels.
    user32::POINT pointer;
    Outcome outcome;
};

Machine& machine();
Handle newHandle();

// Makes owner own the window and wait, disabled, while it is open; false
// when no window has that handle.
bool makeModal(Handle window, Handle owner);
// The owner takes the focus back before the window it waited for goes.
void giveBackOwner(Handle owner);

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

namespace host::backend {

struct BackendState {
    headless::Machine machine;
};

}  // namespace host::backend
