// The built levels tool's hint verb and solve --explain on shipped levels: the game's answer from a chosen state, the plan cell by cell.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "support/levels_tool_run.h"

namespace tk {
namespace {

namespace fs = std::filesystem;
using test::ToolRun;

const std::string kLevels = std::string(TK_DATA_DIR) + "/levels/";

ToolRun runTool(const std::string& args) { return test::runLevelsTool(fs::temp_directory_path(), args); }

LevelFile shipped(const std::string& name) { return readLevelFile(kLevels + name + ".kulap").level.value_or(LevelFile{}); }

// The letter the game's hint gives for a state, and where the figure then stands.
std::string gameHint(const LevelFile& state) {
    const Hint hint = firstAction(state);
    if (hint.kind != Hint::Kind::Act) return "";
    return std::string(1, planLetter(hint.action));
}

TEST(LevelsToolHint, GivesTheGamesNextActionFromTheStateAsked) {
    // The level as its file has it.
    const LevelFile seven = shipped("07");
    ToolRun r = runTool("hint " + kLevels + "07.kulap");
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_FALSE(gameHint(seven).empty());
    EXPECT_EQ(r.out.substr(0, 2), gameHint(seven) + " ");

    // Level 1 with the figure's pipe turned once clockwise: the way on is to turn it again.
    const LevelFile one = shipped("01");
    const int x = one.playerX, y = one.playerY;
    const std::string cell = std::to_string(x) + "," + std::to_string(y);
    PlanWalk walk(one);
    walk.Take(kPlanTurnRight);
    const std::string expected = gameHint(levelAsItStands(one, walk.board, walk.x, walk.y));
    ASSERT_TRUE(expected == "<" || expected == ">") << expected;
    r = runTool("hint " + kLevels + "01.kulap --turns '" + cell + ">'");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string sense = expected == "<" ? "counter-clockwise" : "clockwise";
    EXPECT_EQ(r.out, expected + " turn the pipe at " + cell + " " + sense + "\n");
    // Four quarter turns, given as two cells' worth of letters, change nothing.
    r = runTool("hint " + kLevels + "01.kulap --turns '" + cell + ">> " + cell + "<<' --turns '" + cell + "<>'");
    EXPECT_EQ(r.out.substr(0, 1), gameHint(one));

    // The figure moved where it can no longer reach the pipe that needs turning.
    LevelFile moved = one;
    moved.playerY = static_cast<std::int16_t>(y + 1);
    ASSERT_EQ(firstAction(moved).kind, Hint::Kind::NoWay);
    r = runTool("hint " + kLevels + "01.kulap --at " + std::to_string(x) + "," + std::to_string(y + 1));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "no way from here\n");
    EXPECT_NE(r.err.find("no way from here: "), std::string::npos) << "with the solver's reason";
}

TEST(LevelsToolHint, RefusesCellsOffTheBoardAndTurnsOfNoPipe) {
    // The arguments as a shell gets them: '<' and '>' quoted.
    for (const char* args : {"--at 11,0", "--at 3", "--at -1,2", "--at 3,2x", "--turns 4,2", "--turns '4,2<x'",
                             "--turns '0,0>'", "--turns", "--frobnicate"}) {
        SCOPED_TRACE(args);
        const ToolRun r = runTool("hint " + kLevels + "01.kulap " + args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    EXPECT_EQ(runTool("hint").status, 2);
    EXPECT_EQ(runTool("hint --help").status, 0);
}

TEST(LevelsToolSolve, ExplainWalksThePlanCellByCell) {
    const LevelFile seven = shipped("07");
    const ToolRun r = runTool("solve --explain " + kLevels + "07.kulap");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream out(r.out);
    std::string plan, actions, line;
    std::getline(out, plan);
    std::getline(out, actions);
    EXPECT_EQ(actions.rfind("actions ", 0), 0u);
    std::getline(out, line);
    EXPECT_EQ(line, "shortest yes");
    std::getline(out, line);
    EXPECT_EQ(line, "start at " + std::to_string(seven.playerX) + "," + std::to_string(seven.playerY));
    // One line an action, each naming the cell the game's rules put the figure on.
    PlanWalk walk(seven);
    std::vector<std::string> lines;
    while (std::getline(out, line)) lines.push_back(line);
    ASSERT_EQ(lines.size(), plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        ASSERT_TRUE(walk.Take(plan[i]));
        const std::string cell = std::to_string(walk.x) + "," + std::to_string(walk.y);
        EXPECT_EQ(lines[i].rfind(std::to_string(i + 1) + " " + plan[i] + " ", 0), 0u) << lines[i];
        EXPECT_NE(lines[i].find(cell), std::string::npos) << lines[i];
    }
    EXPECT_NE(lines.back().find("the level is won"), std::string::npos);
    // Without --explain the plan stands alone.
    EXPECT_EQ(runTool("solve " + kLevels + "07.kulap").out, plan + "\n" + actions + "\nshortest yes\n");
}

}  // namespace
}  // namespace tk
