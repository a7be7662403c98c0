// The solver's compact boards held to the action rule: every plan a search, the polish or a hint writes wins by applyAction exactly at its last letter.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "puzzle/generator.h"
#include "puzzle/hint.h"
#include "puzzle/plan_polish.h"
#include "puzzle/plan_search.h"
#include "puzzle/solver.h"
#include "reference_search.h"

namespace tk {
namespace {

using namespace search;

struct Named {
    std::string name;
    LevelFile level;
};

// The thirty shipped levels and generated ones from a few pipes to a full field, each
// at its start and halfway through a first plan, where the search starts from a board
// that play has turned.
const std::vector<Named>& states() {
    static const std::vector<Named> all = [] {
        std::vector<Named> starts;
        for (int n = 1; n <= 30; ++n) {
            const std::string name = (n < 10 ? "0" : "") + std::to_string(n);
            const LevelRead read = readLevelFile(std::string(TK_DATA_DIR) + "/levels/" + name + ".kulap");
            if (read.level) starts.push_back({name, *read.level});
        }
        for (const auto& [seed, pipes, scramble] : {std::tuple{3, 12, 4}, {5, 30, 8}, {8, 50, 12}, {13, 77, 16}}) {
            GenerateOptions o;
            o.seed = static_cast<std::uint64_t>(seed);
            o.pipes = pipes;
            o.scramble = scramble;
            o.solverStates = 20'000;
            const Generated g = generateLevel(o);
            if (g.ok) starts.push_back({"made " + std::to_string(seed), g.level});
        }
        std::vector<Named> out = starts;
        SolveOptions quick;
        quick.improve = false;
        quick.maxStates = 20'000;
        for (const Named& s : starts) {
            const SolveResult first = solveLevel(s.level, quick);
            if (first.status == SolveStatus::Solved && first.plan.size() > 1)
                out.push_back({s.name + " halfway",
                               test::afterActions(s.level, std::string_view(first.plan).substr(0, first.plan.size() / 2))});
        }
        return out;
    }();
    return all;
}

// Every letter allowed and the win at the last one: not before, not after.
void expectWinsAtItsLastLetter(const LevelFile& level, const std::string& plan, const std::string& what) {
    ASSERT_FALSE(plan.empty()) << what;
    const ReplayResult replay = replayPlan(level, plan);
    EXPECT_TRUE(replay.legal) << what << ": refused at " << replay.failedAt << " in " << plan;
    EXPECT_EQ(replay.wonAt, static_cast<int>(plan.size()) - 1) << what << ": " << plan;
}

// The kinds of search the solver and the hint run: exhaustive with an admissible estimate,
// the solver's quick first plan (regions merged, led by dry cells and half-open sides), and
// the hint's greedy one (a guessed walk, only useful turns).
std::vector<std::pair<std::string, SearchLimits>> searchKinds() {
    SearchLimits exhaustive;
    exhaustive.maxStates = 20'000;
    SearchLimits first;
    first.maxStates = 20'000;
    first.improve = false;
    first.mergeRegions = true;
    first.weightTenths = 30;
    first.dryTenths = 5;
    first.halfOpenTenths = 20;
    SearchLimits greedy;
    greedy.maxStates = 5'000;
    greedy.improve = false;
    greedy.weightTenths = 15;
    greedy.dryTenths = 5;
    greedy.roundEstimate = true;
    greedy.usefulTurnsOnly = true;
    return {{"exhaustive", exhaustive}, {"first plan", first}, {"greedy", greedy}};
}

TEST(PlansByTheRule, EverySearchAndItsPolishWinExactlyAtTheLastLetter) {
    int plans = 0;
    for (const Named& s : states()) {
        SCOPED_TRACE(s.name);
        const Prepared prepared = prepareProblem(s.level, 2'000);
        ASSERT_EQ(prepared.reason, "");
        for (const auto& [kind, limits] : searchKinds()) {
            const SearchOutcome found = searchPlan(prepared.problem, limits);
            if (!found.found) continue;
            ++plans;
            expectWinsAtItsLastLetter(s.level, found.plan, kind);
            expectWinsAtItsLastLetter(s.level, polishPlan(prepared.problem, found.plan, 2'000).plan, kind + ", polished");
        }
    }
    EXPECT_GE(plans, 2 * static_cast<int>(states().size())) << "most searches find a plan";
}

TEST(PlansByTheRule, EveryHintPlanWinsExactlyAtTheLastLetterAndBeginsWithTheHintedAction) {
    for (const Named& s : states()) {
        SCOPED_TRACE(s.name);
        const Hint hint = hintFor(s.level);
        ASSERT_EQ(hint.kind, Hint::Kind::Act) << hint.reason;
        expectWinsAtItsLastLetter(s.level, hint.plan, "hint");
        EXPECT_EQ(planLetter(hint.action), hint.plan.front());
    }
}

}  // namespace
}  // namespace tk
