// The hint: the next action toward a win from the board as it stands, found by the solver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "puzzle/board.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace tk {

// The budget for one hint, in states (searchHint shares it out). An answer must come
// while the player waits, within 50 ms of CPU on a modest machine; bench/hint_bench.cpp
// measures the worst over every state of the shipped levels' play-throughs, random
// states of them and full generated fields, and counts the states left without an
// answer. Tune it with the search.
inline constexpr std::size_t kHintStates = 30'000;

// What a hint costs: a tenth of the level's time limit, and at least five seconds, so
// that a hint weighs the same share of every level's clock.
int hintCostSeconds(int timeLimit);

// `level` with the tiles of `board` and the figure at (playerX, playerY): the level as
// it stands in the middle of play, for the solver.
LevelFile levelAsItStands(const LevelFile& level, const TileGrid& board, int playerX, int playerY);

struct Hint {
    enum class Kind {
        Act,      // `action` is the next step or quarter turn
        NoWay,    // the board cannot be won from here
        Unknown,  // the budget ran out before the search knew
    };
    Kind kind = Kind::Unknown;
    Action action = Action::None;   // for Act: a step or a quarter turn
    std::string reason;             // for NoWay and Unknown: the search's why, in English
    std::string plan;               // for Act: the plan the action begins, from the state asked about
    bool shortest = false;          // and no plan from there is shorter
};

// The hint for the level as it stands: the first action of the plan searchHint finds.
// `followed`, when not empty, is the rest of the plan the player has been following
// from this very state; the plan hinted is never longer. One state and one followed
// plan always give the same hint, in the game as in the levels tool.
Hint hintFor(const LevelFile& asItStands, std::string_view followed = {}, std::size_t maxStates = kHintStates);

// Hints one after another, as the game's H gives them: the guide keeps the plan its last
// hint came from and, while the player is still on it, hands its rest to hintFor as the
// plan followed. So every hint taken brings the win an action nearer, and a player who
// follows the hints from any state wins.
class HintGuide {
public:
    explicit HintGuide(std::size_t maxStates = kHintStates) : maxStates_(maxStates) {}

    Hint Next(const LevelFile& asItStands);
    // Keeps `plan` as the plan followed from the state `asItStands`, as if a hint had
    // just come from it.
    void Keep(const LevelFile& asItStands, std::string_view plan) {
        from_ = asItStands;
        plan_ = plan;
    }
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
