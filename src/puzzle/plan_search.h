// The solver's search: best first over boards and figure positions, with an estimate that never overshoots.
#pragma once

#include <cstddef>
#include <string>

#include "puzzle/domains.h"
#include "puzzle/layouts.h"

namespace tk::search {

struct Problem {
    Letters start;     // the board as it stands
    int source = 0;
    int figure = 0;    // where the figure stands; a pipe
    CellFlags free{};  // cells the figure may ever stand on (reachableCells)
    Domains domains{};  // pruned, and consistent
    // Quarter turns that every winning board lies away from the start, at least. Each
    // turn brings the board at most one nearer, so a board that has turned k quarters
    // from the start still owes leastTurns - k.
    int leastTurns = 0;
};

// A level made ready for searchPlan: what a search takes for granted checked, the
// domains pruned and narrowed to the orientations some winning layout uses, and the
// winning layout nearest to the board in quarter turns. Each of the two layout searches
// may spend `layoutBudget` nodes (0: no limit).
struct Prepared {
    std::string reason;  // not empty: the level cannot be won from here, and why
    Problem problem;
    Domains pruned{};              // the domains before the layout search narrowed them
    bool winningComplete = false;  // the narrowing was settled for every orientation
    Layout nearest;
};
Prepared prepareProblem(const LevelFile& level, std::size_t layoutBudget);

struct SearchLimits {
    std::size_t maxStates = 0;  // 0: none
    int weightTenths = 10;      // how much the estimate outweighs the actions spent, in tenths
    bool improve = true;        // go on after the first plan while the budget lasts
    int beat = 0;               // when above 0: only plans with fewer actions count
    int dryTenths = 0;          // adds dry cells, in tenths each, to the order (not to the bound)
    int halfOpenTenths = 0;     // adds sides where a pipe faces a pipe that does not open back
    bool mergeRegions = false;  // one state for all figure positions within one walkable region
    // For a quick plan that need not be the shortest; a search with either proves nothing:
    // the walking still owed estimated as a round of the pipes still to turn (the tree
    // spanning them twice, less the way out to the farthest), which may overshoot;
    bool roundEstimate = false;
    // and only turns that bring a pipe nearer a winning orientation, move it between two
    // of them, or open the way to a pipe the figure cannot walk to yet.
    bool usefulTurnsOnly = false;
};

struct SearchOutcome {
    bool found = false;      // a plan (shorter than limits.beat, when given)
    std::string plan;
    bool complete = false;   // every board that could hold a shorter plan was looked at
    int lowerBound = 0;      // no plan is shorter than this
    std::size_t states = 0;  // boards with a figure position kept in memory
    std::size_t bytes = 0;   // memory those took
};

// Looks for the shortest plan that ends in a winning turn. The first plan comes from a
// search that trusts its estimate more than the actions spent (weightTenths above 10);
// the same search then goes on, dropping every board whose actions plus estimate cannot
// beat the plan in hand, until nothing is left (the plan is the shortest) or the budget
// is spent.
SearchOutcome searchPlan(const Problem& problem, const SearchLimits& limits);

}  // namespace tk::search
