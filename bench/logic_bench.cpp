// Logic cost of one tick of the cover window (hands, emission, stage2) per
// ball in flight, next to the floor: a loop that only adds a step to as many
// single-precision positions as there can be balls.

#include <benchmark/benchmark.h>

#include <vector>

#include "display/frm_cover.h"
#include "host/app.h"
#include "tests/support/headless.h"

namespace {

namespace headless = host::headless;

// Keeps exactly the given number of balls in flight: the balls stand still
// (speed 0, so none leaves) and each tick's new ball is taken out again right
// after it, so every tick moves the same number of balls, one in and one out
// as in a settled run. The 72 angles of the default gap are all in flight.
// Taking the ball out costs a few nanoseconds per tick; pausing the clock
// for it would cost more.
void BM_TickLogic(benchmark::State& state) {
    const int balls = int(state.range(0));
    host::startFreshProgram();
    headless::setScreenPixels(1920, 1080);
    display::FrmCover cover([] { return true; });
    headless::runMain([&cover] { cover.Show(); });
    cover.BallSpeed = 0;
    for (int i = 1; i < balls; ++i) cover.Timer1_Timer();
    float timeOfDay = 0;

    // The tick's handler alone: presenting the frame is the paint
    // benchmarks' part.
    for (auto _ : state) {
        headless::setTimeOfDay(timeOfDay += 0.016f);
        const int released = cover.effect.lowestFreeIndex();
        cover.Timer1_Timer();
        cover.effect.Unload(released);
    }
    state.counters["balls"] = balls;
    state.counters["ns_per_ball"] = benchmark::Counter(double(state.iterations()) * balls,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    headless::runMain([&cover] { cover.Unload(); });
}
BENCHMARK(BM_TickLogic)->Arg(150)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

void BM_FloorAddStepToPositions(benchmark::State& state) {
    const int balls = int(state.range(0));
    std::vector<float> positions(std::size_t(balls), 3600.0f);
    const double step = 0.0;
    for (auto _ : state) {
        for (float& position : positions) position = float(position + step);
        benchmark::DoNotOptimize(positions.data());
        benchmark::ClobberMemory();
    }
    state.counters["balls"] = balls;
    state.counters["ns_per_ball"] = benchmark::Counter(double(state.iterations()) * balls,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FloorAddStepToPositions)->Arg(32767)->Unit(benchmark::kMicrosecond);

}  // namespace
