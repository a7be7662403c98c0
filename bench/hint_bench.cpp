// How long a hint takes and how short its way is: every state of the shipped levels' play-throughs, random states of them, full generated fields.
//
// The states are made when the benchmark runs: the shipped levels' proven shortest plans
// carried out action by action (before each action, the state is one to hint from, and
// the rest of the plan is the shortest from there); random legal actions from each level's
// start; and fields of 70 to 77 pipes from the generator whose plan takes 12 actions at
// most. Each hint is asked afresh, as the game asks it when no plan is being followed.
// The targets: the worst hint within 50 ms of CPU, and never "no hint".
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "puzzle/generator.h"
#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace {

struct State {
    std::string name;     // where it came from, for the worst
    tk::LevelFile level;  // the level as it stands
    int shortest = 0;     // actions of the shortest plan from it, when known (else 0)
};

struct Shipped {
    std::string name;
    tk::LevelFile level;
};

std::vector<Shipped> shippedLevels() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TK_DATA_DIR) + "/levels"))
        if (entry.path().extension() == ".kulap") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<Shipped> out;
    for (const auto& file : files)
        if (const tk::LevelRead read = tk::readLevelFile(file.string()); read.level)
            out.push_back({"level " + file.stem().string(), *read.level});
    return out;
}

// Every state of every shipped level's proven shortest play-through but the won one.
const std::vector<State>& playThroughStates() {
    static const std::vector<State> all = [] {
        std::vector<State> out;
        for (const auto& [name, level] : shippedLevels()) {
            tk::SolveOptions options;
            options.maxStates = 2'000'000;
            const tk::SolveResult solved = tk::solveLevel(level, options);
            if (solved.status != tk::SolveStatus::Solved || !solved.shortest) continue;
            tk::PlanWalk walk(level);
            for (std::size_t i = 0; i < solved.plan.size(); ++i) {
                out.push_back({name + " before action " + std::to_string(i + 1),
                               tk::levelAsItStands(level, walk.board, walk.x, walk.y),
                               static_cast<int>(solved.plan.size() - i)});
                if (!walk.Take(solved.plan[i])) break;
            }
        }
        return out;
    }();
    return all;
}

// A thousand states a player can reach: up to 60 random legal actions from a level's
// start (a turn that would win is passed over), the same levels in turn.
const std::vector<State>& randomStates() {
    static const std::vector<State> all = [] {
        const std::vector<Shipped> levels = shippedLevels();
        std::vector<State> out;
        tk::SplitMix64 rng(2024);
        for (int n = 0; n < 1000 && !levels.empty(); ++n) {
            const auto& [name, level] = levels[static_cast<std::size_t>(n) % levels.size()];
            tk::PlanWalk walk(level);
            const int actions = 1 + rng.Below(60);
            for (int i = 0; i < actions; ++i) {
                const char action = "LURD<>"[rng.Below(6)];
                const tk::LevelFile now = tk::levelAsItStands(level, walk.board, walk.x, walk.y);
                const bool turn = action == tk::kPlanTurnLeft || action == tk::kPlanTurnRight;
                if (turn && tk::replayPlan(now, std::string(1, action)).wonAt == 0) continue;
                walk.Take(action);
            }
            out.push_back({name + ", random state " + std::to_string(n + 1),
                           tk::levelAsItStands(level, walk.board, walk.x, walk.y), 0});
        }
        return out;
    }();
    return all;
}

// A hundred fields of 70 to 77 pipes from the generator, each won by a plan of 12 actions
// or fewer (the generator's own plan, so the shortest is no longer).
const std::vector<State>& fullFields() {
    static const std::vector<State> all = [] {
        std::vector<State> out;
        for (std::uint64_t seed = 1; out.size() < 100 && seed < 10'000; ++seed) {
            tk::GenerateOptions options;
            options.seed = seed;
            options.pipes = 70 + static_cast<int>(seed % 8);
            options.scramble = 1 + static_cast<int>(seed % 5);
            options.solverStates = 20'000;
            const tk::Generated made = tk::generateLevel(options);
            if (made.ok && made.plan.size() <= 12)
                out.push_back({"field of seed " + std::to_string(seed), made.level, 0});
        }
        return out;
    }();
    return all;
}

// The processor time of this thread: on a machine shared with other work the wall clock
// tells more about the others than about the hint.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Tally {
    double worstMs = 0, totalMs = 0, worstRatio = 0;
    std::size_t asked = 0, unknown = 0, noWay = 0, known = 0, shortestProven = 0, over125 = 0, over150 = 0;
    std::string worstAt, worstRatioAt;

    void Ask(const State& s) {
        const double start = threadMs();
        const tk::Hint hint = tk::hintFor(s.level);
        const double ms = threadMs() - start;
        benchmark::DoNotOptimize(hint.action);
        ++asked;
        totalMs += ms;
        unknown += hint.kind == tk::Hint::Kind::Unknown;
        noWay += hint.kind == tk::Hint::Kind::NoWay;
        if (ms > worstMs) {
            worstMs = ms;
            worstAt = s.name;
        }
        if (s.shortest > 0 && hint.kind == tk::Hint::Kind::Act) {
            ++known;
            shortestProven += hint.shortest;
            const double ratio = static_cast<double>(hint.plan.size()) / s.shortest;
            over125 += ratio > 1.25;
            over150 += ratio > 1.5;
            if (ratio > worstRatio) {
                worstRatio = ratio;
                worstRatioAt = s.name;
            }
        }
    }
    void Report(benchmark::State& state) const {
        state.counters["worst_ms"] = worstMs;
        state.counters["mean_ms"] = asked ? totalMs / static_cast<double>(asked) : 0;
        // Per pass over the states. Every state here can be won, so "no way" stays 0;
        // "no hint" counts the states whose answer the budget cut off.
        const auto perPass = [](std::size_t n) {
            return benchmark::Counter(static_cast<double>(n), benchmark::Counter::kAvgIterations);
        };
        state.counters["hints"] = perPass(asked);
        state.counters["no_hint"] = perPass(unknown);
        state.counters["no_way"] = perPass(noWay);
        std::string label = "worst at " + worstAt + ", target 50 ms";
        if (known) {
            // Against the proven shortest plan from each state.
            state.counters["worst_ratio"] = worstRatio;
            state.counters["over_1.25"] = perPass(over125);
            state.counters["over_1.5"] = perPass(over150);
            state.counters["proven"] = perPass(shortestProven);
            label += "; longest way at " + worstRatioAt;
        }
        state.SetLabel(label);
    }
};

void run(benchmark::State& state, const std::vector<State>& states) {
    if (states.empty()) {
        state.SkipWithError("no states to hint from");
        return;
    }
    Tally tally;
    for (auto _ : state)
        for (const State& s : states) tally.Ask(s);
    tally.Report(state);
}

void HintOnEveryPlayThroughState(benchmark::State& state) { run(state, playThroughStates()); }
BENCHMARK(HintOnEveryPlayThroughState)->Iterations(2)->Unit(benchmark::kMillisecond);

void HintOnRandomReachableStates(benchmark::State& state) { run(state, randomStates()); }
BENCHMARK(HintOnRandomReachableStates)->Iterations(2)->Unit(benchmark::kMillisecond);

void HintOnFullGeneratedFields(benchmark::State& state) { run(state, fullFields()); }
BENCHMARK(HintOnFullGeneratedFields)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
