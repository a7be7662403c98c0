// The plan a hint comes from: a short way to the win from the board as it stands, found within a budget.
#pragma once

#include <cstddef>
#include <string_view>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace tk {

// A plan for a hint, from `asItStands` (the level with the board and the figure as they
// are): Solved with a plan that wins from there, Unsolvable when the board is proven
// lost (the reason says why), Undecided when the budget ran out first.
//
// `followed`, when not empty, is the rest of the plan the player has been following from
// this very board; a plan that does not win from here is not taken into account. The
// answer is never longer than it, so hints taken one after another come nearer the win
// with every action.
//
// The search goes out from the figure along what it can reach: to the winning layout
// nearest the board, and to others that leave out a pipe whose visit cost a long walk;
// over every layout the domain pruning allows, greedily; each plan found is polished
// (polishPlan); and a search that drops every board no shorter than the best plan in
// hand either finds a shorter one or proves it the shortest. `maxStates` (boards kept,
// as for the solver) sets every part's share, so the same state and budget always give
// the same plan on every machine.
SolveResult searchHint(const LevelFile& asItStands, std::string_view followed, std::size_t maxStates);

}  // namespace tk
