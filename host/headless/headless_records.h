#pragma once

// What the in-memory machine keeps of windows, calls and the program's
// outcome, as plain records that tests read back.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/backend/dialog.h"
#include "host/geometry.h"

namespace host::headless {

using Handle = std::intptr_t;

// Thrown through the test when the program ends (End, the last form
// unloaded inside an event, or the error box).
struct ProgramEnded {
    int exitCode = 0;
};

struct Outcome {
    bool ended = false;
    int exitCode = 0;
    std::optional<std::string> errorBox;  // the text of the runtime's error box
};

struct WindowState {
    std::string title;
    std::int32_t style = 0;
    Handle parent = 0;
    Handle owner = 0;
    std::string className;
    int x = 0, y = 0, width = 0, height = 0;  // client pixels
    bool visible = false;
    bool active = false;
    bool enabled = true;         // false while a window it owns is modal to it
    bool topmost = false;
    Handle plainCoverOf = 0;     // the full-screen form window a plain cover belongs to
    Color backColor;             // what a plain cover is filled with
    bool createdDuringInstanceTurn = false;
};

// Whether the console display is on: while it is off, timers rest.
enum class DisplayPower { Off, On, Dimmed };

struct RecordedCall {
    std::string name;
    std::vector<std::int64_t> args;
    std::string text;  // a string argument, if any
    bool duringInstanceTurn = false;
};

// The steps of reading and writing a file, each of which a test can make
// fail as a lost disk would.
enum class FileStep { Read, Create, Write, Flush, Close, Replace };

// A dialog's control as the machine shows it: what the core made it from,
// and where and in which colours the last arrangement put it.
struct DialogControlState {
    backend::ControlDesign design;
    backend::ControlPlace place;
};

// The keys a dialog handles.
enum class DialogKey { Tab, ShiftTab, Enter, Escape, Space, Left, Right, Up, Down, PageUp, PageDown, Home, End };

}  // namespace host::headless
