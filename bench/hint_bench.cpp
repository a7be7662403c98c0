// How long a hint takes: the worst answer over every state the play-throughs of the shipped levels pass through.
//
// Each level in data/levels is read when the benchmark runs, solved, and its plan carried
// out action by action by the game's rules; before each action a hint is asked afresh,
// as the game asks when the player has left the plan. The target is 50 ms for the worst.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace {

struct PlayThrough {
    std::string name;
    std::vector<tk::LevelFile> states;  // the level as it stands before each action
};

// Every shipped level with the states of its solver plan; read once.
const std::vector<PlayThrough>& playThroughs() {
    static const std::vector<PlayThrough> all = [] {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(std::string(TK_DATA_DIR) + "/levels"))
            if (entry.path().extension() == ".kulap") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        std::vector<PlayThrough> out;
        for (const auto& file : files) {
            const tk::LevelRead read = tk::readLevelFile(file.string());
            if (!read.level) continue;
            tk::SolveOptions options;
            options.maxStates = 2'000'000;
            const tk::SolveResult solved = tk::solveLevel(*read.level, options);
            if (solved.status != tk::SolveStatus::Solved) continue;
            PlayThrough p{file.stem().string(), {}};
            tk::PlanWalk walk(*read.level);
            for (char action : solved.plan) {
                p.states.push_back(tk::levelAsItStands(*read.level, walk.board, walk.x, walk.y));
                if (!walk.Take(action)) break;
            }
            out.push_back(std::move(p));
        }
        return out;
    }();
    return all;
}

// The processor time of this thread: on a machine shared with other work the wall clock
// tells more about the others than about the hint. Both are reported.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Tally {
    double worstMs = 0, totalMs = 0, worstWallMs = 0;
    std::size_t asked = 0, unknown = 0, noWay = 0;
    std::string worstAt;

    void Ask(const PlayThrough& p, std::size_t index) {
        const auto wallStart = std::chrono::steady_clock::now();
        const double start = threadMs();
        const tk::Hint hint = tk::firstAction(p.states[index]);
        const double ms = threadMs() - start;
        const double wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
        benchmark::DoNotOptimize(hint.action);
        ++asked;
        totalMs += ms;
        worstWallMs = std::max(worstWallMs, wallMs);
        unknown += hint.kind == tk::Hint::Kind::Unknown;
        noWay += hint.kind == tk::Hint::Kind::NoWay;
        if (ms > worstMs) {
            worstMs = ms;
            worstAt = p.name + " before action " + std::to_string(index + 1);
        }
    }
    void Report(benchmark::State& state) const {
        state.counters["worst_ms"] = worstMs;
        state.counters["worst_wall_ms"] = worstWallMs;
        state.counters["mean_ms"] = asked ? totalMs / static_cast<double>(asked) : 0;
        // Per pass over the states. Every state of a play-through can be won, so "no way"
        // stays 0; "no hint" counts the states whose answer the budget cut off.
        const auto perPass = [](std::size_t n) {
            return benchmark::Counter(static_cast<double>(n), benchmark::Counter::kAvgIterations);
        };
        state.counters["hints"] = perPass(asked);
        state.counters["no_hint"] = perPass(unknown);
        state.counters["no_way"] = perPass(noWay);
        state.SetLabel("worst at " + worstAt + ", target 50 ms");
    }
};

void HintOnEveryPlayThroughState(benchmark::State& state) {
    const auto& all = playThroughs();
    if (all.empty()) {
        state.SkipWithError("no shipped level could be read and solved");
        return;
    }
    Tally tally;
    for (auto _ : state)
        for (const PlayThrough& p : all)
            for (std::size_t i = 0; i < p.states.size(); ++i) tally.Ask(p, i);
    tally.Report(state);
    state.counters["levels"] = static_cast<double>(all.size());
}
BENCHMARK(HintOnEveryPlayThroughState)->Iterations(3)->Unit(benchmark::kMillisecond);

// The same per level, to see where the worst lies.
void HintOnLevel(benchmark::State& state) {
    const auto& all = playThroughs();
    const auto index = static_cast<std::size_t>(state.range(0));
    if (index >= all.size()) {
        state.SkipWithError("no such shipped level");
        return;
    }
    Tally tally;
    for (auto _ : state)
        for (std::size_t i = 0; i < all[index].states.size(); ++i) tally.Ask(all[index], i);
    tally.Report(state);
}
BENCHMARK(HintOnLevel)->DenseRange(0, 29)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
