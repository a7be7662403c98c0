// How long a level made in the game takes to appear: the worst of a hundred seeds per band, in wall and CPU time.
#include <benchmark/benchmark.h>

#include <ctime>

#include <algorithm>
#include <chrono>
#include <vector>

#include "puzzle/daily.h"
#include "puzzle/play_generator.h"

namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// What each made level took, in wall-clock and in the thread's CPU milliseconds.
struct Times {
    std::vector<double> wall, cpu;

    tk::Generated Make(tk::Difficulty band, std::uint64_t seed) {
        const double cpuStart = threadCpuMs();
        const auto start = std::chrono::steady_clock::now();
        const tk::Generated made = tk::generateForPlay(band, seed);
        wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        cpu.push_back(threadCpuMs() - cpuStart);
        benchmark::DoNotOptimize(made.level.rows.data());
        return made;
    }

    // The median and the worst of each into the benchmark's counters.
    void Report(benchmark::State& state) {
        std::sort(wall.begin(), wall.end());
        std::sort(cpu.begin(), cpu.end());
        state.counters["median_ms"] = wall[wall.size() / 2];
        state.counters["worst_ms"] = wall.back();
        state.counters["median_cpu_ms"] = cpu[cpu.size() / 2];
        state.counters["worst_cpu_ms"] = cpu.back();
    }
};

// A hundred seeds of the band (as random levels get them), each made once; the counters
// give the median and the worst, and how many seeds needed a later seed.
void MakeForPlay(benchmark::State& state) {
    const auto band = static_cast<tk::Difficulty>(state.range(0));
    Times times;
    int laterSeed = 0, mostTries = 0;
    for (auto _ : state) {
        for (std::uint64_t seed = 1; seed <= 100; ++seed) {
            const tk::Generated made = times.Make(band, seed * 7919);
            laterSeed += made.seed != seed * 7919;
            mostTries = std::max(mostTries, made.tries);
        }
    }
    times.Report(state);
    state.counters["later_seed"] = laterSeed;
    state.counters["most_tries"] = mostTries;
}
BENCHMARK(MakeForPlay)
    ->Arg(static_cast<int>(tk::Difficulty::Easy))
    ->Arg(static_cast<int>(tk::Difficulty::Medium))
    ->Arg(static_cast<int>(tk::Difficulty::Hard))
    ->Arg(static_cast<int>(tk::Difficulty::Expert))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The days' puzzles of a hundred days from 2025-01-01, each made as the game makes it.
void MakeDaily(benchmark::State& state) {
    Times times;
    for (auto _ : state) {
        for (int day = 0; day < 100; ++day) {
            const tk::CivilDate date = tk::utcDateOf(1735689600 + std::int64_t{86400} * day);
            times.Make(tk::dailyBand(date), tk::dailySeed(date));
        }
    }
    times.Report(state);
}
BENCHMARK(MakeDaily)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
