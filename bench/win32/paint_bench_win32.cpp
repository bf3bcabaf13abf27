// Paint cost per tick in the Win32 build: the cover window's surface
// painting into its back buffer at 1920 x 1080, incremental against full
// frame, and with all 32767 balls in flight. The window stays hidden, so the
// figures are the painting alone, without the copy to the screen.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "display/frm_cover.h"
#include "host/form_window.h"

namespace {

// The median time of one run of `measured`, each after `prepare`: on a
// shared machine a run that was interrupted says nothing about the code.
double nanosecondsPerIteration(int iterations, const std::function<void()>& prepare,
                               const std::function<void()>& measured) {
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> runs;
    for (int i = 0; i < iterations; ++i) {
        prepare();
        QueryPerformanceCounter(&start);
        measured();
        QueryPerformanceCounter(&stop);
        runs.push_back(double(stop.QuadPart - start.QuadPart) * 1e9 / double(frequency.QuadPart));
    }
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

void report(const char* name, double nanoseconds) { std::printf("%-44s %12.0f ns (median)\n", name, nanoseconds); }

host::render::Surface& surfaceOf(display::FrmCover& cover) { return cover.paintedWindow()->surface(); }

void paintChanges(display::FrmCover& cover) { surfaceOf(cover).paintChanges(cover.paintedControls(), cover.scale()); }
void paintWhole(display::FrmCover& cover) { surfaceOf(cover).paintWhole(cover.paintedControls(), cover.scale()); }

// Loaded and activated as a full-screen run, with the default settings.
void start(display::FrmCover& cover, double speed) {
    cover.Load();
    cover.Form_Activate();
    cover.BallGap = 5;
    cover.EmitAngle = 5;
    cover.BallSpeed = speed;
    paintWhole(cover);
}

void spiralAtDefaultSettings() {
    display::FrmCover cover([] { return false; });
    start(cover, 150);
    // Balls live about a hundred ticks at this speed; after three hundred
    // the spiral has filled and as many leave as arrive.
    for (int tick = 0; tick < 300; ++tick) {
        cover.Timer1_Timer();
        paintChanges(cover);
    }
    std::printf("%d balls in flight at %dx%d\n", cover.effect.count() - 1, surfaceOf(cover).backBuffer().width(),
                surfaceOf(cover).backBuffer().height());
    const auto tick = [&] { cover.Timer1_Timer(); };
    const double incremental = nanosecondsPerIteration(3000, tick, [&] { paintChanges(cover); });
    const double full = nanosecondsPerIteration(300, tick, [&] { paintWhole(cover); });
    report("paint per tick, incremental", incremental);
    report("paint per tick, full frame", full);
    std::printf("incremental / full frame = %.3f\n", incremental / full);
}

void allBallsInFlight() {
    display::FrmCover cover([] { return false; });
    start(cover, 0);
    // At speed 0 no ball leaves: every index fills.
    while (cover.effect.lowestFreeIndex() >= 0) cover.Timer1_Timer();
    std::mt19937 random(42);
    std::uniform_real_distribution<float> x(15, 28700), y(15, 16100);
    for (int index = 1; index <= 32767; ++index) cover.effect[index].Move(x(random), y(random));
    std::printf("%d balls in flight\n", cover.effect.count() - 1);

    report("32767 balls, full frame",
           nanosecondsPerIteration(100, [] {}, [&] { paintWhole(cover); }));
    int step = 0;
    const auto moveAll = [&] {
        const float offset = (step++ % 2) ? -15.0f : 15.0f;  // one pixel to and fro
        for (int index = 1; index <= 32767; ++index) {
            host::Shape& ball = cover.effect[index];
            ball.Move(ball.Left + offset, ball.Top);
        }
    };
    report("32767 balls all moved, paint changes", nanosecondsPerIteration(100, moveAll, [&] { paintChanges(cover); }));
}

}  // namespace

int main() {
    spiralAtDefaultSettings();
    allBallsInFlight();
    return 0;
}
