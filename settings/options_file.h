#pragma once

#include <string>
#include <vector>

namespace settings {

// What the user chose beyond the ball gap and speed; all off unless chosen.
struct Options {
    bool everyMonitor = false;
    bool drift = false;
    bool anyInputEnds = false;
    // Lines of the file this version does not know, written back as they were
    // so that a newer version's choices survive a save by this one.
    std::vector<std::string> otherLines;
};

// Reads "options.ini" in the user's settings folder: one "Name=0" or
// "Name=1" a line, for EveryMonitor, Drift and AnyInputEnds. A missing file,
// a missing line or any other value leaves that choice off. Never fails.
Options ReadOptions();

// Replaces "options.ini" in the user's settings folder, which it creates if
// need be, with the three choices, then the lines kept from the file read.
// The old file stays intact when the write fails; the failure is a run-time
// error naming the file.
void WriteOptions(const Options& options);

}  // namespace settings
