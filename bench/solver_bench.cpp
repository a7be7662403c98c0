// Speed of the solver: every shipped level, boards proven hopeless by local rules, and raw states per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "support/trial_level.h"

namespace {

tk::LevelFile shippedLevel(int n) {
    char path[512];
    std::snprintf(path, sizeof path, "%s/levels/%02d.kulap", TK_DATA_DIR, n);
    const tk::LevelRead read = tk::readLevelFile(path);
    return read.level ? *read.level : tk::LevelFile{};
}


void report(benchmark::State& state, const tk::SolveResult& r) {
    state.counters["actions"] = static_cast<double>(r.plan.size());
    state.counters["shortest"] = r.shortest;
    state.counters["states"] = static_cast<double>(r.states);
    state.counters["bytes/state"] = r.states ? static_cast<double>(r.bytes) / static_cast<double>(r.states) : 0;
    state.counters["states/s"] =
        benchmark::Counter(static_cast<double>(r.states), benchmark::Counter::kIsIterationInvariantRate);
}

// The default budget of a million states: the shortest plan, proven.
void SolveShippedLevel(benchmark::State& state) {
    const tk::LevelFile level = shippedLevel(static_cast<int>(state.range(0)));
    tk::SolveResult result;
    for (auto _ : state) {
        result = tk::solveLevel(level);
        benchmark::DoNotOptimize(result.plan.data());
    }
    if (result.status != tk::SolveStatus::Solved) state.SkipWithError("not solved");
    report(state, result);
}
BENCHMARK(SolveShippedLevel)->DenseRange(1, 30)->Unit(benchmark::kMillisecond);

// Any plan at once, within a small budget (the hint asks for more: bench/hint_bench.cpp).
void FirstPlanOfShippedLevel(benchmark::State& state) {
    const tk::LevelFile level = shippedLevel(static_cast<int>(state.range(0)));
    tk::SolveOptions options;
    options.improve = false;
    options.maxStates = 50'000;
    tk::SolveResult result;
    for (auto _ : state) {
        result = tk::solveLevel(level, options);
        benchmark::DoNotOptimize(result.plan.data());
    }
    if (result.status != tk::SolveStatus::Solved) state.SkipWithError("not solved");
    report(state, result);
}
BENCHMARK(FirstPlanOfShippedLevel)->DenseRange(1, 30)->Unit(benchmark::kMillisecond);

// Large boards made hopeless through three cells: an elbow between a dead end and the
// rest (its only way out), in a field of 68 pipes and in the last shipped level.
void RefuseLocalContradiction(benchmark::State& state) {
    const char* const field[tk::kRows] = {"FKFCFFKJFCK", "LLLHKFAFHGG", "LGICAHGJFDG", "LKCEIFDBKGD",
                                          "LIACLJIDDCH", "LHGEFCKIJHL", "LLJHFDJGDIL"};
    tk::LevelFile level = tk::trialLevel({field, field + tk::kRows}, 7, 1, 5, 6);
    if (state.range(0) == 1) {
        level = shippedLevel(30);
        level.rows[0].replace(0, 3, "FKF");  // the dead end, the elbow, and the rest beside it
        level.rows[1].replace(0, 2, "LL");
    }
    tk::SolveResult result;
    for (auto _ : state) {
        result = tk::solveLevel(level);
        benchmark::DoNotOptimize(result.reason.data());
    }
    if (result.status != tk::SolveStatus::Unsolvable) state.SkipWithError("not refused");
    state.counters["states"] = static_cast<double>(result.states);
}
BENCHMARK(RefuseLocalContradiction)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A loose field of 66 pipes (every pipe may point more ways than one) that no budget
// here proves: the whole budget is spent, which measures states per second and memory.
void SpendTheWholeBudget(benchmark::State& state) {
    const char* const field[tk::kRows] = {"GLFCFFKJFCK", "IJLHKFAFHGG", "LGICAHGJFDG", "LKCEIFDBKGD",
                                          "LIACLJIDDCH", "LHGEFCKIJHL", "LLJHFDJGDIL"};
    const tk::LevelFile level = tk::trialLevel({field, field + tk::kRows}, 7, 1, 5, 6);
    tk::SolveOptions options;
    options.maxStates = static_cast<std::size_t>(state.range(0));
    tk::SolveResult result;
    for (auto _ : state) {
        result = tk::solveLevel(level, options);
        benchmark::DoNotOptimize(result.plan.data());
    }
    report(state, result);
}
BENCHMARK(SpendTheWholeBudget)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
