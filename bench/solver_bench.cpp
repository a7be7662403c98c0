// Speed of the solver on every shipped level and of the generator at a few sizes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "puzzle/generator.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace {

tk::LevelFile shippedLevel(int n) {
    char path[512];
    std::snprintf(path, sizeof path, "%s/levels/%02d.kulap", TK_DATA_DIR, n);
    const tk::LevelRead read = tk::readLevelFile(path);
    return read.level ? *read.level : tk::LevelFile{};
}

void SolveShippedLevel(benchmark::State& state) {
    const tk::LevelFile level = shippedLevel(static_cast<int>(state.range(0)));
    tk::SolveResult result;
    for (auto _ : state) {
        result = tk::solveLevel(level);
        benchmark::DoNotOptimize(result.plan.data());
    }
    if (result.status != tk::SolveStatus::Solved) state.SkipWithError("not solved");
    state.counters["actions"] = static_cast<double>(result.plan.size());
    state.counters["states"] = static_cast<double>(result.states);
}
BENCHMARK(SolveShippedLevel)->DenseRange(1, 30)->Unit(benchmark::kMillisecond);

void GenerateLevel(benchmark::State& state) {
    tk::GenerateOptions options;
    options.pipes = static_cast<int>(state.range(0));
    options.scramble = static_cast<int>(state.range(1));
    std::uint64_t seed = 1;
    std::size_t failures = 0;
    for (auto _ : state) {
        options.seed = seed++;
        const tk::Generated g = tk::generateLevel(options);
        failures += !g.ok;
        benchmark::DoNotOptimize(g.plan.data());
    }
    state.counters["failed"] = static_cast<double>(failures);
}
BENCHMARK(GenerateLevel)->Args({10, 3})->Args({30, 10})->Args({50, 20})->Args({75, 36})
    ->Unit(benchmark::kMillisecond);

}  // namespace
