#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "display/frm_cover.h"

namespace soak {

// One cover window on a headless 1920 x 1080 screen, driven tick by tick
// with the clock advancing 1/64 s per tick, from 23:55 on so that every run
// passes midnight; its settings file is kept across the fresh machines an
// unload starts. Keeps the most balls seen in flight and the first error box.
class CoverSoak {
public:
    static constexpr int ticksPerSecond = 64;
    static constexpr int maxBalls = 32767;

    CoverSoak();
    ~CoverSoak();
    CoverSoak(const CoverSoak&) = delete;
    CoverSoak& operator=(const CoverSoak&) = delete;

    // Replaces the settings file with these bytes; read at the next activation.
    void writeSettings(std::string bytes);
    // Loads and shows the cover, which activates it.
    void show();
    // Activates the shown cover again, as when the user comes back to it.
    void reactivate();
    // Unloads the cover, then starts a fresh machine with the same screen,
    // settings file and clock: the backend's record of every window-manager
    // call, kept for tests to read, would otherwise grow by one call (the
    // cursor shown again) per unload. Whether the unload left a window of the
    // program behind is checked first.
    void unload();

    // One timer tick at the next 1/64 s. Every 4 096 ticks (64 s) a frame
    // is also rendered, as the screen would show it.
    void tick();

    int ballsInFlight() const { return cover_.effect.count() - 1; }
    int peakBalls() const { return peakBalls_; }
    std::int64_t ticksRun() const { return ticks_; }
    // The error box the runtime showed, if any: the run is then over.
    const std::optional<std::string>& errorBox() const { return errorBox_; }
    bool coverLoaded() const { return cover_.isLoaded(); }
    bool leftAWindowBehind() const { return leftAWindowBehind_; }

private:
    void setUpMachine() const;
    void noteOutcome();

    std::optional<std::string> settings_;  // nothing: no settings file
    // Full screen, as the desktop runs it at idle time: start-up hid the cursor.
    display::FrmCover cover_{[] { return true; }};
    std::int64_t ticks_ = 0;
    int peakBalls_ = 0;
    std::optional<std::string> errorBox_;
    bool leftAWindowBehind_ = false;
};

}  // namespace soak
