// The level solver: finds steps and quarter turns that wet every non-floor cell, or proves none exist.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "puzzle/level_file.h"
#include "puzzle/pacing.h"

namespace tk {

// A plan is a string of actions: 'L' 'U' 'R' 'D' steps, '<' counter-clockwise and
// '>' clockwise quarter turns of the tile under the figure.
constexpr char kPlanLeft = 'L', kPlanUp = 'U', kPlanRight = 'R', kPlanDown = 'D',
               kPlanTurnLeft = '<', kPlanTurnRight = '>';

// The direction code of a plan letter (dirLeft..dirDown, turnLeft, turnRight), or dirNone.
int planActionCode(char action);
char planLetter(int directionCode);

// Play time of a plan by the game's pacing (kActionMs per step or quarter turn).
std::int64_t planMilliseconds(std::string_view plan);
double planSeconds(std::string_view plan);

enum class SolveStatus { Solved, Unsolvable, Undecided };

struct SolveOptions {
    double maxSeconds = 10;         // wall-clock budget; <= 0 means none
    std::size_t maxStates = 0;      // budget in searched states (deterministic); 0 means none
};

struct SolveResult {
    SolveStatus status = SolveStatus::Undecided;
    std::string plan;          // when Solved: wins exactly at its last action
    std::string reason;        // when Unsolvable (or Undecided): why, in English
    std::size_t states = 0;    // board states the search looked at
};

SolveResult solveLevel(const LevelFile& level, const SolveOptions& options = {});

struct ReplayResult {
    bool legal = true;     // every step was allowed where it was taken
    int failedAt = -1;     // index of the first refused step or unknown letter
    int wonAt = -1;        // index of the turn whose evaluation found every cell wet
};

// Plays a plan by the game's rules (lzeTam for steps, quarterTurn for turns, the water
// evaluated after every turn) and stops at the first refused action or at the win.
ReplayResult replayPlan(const LevelFile& level, std::string_view plan);

}  // namespace tk
