#include "soak/cover_soak.h"

#include <vector>

#include "host/app.h"
#include "tests/support/headless.h"

namespace soak {

namespace headless = host::headless;

namespace {

constexpr std::int64_t ticksPerDay = std::int64_t(86400) * CoverSoak::ticksPerSecond;
constexpr std::int64_t firstTick = std::int64_t(23 * 3600 + 55 * 60) * CoverSoak::ticksPerSecond;
// A frame a minute keeps the renderer in the run at a small share of its cost.
constexpr std::int64_t ticksPerFrame = 4096;

// Whole ticks of a day are exact in single precision: below 2^17 seconds a
// float resolves 1/128 s.
float timeOfDayAt(std::int64_t ticks) {
    return float((firstTick + ticks) % ticksPerDay) / CoverSoak::ticksPerSecond;
}

}  // namespace

CoverSoak::CoverSoak() { setUpMachine(); }

void CoverSoak::setUpMachine() const {
    host::startFreshProgram();
    headless::setScreenPixels(1920, 1080);
    if (settings_) headless::plantFile(host::UserSettingsFolder() / "settings.ini", *settings_);
    headless::setTimeOfDay(timeOfDayAt(ticks_));
}

CoverSoak::~CoverSoak() {
    if (cover_.isLoaded()) unload();
}

void CoverSoak::writeSettings(std::string bytes) {
    settings_ = std::move(bytes);
    headless::plantFile(host::UserSettingsFolder() / "settings.ini", *settings_);
}

void CoverSoak::show() {
    headless::runMain([this] { cover_.Show(); });
    noteOutcome();
}

void CoverSoak::reactivate() {
    headless::activate(cover_);
    noteOutcome();
}

void CoverSoak::unload() {
    std::vector<headless::Handle> windows = headless::plainCoversOf(cover_);
    windows.push_back(cover_.hWnd());
    headless::runMain([this] { cover_.Unload(); });
    noteOutcome();
    for (headless::Handle window : windows) leftAWindowBehind_ = leftAWindowBehind_ || headless::windowExists(window);
    setUpMachine();
}

void CoverSoak::tick() {
    ++ticks_;
    headless::setTimeOfDay(timeOfDayAt(ticks_));
    // The timer's handler as an event, with a frame presented now and then
    // rather than after every tick as the runtime does: a day of full frames
    // would take hours, and the frames' memory does not grow.
    headless::runMain([this] { cover_.Timer1_Timer(); });
    if (ticks_ % ticksPerFrame == 0) headless::renderFrame(cover_);
    if (ballsInFlight() > peakBalls_) peakBalls_ = ballsInFlight();
    if (ticks_ % ticksPerSecond == 0) noteOutcome();
}

void CoverSoak::noteOutcome() {
    if (!errorBox_) errorBox_ = headless::outcome().errorBox;
}

}  // namespace soak
