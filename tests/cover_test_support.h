#pragma once

// A fresh machine with a 640 x 480 screen (9600 x 7200 twips) and an empty
// file system, and a cover window for every test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "display/frm_cover.h"
#include "host/app.h"
#include "startup/run_mode.h"
#include "tests/support/headless.h"

namespace cover_test {

namespace headless = host::headless;

class CoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::startFreshProgram();
        headless::setScreenPixels(640, 480);
        ASSERT_EQ(host::loadedFormCount(), 0) << "an earlier test left a form loaded";
    }

    void TearDown() override {
        if (cover.isLoaded()) headless::runMain([this] { cover.Unload(); });
    }

    static std::filesystem::path userSettingsFolder() { return host::UserSettingsFolder(); }

    static void writeSettings(const std::string& bytes) {
        headless::plantFile(userSettingsFolder() / "settings.ini", bytes);
    }

    // Shows the window, which activates it once.
    void show() {
        headless::runMain([this] { cover.Show(); });
    }

    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) headless::tick(cover);
    }

    // Ticks, rendering a frame after each as the screen shows them, and
    // returns the frame after the last.
    const host::render::Image& frameAfterTicks(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            tick();
            headless::renderFrame(cover);
        }
        return headless::renderFrame(cover);
    }

    // Runs one tick and returns the ball it released.
    const host::Shape& tickForNewBall() {
        const int index = cover.effect.lowestFreeIndex();
        tick();
        return cover.effect[index];
    }

    // Balls in flight, element 0 not counted.
    int ballsInFlight() const { return cover.effect.count() - 1; }

    startup::RunMode mode = startup::ModeSaver;
    display::FrmCover cover{[this] { return mode == startup::ModeSaver; }};
};

}  // namespace cover_test
