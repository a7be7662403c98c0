// Speed of the generator per difficulty band: median and worst over seeds, since tries vary by seed; how often a band was not met.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "puzzle/generator.h"

namespace {

void GenerateInBand(benchmark::State& state) {
    tk::GenerateOptions options;
    options.difficulty = static_cast<tk::Difficulty>(state.range(0));
    options.pipes = static_cast<int>(state.range(1));  // 0: from the band
    std::uint64_t seed = 1;
    std::vector<double> ms;
    int notMet = 0, laterSeed = 0;
    for (auto _ : state) {
        options.seed = seed++;
        const auto start = std::chrono::steady_clock::now();
        const tk::Generated g = tk::generateLevel(options);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        notMet += !g.ok;
        laterSeed += g.ok && g.seed != options.seed;
        benchmark::DoNotOptimize(g.plan.data());
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
    // Seeds whose band no level of their list met (nothing written), and seeds whose band
    // a later seed of the list met.
    state.counters["not_met"] = notMet;
    state.counters["later_seed"] = laterSeed;
}
BENCHMARK(GenerateInBand)
    ->Args({static_cast<int>(tk::Difficulty::Easy), 0})
    ->Args({static_cast<int>(tk::Difficulty::Medium), 0})
    ->Args({static_cast<int>(tk::Difficulty::Hard), 0})
    ->Args({static_cast<int>(tk::Difficulty::Expert), 0})
    ->Args({static_cast<int>(tk::Difficulty::Hard), 60})
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
