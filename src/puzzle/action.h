// The one rule for an action of the player: a step along the pipes, or a quarter turn of
// the pipe underfoot with the water draining while it turns and coming back after. The game
// animates what this decides; the solver's replay and the plans it writes, the hint, the
// naive player and the levels tool apply the same rule.
#pragma once

#include <cstdint>
#include <vector>

#include "puzzle/board.h"
#include "puzzle/level_file.h"

namespace tk {

// What the player does in one go: nothing, a step one way, or a quarter turn of the pipe
// underfoot, counter-clockwise (TurnLeft) or clockwise (TurnRight).
enum class Action : std::uint8_t { None, StepLeft, StepUp, StepRight, StepDown, TurnLeft, TurnRight };

constexpr bool isStep(Action a) { return a >= Action::StepLeft && a <= Action::StepDown; }
constexpr bool isTurn(Action a) { return a == Action::TurnLeft || a == Action::TurnRight; }
// The way a step goes; `a` is a step.
constexpr Direction stepDirection(Action a) {
    return static_cast<Direction>(static_cast<int>(a) - static_cast<int>(Action::StepLeft));
}
constexpr Action stepToward(Direction d) { return static_cast<Action>(side(d) + static_cast<int>(Action::StepLeft)); }

// What an action acts on: the tiles, their water, the source and the figure.
struct Field {
    TileGrid board{};
    FlowGrid flow{};
    std::int16_t sourceX = 0, sourceY = 0;
    std::int16_t playerX = 0, playerY = 0;

    bool OnSource() const { return playerX == sourceX && playerY == sourceY; }
};

// A level as it starts: its tiles, the source, the figure on its start; no water has come
// in yet (letWaterIn brings it, and then every cell counts as changed).
Field fieldOf(const LevelFile& level);

// What an action did.
struct Effect {
    bool legal = false;         // false: the action was refused and nothing changed
    std::vector<Cell> changed;  // cells whose water changed, in the order they did
    bool won = false;           // the water came in and reached every cell but the floor
};

// When the water comes back after a quarter turn: at once, or not yet. While the turn keys
// are held the pipe turns on and on, and the water comes back only when they are let go.
enum class WaterAfterTurn { Back, Waits };

// A step moves the figure to the neighbour when the two pipes join; otherwise it is
// refused. A quarter turn lifts the pipe under the figure, so that the water behind it
// drains at once, puts it back turned, and lets the water in again (unless it waits): a
// board is won only then. On a cell without a pipe (a level may start the figure on one)
// only the figure turns, and the water is looked at all the same. A figure outside the
// play area can do nothing.
Effect applyAction(Field& field, Action action, WaterAfterTurn water = WaterAfterTurn::Back);

// The water through the pipes as they stand: every cell whose water changed, column by
// column (x 0..10, within it y 0..6), and whether every cell but the floor is wet.
Effect letWaterIn(Field& field);

}  // namespace tk
