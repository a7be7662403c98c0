// Measured difficulty: what a level asks of a player, from the solver, the layouts and the naive player.
#pragma once

#include <cstddef>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace tk {

struct Rating {
    int pipes = 0;       // pipe cells
    int dryAtStart = 0;  // cells that need water and have none as the level loads

    SolveStatus status = SolveStatus::Undecided;
    std::string reason;  // when not solved
    std::string plan;    // the shortest plan found
    int steps = 0, turns = 0;
    bool shortest = false;  // proven that no plan has fewer actions
    int lowerBound = 0;     // no plan has fewer actions (the plan's length when shortest)
    std::size_t states = 0;

    int mustTurn = 0;            // fewest pipes any winning board turns away from the start
    int ambiguous = 0;           // pipes with more than one winning orientation
    bool layoutsSettled = false;  // both figures above are exact (else bounds from what was found)

    bool naiveWins = false;
    int naiveActions = 0;
    bool explorerWins = false;  // the exploring player (playExploring) wins
    int explorerActions = 0;

    int walkPercent = 0;  // share of the plan's actions that are steps
    int longestWalk = 0;  // most steps in a row in the plan

    double score = 0;  // difficultyScore of the above

    int timeLimit = 0;           // the level's own, from its file
    int suggestedTimeLimit = 0;  // what suggestedTimeLimit makes of the plan, its bound and the naive player
};

struct RateOptions {
    std::size_t maxStates = 1'000'000;  // the solver's budget (a twentieth of it for the layouts)
};

Rating rateLevel(const LevelFile& level, const RateOptions& options = {});

// One number for how hard a level is:
//     3 × mustTurn + turns + pipes / 10 + (10 when the naive player loses) − ambiguous / 5,
// never below 0, to one decimal. Pipes that must be turned weigh most, because a player
// has to find them; the plan's turns count the work; the board's size the reading; a
// level the naive player cannot win needs thought; and every pipe that may point more
// than one way makes the level more forgiving. Unsolved levels score 0.
double difficultyScore(const Rating& r);

}  // namespace tk
