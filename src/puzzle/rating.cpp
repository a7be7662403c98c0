// Rating a level: the shortest plan found, the layouts that win, the naive player, and the score.
#include "puzzle/rating.h"

#include <algorithm>
#include <cmath>

#include "puzzle/generator.h"
#include "puzzle/naive_player.h"
#include "puzzle/action.h"

namespace tk {

double difficultyScore(const Rating& r) {
    if (r.status != SolveStatus::Solved) return 0;
    const double raw = 3.0 * r.mustTurn + r.turns + r.pipes / 10.0 + (r.naiveWins ? 0 : 10) -
                       r.ambiguous / 5.0;
    return std::max(0.0, std::round(raw * 10) / 10);
}

Rating rateLevel(const LevelFile& level, const RateOptions& options) {
    Rating r;
    r.timeLimit = level.timeLimit;
    for (const std::string& row : level.rows)
        for (char c : row) r.pipes += isPipe(c);
    Field start = fieldOf(level);
    letWaterIn(start);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x)
            r.dryAtStart += start.board(x, y) != kFloorTile && start.flow(x, y) == Water::Dry;

    SolveOptions solve;
    solve.maxStates = options.maxStates;
    solve.measureLayouts = true;
    const SolveResult solved = solveLevel(level, solve);
    r.status = solved.status;
    r.reason = solved.reason;
    r.states = solved.states;
    if (solved.status != SolveStatus::Solved) return r;
    r.plan = solved.plan;
    r.shortest = solved.shortest;
    r.lowerBound = solved.lowerBound;
    int run = 0;
    for (char a : r.plan) {
        const bool turn = isTurn(planAction(a));
        r.turns += turn;
        r.steps += !turn;
        run = turn ? 0 : run + 1;
        r.longestWalk = std::max(r.longestWalk, run);
    }
    r.walkPercent = static_cast<int>(std::lround(100.0 * r.steps / static_cast<double>(r.plan.size())));

    // The plan's own final board is a winning layout too: a bound when the search gave up.
    Field end = start;
    for (char a : r.plan) applyAction(end, planAction(a), WaterAfterTurn::Waits);
    int changed = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) changed += end.board(x, y) != start.board(x, y);
    r.mustTurn = solved.pipesToTurn < 0 ? changed : std::min(solved.pipesToTurn, changed);
    r.ambiguous = solved.ambiguousPipes;
    r.layoutsSettled = solved.layoutsSettled;

    const NaivePlay naive = playNaively(level);
    r.naiveWins = naive.won;
    r.naiveActions = static_cast<int>(naive.plan.size());
    const NaivePlay explorer = playExploring(level);
    r.explorerWins = explorer.won;
    r.explorerActions = static_cast<int>(explorer.plan.size());
    r.score = difficultyScore(r);
    r.suggestedTimeLimit = suggestedTimeLimit(r.plan, r.pipes, !r.naiveWins, r.lowerBound);
    return r;
}

}  // namespace tk
