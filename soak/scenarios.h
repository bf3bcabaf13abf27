#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "soak/heap_watch.h"

namespace soak {

// Readings of the heap are taken once warm-up is over: the first eighth of
// the run, and at least 40 000 ticks, by when a speed of 0 has filled all
// 32 767 indices and every container has reached its largest size.
std::int64_t warmUpTicks(std::int64_t ticks);
inline constexpr std::int64_t ticksBetweenReadings = 4096;

struct SoakResult {
    std::string name;
    std::int64_t ticks = 0;
    int peakBalls = 0;
    HeapWatch heap;
    std::optional<std::string> errorBox;
    // A failure of the scenario's own (the spiral not staying full, say).
    std::optional<std::string> failure;
    double seconds = 0;

    bool passed() const;
};

// The settings as installed: no settings file.
SoakResult soakDefaults(std::int64_t ticks);
// Speed 0: no ball ever leaves, so the spiral fills all 32 767 indices and
// must stay there, waiting for a free one.
SoakResult soakSpeedZero(std::int64_t ticks);
// Every 2 048 ticks a new settings file: a random one read as the cover is
// shown again after an unload, another read as it is activated again, then
// the defaults, activated again; the heap is read once the spiral has
// settled on those, as alike a moment as in the default run. Warm-up begins
// with speed 0 until all 32 767 indices are in use, so that every container
// is at its largest.
SoakResult soakChangingSettings(std::int64_t ticks);

}  // namespace soak
