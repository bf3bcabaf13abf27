// Paint cost per tick of the headless backend's software rendering at
// 1920 x 1080: the cover window after its spiral has filled with the default
// settings, repainted incrementally (what changed) and as a full frame, the
// full frame with controls stretched far beyond the window, and all 32767
// balls painted in one full frame.

#include <benchmark/benchmark.h>

#include <random>

#include "display/frm_cover.h"
#include "host/app.h"
#include "host/form_window.h"
#include "tests/support/headless.h"

namespace {

namespace headless = host::headless;

constexpr int screenWidth = 1920;
constexpr int screenHeight = 1080;
// A tick as the desktop's timer delivers it, about 64 a second.
constexpr float secondsPerTick = 1.0f / 64;

// A full-screen cover window shown and activated with the default settings
// (gap 5, speed 150): a fresh machine has no "settings.ini".
class CoverScene {
public:
    CoverScene() {
        host::startFreshProgram();
        headless::setScreenPixels(screenWidth, screenHeight);
        headless::setTimeOfDay(timeOfDay_);
        headless::runMain([this] { cover.Show(); });
        paintChanges();
    }
    ~CoverScene() {
        headless::runMain([this] { cover.Unload(); });
    }

    // The tick's handler alone: what follows it is measured.
    void tick() {
        headless::setTimeOfDay(timeOfDay_ += secondsPerTick);
        cover.Timer1_Timer();
    }

    // What the window does after each event, less the copy to the screen.
    const std::vector<host::PixelRect>& paintChanges() {
        presented_ = surface().paintChanges(cover.paintedControls(), cover.scale());
        return presented_;
    }
    void paintWhole() { surface().paintWhole(cover.paintedControls(), cover.scale()); }

    // Enough ticks for the first balls to reach every edge: from then on as
    // many leave as enter.
    void fillSpiral() {
        for (int i = 0; i < 400; ++i) {
            tick();
            paintChanges();
        }
    }

    display::FrmCover cover{[] { return true; }};

private:
    host::render::Surface& surface() { return cover.paintedWindow()->surface(); }

    float timeOfDay_ = 10 * 3600;
    std::vector<host::PixelRect> presented_;
};

void reportBalls(benchmark::State& state, const display::FrmCover& cover) {
    state.counters["balls"] = cover.effect.count() - 1;
}

void BM_PaintTickIncremental(benchmark::State& state) {
    CoverScene scene;
    scene.fillSpiral();
    long long presentedPixels = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.tick();
        state.ResumeTiming();
        for (const host::PixelRect& rect : scene.paintChanges()) presentedPixels += rect.area();
    }
    reportBalls(state, scene.cover);
    state.counters["pixels_per_tick"] = double(presentedPixels) / double(state.iterations());
}
BENCHMARK(BM_PaintTickIncremental)->Unit(benchmark::kMicrosecond);

void BM_PaintTickFullFrame(benchmark::State& state) {
    CoverScene scene;
    scene.fillSpiral();
    for (auto _ : state) {
        state.PauseTiming();
        scene.tick();
        state.ResumeTiming();
        scene.paintWhole();
    }
    reportBalls(state, scene.cover);
}
BENCHMARK(BM_PaintTickFullFrame)->Unit(benchmark::kMicrosecond);

// A full frame with a hand and a ball stretched far beyond the window, by
// coordinates a hand-edited setting could produce: only what lies in the
// window is drawn, so its cost is of the order of BM_PaintTickFullFrame's
// (the ball fills the window), whatever the stretch.
void BM_PaintFullFrameWildCoordinates(benchmark::State& state) {
    constexpr float huge = 1e30f;
    CoverScene scene;
    scene.cover.Line3.X1 = scene.cover.Line3.Y1 = -huge;
    scene.cover.Line3.X2 = scene.cover.Line3.Y2 = huge;
    const int index = scene.cover.effect.lowestFreeIndex();
    scene.cover.effect.Load(index);
    host::Shape& ball = scene.cover.effect[index];
    ball.Move(-huge, -huge);
    ball.Width = ball.Height = 2 * huge;
    ball.Visible = true;
    for (auto _ : state) scene.paintWhole();
}
BENCHMARK(BM_PaintFullFrameWildCoordinates)->Unit(benchmark::kMicrosecond);

// Every index in use, the balls strewn over the whole screen and all moved
// since the last frame, so the whole frame is painted ball by ball. The
// budget is a quarter of a 60 Hz frame: 4.2 ms.
void BM_PaintFullFrame32767Balls(benchmark::State& state) {
    CoverScene scene;
    host::ControlArray<host::Shape>& balls = scene.cover.effect;
    std::mt19937 random(32767);
    std::uniform_real_distribution<float> across(0, scene.cover.ScaleWidth() - 60);
    std::uniform_real_distribution<float> down(0, scene.cover.ScaleHeight() - 60);
    for (int index = balls.lowestFreeIndex(); index > 0; index = balls.lowestFreeIndex()) {
        balls.Load(index);
        balls[index].Move(across(random), down(random));
        balls[index].Visible = true;
    }
    scene.paintChanges();
    float step = 15;
    for (auto _ : state) {
        state.PauseTiming();
        step = -step;
        balls.forEachLoaded([step](int index, host::Shape& ball) {
            if (index > 0) ball.Move(ball.Left + step, ball.Top);
        });
        state.ResumeTiming();
        benchmark::DoNotOptimize(scene.paintChanges().data());
    }
    reportBalls(state, scene.cover);
}
BENCHMARK(BM_PaintFullFrame32767Balls)->Unit(benchmark::kMicrosecond);

}  // namespace
