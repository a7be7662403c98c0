// The level solver: plan letters and times, replay by the game's rules, and the checks before the search.
#include "puzzle/solver.h"

#include <algorithm>

#include "puzzle/layouts.h"
#include "puzzle/plan_search.h"

namespace tk {

Action planAction(char letter) {
    switch (letter) {
        case kPlanLeft: return Action::StepLeft;
        case kPlanUp: return Action::StepUp;
        case kPlanRight: return Action::StepRight;
        case kPlanDown: return Action::StepDown;
        case kPlanTurnLeft: return Action::TurnLeft;
        case kPlanTurnRight: return Action::TurnRight;
        default: return Action::None;
    }
}

char planLetter(Action action) {
    switch (action) {
        case Action::StepLeft: return kPlanLeft;
        case Action::StepUp: return kPlanUp;
        case Action::StepRight: return kPlanRight;
        case Action::StepDown: return kPlanDown;
        case Action::TurnLeft: return kPlanTurnLeft;
        case Action::TurnRight: return kPlanTurnRight;
        case Action::None: break;
    }
    return '?';
}

std::int64_t planMilliseconds(std::string_view plan) {
    return static_cast<std::int64_t>(plan.size()) * kActionMs;
}

double planSeconds(std::string_view plan) { return planMilliseconds(plan) / 1000.0; }

ReplayResult replayPlan(const LevelFile& level, std::string_view plan) {
    ReplayResult result;
    if (!InPlayArea(level.playerX, level.playerY) || !InPlayArea(level.sourceX, level.sourceY)) {
        result.legal = false;
        result.failedAt = 0;
        return result;
    }
    Field field = fieldOf(level);
    letWaterIn(field);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Effect effect = applyAction(field, planAction(plan[i]));
        if (!effect.legal) {
            result.legal = false;
            result.failedAt = static_cast<int>(i);
            return result;
        }
        if (effect.won) {
            result.wonAt = static_cast<int>(i);
            return result;
        }
    }
    return result;
}

namespace {

using namespace search;

// Checks a search can take for granted; an empty reason when they all hold.
std::string unplayable(const Problem& p) {
    const Shapes& S = shapes();
    if (!S.pipe(p.start[p.figure]))
        return std::string("the figure stands on ") +
               (p.start[p.figure] == kFloorTile ? "a floor" : "a blank") + " cell at " +
               where(p.figure) + " and can neither walk nor turn a pipe";
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) {
            const int c = cellOf(x, y);
            const char l = p.start[c];
            if (l == kBlankTile && c != p.source)
                return "the blank cell at " + where(c) + " can never hold water";
            if (l != kFloorTile && l != kBlankTile && !S.pipe(l))
                return "the cell at " + where(c) + " holds no known tile";
        }
    return {};
}

// Whether more than half of the pipes the figure can turn may still point more than
// one way in a winning board.
bool looseDomains(const Problem& p) {
    const Shapes& S = shapes();
    int turnable = 0, loose = 0;
    for (int c = 0; c < kCells; ++c) {
        if (!p.free[c] || !inPlay(c) || S.shapeOf(p.start[c]) <= kCross) continue;
        ++turnable;
        loose += __builtin_popcount(p.domains[c]) > 1;
    }
    return 2 * loose > turnable;
}

// The first plan: boards that differ only in where the figure stands within one region
// it can walk count as one, an old board is never taken up again, and the order leans
// on the estimate and the dry cells; where most pipes may point more than one way (the
// estimate knows little), also hard on pipes facing a pipe that does not face back,
// which the figure mends on its way to joining things up. That finds a plan after few
// boards, but not the shortest; the weights were chosen on the shipped levels and a few
// dozen large generated fields.
SearchLimits firstPlanLimits(std::size_t budget, bool loose) {
    SearchLimits l;
    l.maxStates = budget;
    l.improve = false;
    l.mergeRegions = true;
    l.weightTenths = 30;
    l.dryTenths = 5;
    l.halfOpenTenths = loose ? 20 : 0;
    return l;
}

// Then shorter plans: every figure position counts, a board reached by fewer actions
// is taken up again, and every board whose actions plus estimate reach the best plan's
// length is dropped. Where most pipes may still point more than one way, the estimate
// knows little and the order also leans on the dry cells (measuring them is most of the
// cost of a board); where most are settled, the estimate leads nearly alone.
SearchLimits shorterPlanLimits(std::size_t budget, int beat, bool loose) {
    SearchLimits l;
    l.maxStates = budget;
    l.improve = true;
    l.beat = beat;
    l.weightTenths = loose ? 20 : 15;
    l.dryTenths = loose ? 5 : 0;
    l.halfOpenTenths = 5;
    return l;
}

}  // namespace

namespace search {

Prepared prepareProblem(const LevelFile& level, std::size_t layoutBudget) {
    Prepared out;
    if (!InPlayArea(level.sourceX, level.sourceY)) {
        out.reason = "the source lies outside the field";
        return out;
    }
    if (!InPlayArea(level.playerX, level.playerY)) {
        out.reason = "the figure starts outside the field";
        return out;
    }
    Problem& p = out.problem;
    p.start = lettersOf(level);
    p.source = cellOf(level.sourceX, level.sourceY);
    p.figure = cellOf(level.playerX, level.playerY);
    out.reason = unplayable(p);
    if (!out.reason.empty()) return out;

    // Orientations no winning board can use go first: local rules, then a search over
    // layouts that settles, pipe by pipe, which orientations some winning board uses.
    p.free = reachableCells(p.start, p.figure);
    p.domains = startingDomains(p.start, p.free);
    const Pruning pruning = pruneDomains(p.start, p.source, p.domains);
    if (!pruning.consistent) {
        out.reason = pruning.reason;
        return out;
    }
    out.pruned = p.domains;
    const WinningOrientations winning = winningOrientations(p.start, p.source, p.domains, layoutBudget);
    p.domains = winning.possible;
    out.winningComplete = winning.complete;
    const Shapes& S = shapes();
    for (int c = 0; c < kCells; ++c)
        if (inPlay(c) && S.pipe(p.start[c]) && !p.domains[c]) {
            out.reason = "no way of turning the pipes the figure can reach wets every cell";
            return out;
        }
    out.nearest = cheapestLayout(p.start, p.source, p.domains, LayoutCost::QuarterTurns, layoutBudget);
    if (out.nearest.complete) p.leastTurns = out.nearest.cost;
    return out;
}

}  // namespace search

SolveResult solveLevel(const LevelFile& level, const SolveOptions& options) {
    SolveResult r;
    const std::size_t budget = options.maxStates;
    const std::size_t layoutBudget = budget ? std::max<std::size_t>(budget / 20, 500) : 0;
    const Prepared prepared = prepareProblem(level, layoutBudget);
    if (!prepared.reason.empty()) {
        r.status = SolveStatus::Unsolvable;
        r.reason = prepared.reason;
        return r;
    }
    const Problem& p = prepared.problem;
    if (options.measureLayouts) {
        const Layout fewest = cheapestLayout(p.start, p.source, prepared.pruned, LayoutCost::PipesTurned, layoutBudget);
        r.pipesToTurn = fewest.found ? fewest.cost : -1;
        for (int c = 0; c < kCells; ++c) r.ambiguousPipes += __builtin_popcount(p.domains[c]) > 1;
        r.layoutsSettled = fewest.complete && prepared.winningComplete;
    }

    const SearchOutcome first =
        searchPlan(p, firstPlanLimits(options.improve && budget ? budget / 2 : budget, looseDomains(p)));
    SearchOutcome best = first;
    best.lowerBound = 0;
    bool provedShortest = false;
    // The first search merges boards, so running out of boards proves there is no plan
    // but says nothing about the plan it found being the shortest.
    if (options.improve && (first.found || !first.complete)) {
        const std::size_t left = budget ? budget - std::min(budget - 1, first.states) : 0;
        SearchOutcome better =
            searchPlan(p, shorterPlanLimits(left, first.found ? static_cast<int>(first.plan.size()) : 0,
                                            looseDomains(p)));
        if (!better.found) {
            better.found = first.found;
            better.plan = first.plan;
        }
        better.states += first.states;
        better.bytes = std::max(better.bytes, first.bytes);
        provedShortest = better.complete;
        best = better;
    }

    r.states = best.states;
    r.bytes = best.bytes;
    r.lowerBound = best.lowerBound;
    if (best.found) {
        r.status = SolveStatus::Solved;
        r.plan = best.plan;
        r.shortest = provedShortest;
        if (r.shortest) r.lowerBound = static_cast<int>(r.plan.size());
    } else if (best.complete) {
        r.status = SolveStatus::Unsolvable;
        r.reason = "no sequence of steps and turns wets every cell";
    } else {
        r.status = SolveStatus::Undecided;
        r.reason = "the search ran out of its budget";
    }
    return r;
}

}  // namespace tk
