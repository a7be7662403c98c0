// The level solver: finds steps and quarter turns that wet every non-floor cell, or proves none exist.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "puzzle/action.h"
#include "puzzle/level_file.h"
#include "puzzle/pacing.h"

namespace tk {

// A plan is a string of actions: 'L' 'U' 'R' 'D' steps, '<' counter-clockwise and
// '>' clockwise quarter turns of the tile under the figure.
constexpr char kPlanLeft = 'L', kPlanUp = 'U', kPlanRight = 'R', kPlanDown = 'D',
               kPlanTurnLeft = '<', kPlanTurnRight = '>';

// The action of a plan letter (Action::None for any other character), and back ('?' for
// Action::None).
Action planAction(char letter);
char planLetter(Action action);

// Play time of a plan by the game's pacing (kActionMs per step or quarter turn).
std::int64_t planMilliseconds(std::string_view plan);
double planSeconds(std::string_view plan);

enum class SolveStatus { Solved, Unsolvable, Undecided };

struct SolveOptions {
    // The budget, in boards (with a figure position) kept in memory: the same answer on
    // every machine. About 55 bytes each; 0 means none.
    std::size_t maxStates = 1'000'000;
    // After the first plan, go on looking for shorter ones while the budget lasts. A
    // caller that needs any plan at once (a hint in the middle of a level) turns it off.
    bool improve = true;
    // Also settle what the winning layouts look like (SolveResult::pipesToTurn and
    // ambiguousPipes), which the rating wants and a plain solve does not need.
    bool measureLayouts = false;
};

struct SolveResult {
    SolveStatus status = SolveStatus::Undecided;
    std::string plan;          // when Solved: wins exactly at its last action
    std::string reason;        // when Unsolvable (or Undecided): why, in English
    std::size_t states = 0;    // board states the search kept
    bool shortest = false;     // when Solved: proven that no plan has fewer actions
    int lowerBound = 0;        // no plan has fewer actions than this
    std::size_t bytes = 0;     // memory the search took

    // With SolveOptions::measureLayouts, over the pipes the figure can reach (the others
    // keep their orientation): the fewest pipes any winning board turns away from the
    // start, the pipes with more than one winning orientation, and whether both are exact
    // (else what the budget allowed: a count from the best layout found, -1 when none was,
    // and the pipes not proven to have a single winning orientation).
    int pipesToTurn = 0;
    int ambiguousPipes = 0;
    bool layoutsSettled = false;
};

SolveResult solveLevel(const LevelFile& level, const SolveOptions& options = {});

struct ReplayResult {
    bool legal = true;     // every step was allowed where it was taken
    int failedAt = -1;     // index of the first refused step or unknown letter
    int wonAt = -1;        // index of the turn whose evaluation found every cell wet
};

// Plays a plan by the game's rule (applyAction, the water back after every turn) and
// stops at the first refused action or at the win.
ReplayResult replayPlan(const LevelFile& level, std::string_view plan);

}  // namespace tk
