#include "soak/scenarios.h"

#include <algorithm>
#include <chrono>
#include <functional>

#include "soak/cover_soak.h"
#include "soak/memory_probe.h"
#include "soak/random_settings.h"

namespace soak {

namespace {

constexpr std::int64_t ticksPerShowing = 2048;
constexpr std::uint32_t randomSeed = 20240607;
const char* const speedZeroFile = "5\r\n0\r\n";
const char* const defaultsFile = "5\r\n150\r\n";
// A ball's slot keeps the longest angle text it has held; a fractional gap
// gives every slot a long one while warming up.
const char* const fillEverySlotFile = "0.1234567890123\r\n0\r\n";

// Runs the scenario's body against a fresh cover and fills in what every
// scenario reports.
SoakResult measured(const char* name, const std::function<void(CoverSoak&, SoakResult&)>& body) {
    SoakResult result;
    result.name = name;
    const auto start = std::chrono::steady_clock::now();
    {
        CoverSoak soak;
        body(soak, result);
        if (soak.coverLoaded()) soak.unload();
        result.ticks = soak.ticksRun();
        result.peakBalls = soak.peakBalls();
        result.errorBox = soak.errorBox();
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

bool isReadingTick(std::int64_t tick, std::int64_t ticks) {
    return tick >= warmUpTicks(ticks) && tick % ticksBetweenReadings == 0;
}

// A shown cover ticking on with the settings it has; the heap is read as
// the run goes, in the same settled state each time.
void tickSettled(CoverSoak& soak, SoakResult& result, std::int64_t ticks,
                 const std::function<void(CoverSoak&, SoakResult&)>& atReading = {}) {
    soak.show();
    while (soak.ticksRun() < ticks && !soak.errorBox()) {
        soak.tick();
        if (!isReadingTick(soak.ticksRun(), ticks)) continue;
        result.heap.read(heapBytesInUse());
        if (atReading) atReading(soak, result);
    }
}

}  // namespace

std::int64_t warmUpTicks(std::int64_t ticks) { return std::max<std::int64_t>(40000, ticks / 8); }

bool SoakResult::passed() const {
    return !errorBox && !failure && heap.hasReadings() && !heap.grew() && peakBalls <= CoverSoak::maxBalls;
}

SoakResult soakDefaults(std::int64_t ticks) {
    return measured("default settings",
                    [ticks](CoverSoak& soak, SoakResult& result) { tickSettled(soak, result, ticks); });
}

SoakResult soakSpeedZero(std::int64_t ticks) {
    return measured("speed 0", [ticks](CoverSoak& soak, SoakResult& result) {
        soak.writeSettings(speedZeroFile);
        tickSettled(soak, result, ticks, [](CoverSoak& settled, SoakResult& reading) {
            if (!reading.failure && settled.ballsInFlight() != CoverSoak::maxBalls)
                reading.failure = "the spiral did not stay at 32 767 balls: " +
                                  std::to_string(settled.ballsInFlight()) + " at tick " +
                                  std::to_string(settled.ticksRun());
        });
    });
}

SoakResult soakChangingSettings(std::int64_t ticks) {
    return measured("changing settings", [ticks](CoverSoak& soak, SoakResult& result) {
        soak.writeSettings(fillEverySlotFile);
        soak.show();
        while (soak.ballsInFlight() < CoverSoak::maxBalls && soak.ticksRun() < ticks && !soak.errorBox()) soak.tick();

        RandomSettings random(randomSeed);
        // Shown again with one random file, activated again with another,
        // then activated again with the defaults and read once settled.
        for (int step = 0; soak.ticksRun() < ticks && !soak.errorBox() && !result.failure; step = (step + 1) % 3) {
            soak.writeSettings(step < 2 ? random.next() : defaultsFile);
            if (step == 0) {
                soak.unload();
                soak.show();
            } else {
                soak.reactivate();
            }
            const std::int64_t end = std::min(ticks, soak.ticksRun() + ticksPerShowing);
            while (soak.ticksRun() < end && soak.coverLoaded()) soak.tick();
            if (!soak.coverLoaded() && !soak.errorBox()) result.failure = "the cover unloaded itself";
            if (soak.leftAWindowBehind()) result.failure = "an unload left a window of the program behind";
            if (step == 2 && soak.ticksRun() == end && end >= warmUpTicks(ticks)) result.heap.read(heapBytesInUse());
        }
    });
}

}  // namespace soak
