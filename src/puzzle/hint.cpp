// The hint: the level as it stands handed to the hint's search, the plan followed kept between hints, and what a hint costs.
#include "puzzle/hint.h"

#include <algorithm>

#include "puzzle/action.h"
#include "puzzle/hint_search.h"

namespace tk {

namespace {

Hint hintOf(const SolveResult& result) {
    Hint hint;
    switch (result.status) {
        case SolveStatus::Solved:
            if (result.plan.empty()) break;
            hint.kind = Hint::Kind::Act;
            hint.action = planAction(result.plan.front());
            hint.plan = result.plan;
            hint.shortest = result.shortest;
            return hint;
        case SolveStatus::Unsolvable: hint.kind = Hint::Kind::NoWay; break;
        case SolveStatus::Undecided: break;
    }
    hint.reason = result.reason;
    return hint;
}

}  // namespace

int hintCostSeconds(int timeLimit) { return std::max(5, (timeLimit + 5) / 10); }

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

Hint hintFor(const LevelFile& asItStands, std::string_view followed, std::size_t maxStates) {
    return hintOf(searchHint(asItStands, followed, maxStates));
}

Hint HintGuide::Next(const LevelFile& asItStands) {
    std::string_view followed;
    if (from_ && from_->sourceX == asItStands.sourceX && from_->sourceY == asItStands.sourceY) {
        // Where the player stands on the kept plan: the last place, should the plan pass
        // the same state twice, so that the rest is as short as it can be.
        const PlanWalk now(asItStands);
        PlanWalk walk(*from_);
        for (std::size_t i = 0; i < plan_.size(); ++i) {
            if (walk.SameAs(now)) followed = std::string_view(plan_).substr(i);
            if (!walk.Take(plan_[i])) break;
        }
    }
    const Hint hint = hintFor(asItStands, followed, maxStates_);
    from_.reset();
    if (hint.kind == Hint::Kind::Act) {
        from_ = asItStands;
        plan_ = hint.plan;
    }
    return hint;
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
