// Cost of finding the lowest free index of the balls' control array with few
// and with very many balls in flight; it should hardly grow.

#include <benchmark/benchmark.h>

#include "host/index_set.h"

namespace {

// Indices 0 (the template) to the number in flight are loaded, so the free
// index lies past all of them: the far end of the search.
void BM_LowestFreeIndex(benchmark::State& state) {
    const int inFlight = int(state.range(0));
    host::IndexSet loaded;
    for (int index = 0; index <= inFlight; ++index) loaded.insert(index);
    for (auto _ : state) {
        benchmark::DoNotOptimize(loaded);
        benchmark::DoNotOptimize(loaded.lowestFree());
    }
    state.counters["balls"] = inFlight;
}
BENCHMARK(BM_LowestFreeIndex)->Arg(150)->Arg(32000);

}  // namespace
