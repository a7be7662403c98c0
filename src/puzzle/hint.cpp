// The hint: the level as it stands handed to the solver, and a plan followed while the player follows it.
#include "puzzle/hint.h"

#include "puzzle/action.h"

namespace tk {

namespace {

Hint act(char planLetter) { return {Hint::Kind::Act, planAction(planLetter), {}}; }

Hint hintOf(const SolveResult& result) {
    switch (result.status) {
        case SolveStatus::Solved:
            if (!result.plan.empty()) return act(result.plan.front());
            break;
        case SolveStatus::Unsolvable: return {Hint::Kind::NoWay, Action::None, result.reason};
        case SolveStatus::Undecided: break;
    }
    return {Hint::Kind::Unknown, Action::None, result.reason};
}

}  // namespace

SolveOptions hintSolveOptions(std::size_t maxStates) {
    SolveOptions options;
    options.maxStates = maxStates;
    options.improve = false;  // a hint needs any plan at once, not the shortest
    return options;
}

LevelFile levelAsItStands(const LevelFile& level, const TileGrid& board, int playerX, int playerY) {
    LevelFile now = level;
    for (int y = 0; y < kRows; ++y) {
        std::string& row = now.rows[static_cast<std::size_t>(y)];
        row.assign(kCols, kFloorTile);
        for (int x = 0; x < kCols; ++x) row[static_cast<std::size_t>(x)] = board(x, y);
    }
    now.playerX = static_cast<std::int16_t>(playerX);
    now.playerY = static_cast<std::int16_t>(playerY);
    return now;
}

Hint firstAction(const LevelFile& asItStands, std::size_t maxStates) {
    return hintOf(solveLevel(asItStands, hintSolveOptions(maxStates)));
}

Hint HintGuide::Next(const LevelFile& asItStands) {
    if (from_ && from_->sourceX == asItStands.sourceX && from_->sourceY == asItStands.sourceY) {
        // Where the player stands on the kept plan: the last place, should the plan pass
        // the same state twice, so that the rest is as short as it can be.
        const PlanWalk now(asItStands);
        PlanWalk walk(*from_);
        int at = -1;
        for (std::size_t i = 0; i < plan_.size(); ++i) {
            if (walk.SameAs(now)) at = static_cast<int>(i);
            if (!walk.Take(plan_[i])) break;
        }
        if (at >= 0) return act(plan_[static_cast<std::size_t>(at)]);
    }
    from_.reset();
    const SolveResult result = solveLevel(asItStands, hintSolveOptions(maxStates_));
    if (result.status == SolveStatus::Solved && !result.plan.empty()) {
        from_ = asItStands;
        plan_ = result.plan;
    }
    return hintOf(result);
}

PlanWalk::PlanWalk(const LevelFile& level)
    : x(level.playerX), y(level.playerY), sourceX_(level.sourceX), sourceY_(level.sourceY) {
    FlowGrid flow;
    placeLevel(level, board, flow);
}

bool PlanWalk::Take(char action) {
    // The walk follows the tiles and the figure; the water is none of its business.
    Field field{board, {}, sourceX_, sourceY_, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    if (!applyAction(field, planAction(action), WaterAfterTurn::Waits).legal) return false;
    board = field.board;
    x = field.playerX;
    y = field.playerY;
    return true;
}

}  // namespace tk
