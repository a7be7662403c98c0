// The hint: the next action toward a win from the board as it stands, found by the solver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "puzzle/board.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace tk {

// The solver's budget for one hint, in states. An answer must come while the player
// waits, within 50 ms on a modest machine, even where the budget runs out and the
// answer is "no hint"; bench/hint_bench.cpp measures the worst state of every shipped
// level's play-through against it, and counts the states left without an answer. Tune
// it with the solver.
inline constexpr std::size_t kHintStates = 50'000;

// `level` with the tiles of `board` and the figure at (playerX, playerY): the level as
// it stands in the middle of play, for the solver.
LevelFile levelAsItStands(const LevelFile& level, const TileGrid& board, int playerX, int playerY);

struct Hint {
    enum class Kind {
        Act,      // `action` is the next step or quarter turn
        NoWay,    // the board cannot be won from here
        Unknown,  // the budget ran out before the solver knew
    };
    Kind kind = Kind::Unknown;
    Action action = Action::None;   // for Act: a step or a quarter turn
    std::string reason;             // for NoWay and Unknown: the solver's why, in English
};

// What the solver is asked for a hint: a budget in states, and any plan at once.
SolveOptions hintSolveOptions(std::size_t maxStates);

// Solves the level afresh and names the first action of the plan it finds.
Hint firstAction(const LevelFile& asItStands, std::size_t maxStates = kHintStates);

// Hints one after another. A solver that looks afresh from every state may send a
// player to and fro between two plans; the guide keeps the plan its last hint came
// from and, while the player is still on it, names its next action without solving.
class HintGuide {
public:
    explicit HintGuide(std::size_t maxStates = kHintStates) : maxStates_(maxStates) {}

    Hint Next(const LevelFile& asItStands);
    // A new level: the plan kept belongs to the old one.
    void Forget() { from_.reset(); }

private:
    std::size_t maxStates_;
    std::optional<LevelFile> from_;  // the level as it stood when the plan was found
    std::string plan_;
};

// The figure and the tiles while a plan is carried out, by the game's own rule.
struct PlanWalk {
    explicit PlanWalk(const LevelFile& level);
    // One plan letter (applyAction): a step that the pipes allow, or a quarter turn of the
    // tile under the figure. False (and nothing changes) for a refused step or an unknown
    // letter.
    bool Take(char action);
    bool SameAs(const PlanWalk& other) const {
        return x == other.x && y == other.y && board == other.board;
    }

    TileGrid board;
    int x = 0, y = 0;

private:
    std::int16_t sourceX_ = 0, sourceY_ = 0;
};

}  // namespace tk
