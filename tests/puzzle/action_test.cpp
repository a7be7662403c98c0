// The action rule: steps only where pipes join, a quarter turn's water out while the pipe
// turns and back after it (or only once held turn keys are let go), and what each says changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/action.h"

namespace tk {
namespace {

// Row 0 of the play area as given, every other cell floor; the water settled.
Field rowField(const std::string& row0, int playerX, int sourceX = 0) {
    LevelFile level;
    for (std::string& row : level.rows) row = std::string(kCols, kFloorTile);
    level.rows[0] = row0;
    level.sourceX = static_cast<std::int16_t>(sourceX);
    level.playerX = static_cast<std::int16_t>(playerX);
    Field field = fieldOf(level);
    letWaterIn(field);
    return field;
}

std::vector<Cell> cells(std::initializer_list<Cell> list) { return list; }

TEST(ActionRule, AStepMovesTheFigureOnlyWhereThePipesJoinAndMovesNoWater) {
    Field f = rowField("FFGLLLLLLLL", 0);
    const FlowGrid water = f.flow;
    Effect e = applyAction(f, Action::StepRight);
    EXPECT_TRUE(e.legal);
    EXPECT_EQ(f.playerX, 1);
    EXPECT_TRUE(e.changed.empty());
    EXPECT_FALSE(e.won);
    // The upright G does not open toward the F; the border holds no pipe; floor below.
    for (Action refused : {Action::StepRight, Action::StepUp, Action::StepDown, Action::None}) {
        const Field before = f;
        e = applyAction(f, refused);
        EXPECT_FALSE(e.legal) << static_cast<int>(refused);
        EXPECT_EQ(f.playerX, before.playerX);
        EXPECT_EQ(f.playerY, before.playerY);
        EXPECT_EQ(f.board, before.board);
    }
    EXPECT_TRUE(applyAction(f, Action::StepLeft).legal) << "the way back always joins";
    EXPECT_EQ(f.playerX, 0);
    EXPECT_EQ(f.flow, water);
}

TEST(ActionRule, ATurnDrainsWhatHungOnThePipeThenLetsTheWaterBackThroughItTurned) {
    // Source F, the figure's F, F, then an upright G.
    Field f = rowField("FFFGLLLLLLL", 1);
    EXPECT_EQ(f.flow(2, 0), Water::Wet);
    // Clockwise: the figure's F becomes an upright G. Its cell and the one beyond drain.
    Effect e = applyAction(f, Action::TurnRight);
    EXPECT_TRUE(e.legal);
    EXPECT_EQ(f.board(1, 0), 'G');
    EXPECT_EQ(e.changed, cells({{1, 0}, {2, 0}}));
    EXPECT_EQ(f.flow(1, 0), Water::Dry);
    EXPECT_FALSE(e.won);
    // Back: nothing more drains while it turns, then both cells are wet again, in the
    // order the water is looked at (column by column).
    e = applyAction(f, Action::TurnLeft);
    EXPECT_EQ(f.board(1, 0), 'F');
    EXPECT_EQ(e.changed, cells({{1, 0}, {2, 0}}));
    EXPECT_EQ(f.flow(2, 0), Water::Wet);
    EXPECT_FALSE(e.won) << "the G at the end stays dry";

    // A cross turned is the same cross: its water still runs out and comes back.
    Field cross = rowField("FAFLLLLLLLL", 1);
    e = applyAction(cross, Action::TurnLeft);
    EXPECT_EQ(e.changed, cells({{1, 0}, {2, 0}, {1, 0}, {2, 0}}));
}

TEST(ActionRule, WhileTheTurnKeysAreHeldTheWaterWaitsAndABoardIsWonOnlyWhenItComesBack) {
    // Source F and the figure's upright G: one clockwise turn joins them and wins.
    Field held = rowField("FGLLLLLLLLL", 1);
    Effect e = applyAction(held, Action::TurnRight, WaterAfterTurn::Waits);
    EXPECT_EQ(held.board(1, 0), 'F');
    EXPECT_TRUE(e.changed.empty()) << "the G held no water to lose";
    EXPECT_FALSE(e.won);
    EXPECT_EQ(held.flow(1, 0), Water::Dry);
    // Twice more while held: the pipe goes on turning, the water stays out.
    applyAction(held, Action::TurnRight, WaterAfterTurn::Waits);
    e = applyAction(held, Action::TurnRight, WaterAfterTurn::Waits);
    EXPECT_EQ(held.board(1, 0), 'F');
    EXPECT_FALSE(e.won);
    EXPECT_EQ(held.flow(1, 0), Water::Dry);
    // Let go.
    e = letWaterIn(held);
    EXPECT_EQ(e.changed, cells({{1, 0}}));
    EXPECT_TRUE(e.won);

    Field once = rowField("FGLLLLLLLLL", 1);
    e = applyAction(once, Action::TurnRight);
    EXPECT_TRUE(e.won) << "the water comes back at once";
    EXPECT_EQ(once.flow, held.flow);
}

TEST(ActionRule, ALevelSolvedAsLoadedIsWonOnlyWhenATurnLetsTheWaterBack) {
    Field f = rowField("FFLLLLLLLLL", 1);
    EXPECT_FALSE(applyAction(f, Action::StepLeft).won);
    EXPECT_FALSE(applyAction(f, Action::TurnRight).won) << "the source's F turned upright";
    EXPECT_TRUE(applyAction(f, Action::TurnRight).won);
}

TEST(ActionRule, OnACellWithoutAPipeOnlyTheFigureTurns) {
    Field f = rowField("FLFLLLLLLLL", 1);
    const Field before = f;
    const Effect e = applyAction(f, Action::TurnLeft);
    EXPECT_TRUE(e.legal);
    EXPECT_EQ(f.board, before.board);
    EXPECT_EQ(f.flow, before.flow);
    EXPECT_TRUE(e.changed.empty());
}

TEST(ActionRule, AFigureOffTheFieldCanDoNothing) {
    Field f = rowField("FFLLLLLLLLL", 0);
    f.playerX = -1;
    for (Action a : {Action::StepRight, Action::TurnLeft, Action::TurnRight}) {
        EXPECT_FALSE(applyAction(f, a).legal);
        EXPECT_EQ(f.playerX, -1);
    }
}

TEST(ActionRule, TheFirstWaterOfALevelChangesEveryCell) {
    LevelFile level;
    for (std::string& row : level.rows) row = std::string(kCols, kFloorTile);
    Field f = fieldOf(level);
    const Effect e = letWaterIn(f);
    ASSERT_EQ(e.changed.size(), static_cast<std::size_t>(kCols * kRows));
    EXPECT_EQ(e.changed[1], (Cell{0, 1})) << "column by column";
    EXPECT_EQ(e.changed.back(), (Cell{kCols - 1, kRows - 1}));
}

}  // namespace
}  // namespace tk
