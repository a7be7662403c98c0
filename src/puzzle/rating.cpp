// Rating a level: the shortest plan found, the layouts that win, the naive player, and the score.
#include "puzzle/rating.h"

#include <algorithm>
#include <cmath>

#include "puzzle/generator.h"
#include "puzzle/naive_player.h"
#include "puzzle/search_board.h"
#include "puzzle/water.h"

namespace tk {

double difficultyScore(const Rating& r) {
    if (r.status != SolveStatus::Solved) return 0;
    const double raw = 3.0 * r.mustTurn + r.turns + r.pipes / 10.0 + (r.naiveWins ? 0 : 10) -
                       r.ambiguous / 5.0;
    return std::max(0.0, std::round(raw * 10) / 10);
}

Rating rateLevel(const LevelFile& level, const RateOptions& options) {
    using namespace search;
    Rating r;
    r.timeLimit = level.timeLimit;
    for (const std::string& row : level.rows)
        for (char c : row) r.pipes += isPipe(c);
    TileGrid board;
    FlowGrid flow;
    placeLevel(level, board, flow);
    spreadWater(board, flow, level.sourceX, level.sourceY);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) r.dryAtStart += board(x, y) != kFloorTile && flow(x, y) == flowDry;

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
        const int code = planActionCode(a);
        const bool turn = code == turnLeft || code == turnRight;
        r.turns += turn;
        r.steps += !turn;
        run = turn ? 0 : run + 1;
        r.longestWalk = std::max(r.longestWalk, run);
    }
    r.walkPercent = static_cast<int>(std::lround(100.0 * r.steps / static_cast<double>(r.plan.size())));

    // The plan's own final board is a winning layout too: a bound when the search gave up.
    const Letters start = lettersOf(level);
    Letters end = start;
    int at = cellOf(level.playerX, level.playerY);
    for (char a : r.plan) {
        const int code = planActionCode(a);
        if (code == turnLeft || code == turnRight) end[at] = quarterTurn(end[at], code);
        else at += kStep[code];
    }
    int changed = 0;
    for (int c = 0; c < kCells; ++c) changed += end[c] != start[c];
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
