// Drives the headless cover through a long run of ticks (by default 24
// hours at 64 ticks per second) three times: with the default settings, at
// speed 0, and with settings changed at random between activations. Prints
// what each run reached and exits non-zero when an error box would have
// shown, the balls went past 32 767, or the heap grew after warm-up.
//
//   zantrelle_soak [TICKS]

#include <charconv>
#include <cstdio>
#include <string_view>
#include <vector>

#include "soak/memory_probe.h"
#include "soak/scenarios.h"

namespace {

constexpr std::int64_t dayOfTicks = std::int64_t(86400) * 64;
constexpr std::int64_t fewestTicks = 50000;

void print(const soak::SoakResult& result) {
    std::printf("%-18s %9lld ticks  %5d balls at most  heap %7zu KiB after warm-up, %+5lld KiB at the end  %7.1f s\n",
                result.name.c_str(), static_cast<long long>(result.ticks), result.peakBalls,
                result.heap.baseline() / 1024, static_cast<long long>(result.heap.growth() / 1024), result.seconds);
}

void reportFailures(const soak::SoakResult& result) {
    const char* name = result.name.c_str();
    if (result.errorBox) std::printf("FAILED %s: error box \"%s\"\n", name, result.errorBox->c_str());
    if (result.failure) std::printf("FAILED %s: %s\n", name, result.failure->c_str());
    if (!result.heap.hasReadings()) std::printf("FAILED %s: no heap reading after warm-up\n", name);
    if (result.heap.grew())
        std::printf("FAILED %s: the heap grew by %lld bytes after warm-up (bound %zu)\n", name,
                    static_cast<long long>(result.heap.growth()), soak::HeapWatch::growthBound);
    if (result.peakBalls > 32767) std::printf("FAILED %s: %d balls in flight\n", name, result.peakBalls);
}

}  // namespace

int main(int argc, char** argv) {
    std::int64_t ticks = dayOfTicks;
    if (argc > 1) {
        const std::string_view text(argv[1]);
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ticks);
        if (argc > 2 || error != std::errc() || end != text.data() + text.size() || ticks < fewestTicks) {
            std::fprintf(stderr, "usage: %s [TICKS]  (at least %lld; default %lld, 24 hours at 64 per second)\n",
                         argv[0], static_cast<long long>(fewestTicks), static_cast<long long>(dayOfTicks));
            return 2;
        }
    }
    std::printf("%lld ticks per run (%.2f hours at 64 per second), warm-up %lld ticks\n",
                static_cast<long long>(ticks), double(ticks) / 64 / 3600,
                static_cast<long long>(soak::warmUpTicks(ticks)));
    std::fflush(stdout);

    std::vector<soak::SoakResult> results;
    for (auto run : {soak::soakDefaults, soak::soakSpeedZero, soak::soakChangingSettings}) {
        results.push_back(run(ticks));
        print(results.back());
        std::fflush(stdout);
    }
    std::printf("resident set: %zu KiB at most, %zu KiB at the end\n", soak::peakResidentKiB(), soak::residentKiB());

    bool passed = true;
    for (const auto& result : results) {
        reportFailures(result);
        passed = passed && result.passed();
    }
    std::printf("%s\n", passed ? "soak passed" : "soak FAILED");
    return passed ? 0 : 1;
}
