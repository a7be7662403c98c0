// The built levels tool's hint verb and solve --explain on shipped levels: the game's answer from a chosen state, the plan cell by cell.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "puzzle/generator.h"
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

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The plan a hint's output names, from its "plan P" line.
std::string planOf(const ToolRun& r) {
    const std::vector<std::string> said = lines(r.out);
    return said.size() >= 2 && said[1].rfind("plan ", 0) == 0 ? said[1].substr(5) : "";
}

bool wins(const LevelFile& from, const std::string& plan) {
    const ReplayResult replay = replayPlan(from, plan);
    return replay.legal && !plan.empty() && replay.wonAt == static_cast<int>(plan.size()) - 1;
}

// A state as the tool takes it: the level after some actions, and the options that say so.
struct Disturbed {
    LevelFile state;
    std::string options;
};

Disturbed disturb(const LevelFile& level, const std::string& actions) {
    Disturbed d{level, ""};
    PlanWalk walk(level);
    std::string turns;
    for (char a : actions) {
        const LevelFile now = levelAsItStands(level, walk.board, walk.x, walk.y);
        const bool turn = a == kPlanTurnLeft || a == kPlanTurnRight;
        if (turn && replayPlan(now, std::string(1, a)).wonAt == 0) continue;  // that would end the level
        if (!walk.Take(a)) continue;
        if (turn) turns += " " + std::to_string(walk.x) + "," + std::to_string(walk.y) + a;
    }
    d.state = levelAsItStands(level, walk.board, walk.x, walk.y);
    d.options = "--at " + std::to_string(walk.x) + "," + std::to_string(walk.y) + " --turns '" + turns + "'";
    return d;
}

TEST(LevelsToolHint, GivesTheGamesHintWithItsPlan) {
    // The level as its file has it: the same action and plan as the game's hint.
    const LevelFile seven = shipped("07");
    const Hint game = hintFor(seven);
    ASSERT_EQ(game.kind, Hint::Kind::Act);
    ToolRun r = runTool("hint " + kLevels + "07.kulap");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> said = lines(r.out);
    ASSERT_EQ(said.size(), 3u) << r.out;
    EXPECT_EQ(said[0].substr(0, 2), std::string(1, planLetter(game.action)) + " ");
    EXPECT_EQ(said[1], "plan " + game.plan);
    EXPECT_EQ(said[2], "actions " + std::to_string(game.plan.size()) + " shortest " + (game.shortest ? "yes" : "no"));

    // Level 1 with the figure's pipe turned once clockwise: the way on is to turn it.
    const LevelFile one = shipped("01");
    const int x = one.playerX, y = one.playerY;
    const std::string cell = std::to_string(x) + "," + std::to_string(y);
    PlanWalk walk(one);
    walk.Take(kPlanTurnRight);
    const Hint turned = hintFor(levelAsItStands(one, walk.board, walk.x, walk.y));
    ASSERT_TRUE(isTurn(turned.action));
    r = runTool("hint " + kLevels + "01.kulap --turns '" + cell + ">'");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string sense = turned.action == Action::TurnLeft ? "counter-clockwise" : "clockwise";
    EXPECT_EQ(lines(r.out).at(0), std::string(1, planLetter(turned.action)) + " turn the pipe at " + cell + " " + sense);
    // Four quarter turns, given as two cells' worth of letters, change nothing.
    r = runTool("hint " + kLevels + "01.kulap --turns '" + cell + ">> " + cell + "<<' --turns '" + cell + "<>'");
    EXPECT_EQ(planOf(r), hintFor(one).plan);

    // The figure moved where it can no longer reach the pipe that needs turning.
    r = runTool("hint " + kLevels + "01.kulap --at " + std::to_string(x) + "," + std::to_string(y + 1));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "no way from here\n");
    EXPECT_NE(r.err.find("no way from here: "), std::string::npos) << "with the search's reason";
}

// The same pipe of level 27 turned 0 to 3 times: each answer starts a plan that wins from
// that state and is not much longer than the shortest (it once said "turn clockwise" all
// four times).
TEST(LevelsToolHint, EachStateGetsItsOwnWayNotOneTurnOverAndOver) {
    const LevelFile level = shipped("27");
    for (const char* turns : {"", "7,6>", "7,6>>", "7,6>>>"}) {
        SCOPED_TRACE(turns);
        const ToolRun r = runTool("hint " + kLevels + "27.kulap --at 7,6 --turns '" + turns + "'");
        ASSERT_EQ(r.status, 0) << r.err;
        LevelFile state = level;
        for (const char* t = turns; *t; ++t)
            if (*t == '>') state.rows[6][7] = quarterTurn(state.rows[6][7], true);
        state.playerX = 7;
        state.playerY = 6;
        const std::string plan = planOf(r);
        EXPECT_TRUE(wins(state, plan)) << plan;
        SolveOptions exhaustive;
        exhaustive.maxStates = 2'000'000;
        const SolveResult shortest = solveLevel(state, exhaustive);
        ASSERT_TRUE(shortest.shortest);
        EXPECT_LE(2 * plan.size(), 3 * shortest.plan.size()) << plan << " against " << shortest.plan;
    }
}

TEST(LevelsToolHint, APlanGivenIsFollowedAndChainedCallsPlayAsFollowDoes) {
    const std::string file = kLevels + "14.kulap";
    const LevelFile level = shipped("14");
    // Hint after hint, each call given the rest of the plan the last one named.
    std::string taken, rest;
    for (int i = 0; i < 100; ++i) {
        const Disturbed now = disturb(level, taken);
        const ToolRun r = runTool("hint " + file + " " + now.options + (rest.empty() ? "" : " --plan '" + rest + "'"));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string plan = planOf(r);
        ASSERT_FALSE(plan.empty());
        if (!rest.empty()) {
            EXPECT_LE(plan.size(), rest.size());
        }
        taken += plan.front();
        rest = plan.substr(1);
        if (rest.empty()) break;
    }
    EXPECT_TRUE(wins(level, taken)) << taken;
    // --follow takes the same hints in one run and says them as solve --explain does.
    const ToolRun followed = runTool("hint " + file + " --follow");
    ASSERT_EQ(followed.status, 0) << followed.err;
    const std::vector<std::string> said = lines(followed.out);
    ASSERT_EQ(said.size(), taken.size() + 1) << followed.out;
    for (std::size_t i = 0; i < taken.size(); ++i)
        EXPECT_EQ(said[i + 1].substr(0, std::to_string(i + 1).size() + 3), std::to_string(i + 1) + " " + taken[i] + " ");
    EXPECT_NE(said.back().find("the level is won"), std::string::npos);
}

// Hints alone win every shipped level, from its start and from ten states a player may
// have left it in; never later than the first hint's plan said.
class HintOnlyPlayThrough : public ::testing::TestWithParam<int> {};

TEST_P(HintOnlyPlayThrough, WinsFromTheStartAndFromDisturbedStates) {
    char name[8];
    std::snprintf(name, sizeof name, "%02d", GetParam());
    const std::string file = kLevels + name + ".kulap";
    const LevelFile level = shipped(name);
#if defined(__SANITIZE_ADDRESS__)
    const int disturbed = 1;  // the sanitizers look at memory, and are slow at it
#else
    const int disturbed = 10;
#endif
    SplitMix64 rng(static_cast<std::uint64_t>(GetParam()));
    for (int k = 0; k <= disturbed; ++k) {
        std::string actions;
        for (int n = k == 0 ? 0 : 1 + rng.Below(40); n > 0; --n) actions += "LURD<>"[rng.Below(6)];
        const Disturbed start = disturb(level, actions);
        SCOPED_TRACE(start.options);
        const ToolRun first = runTool("hint " + file + " " + start.options);
        ASSERT_EQ(first.status, 0) << first.err;
        const ToolRun played = runTool("hint " + file + " " + start.options + " --follow");
        ASSERT_EQ(played.status, 0) << played.err;
        std::string taken;
        for (const std::string& line : lines(played.out))
            if (line.rfind("start at ", 0) != 0) taken += line.at(line.find(' ') + 1);
        EXPECT_TRUE(wins(start.state, taken)) << taken;
        EXPECT_LE(taken.size(), planOf(first).size());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryShippedLevel, HintOnlyPlayThrough, ::testing::Range(1, 31));

TEST(LevelsToolHint, RefusesStatesPlayCannotReachWithTheReason) {
    // The arguments as a shell gets them: '<' and '>' quoted.
    struct Case {
        const char* args;
        const char* names;  // what the message points at
    };
    for (const Case c : {Case{"--at 11,0", "--at '11,0'"}, Case{"--at 3", "--at '3'"}, Case{"--at -1,2", "--at '-1,2'"},
                         Case{"--at 3,2x", "--at '3,2x'"}, Case{"--at 0,0", "floor"}, Case{"--turns 4,2", "'4,2'"},
                         Case{"--turns '4,2<x'", "'4,2<x'"}, Case{"--turns '0,0>'", "floor (L), not a pipe"},
                         Case{"--plan 'RX'", "'X' is not an action"}, Case{"--plan '<'", "does not win"},
                         Case{"--plan 'LLLL'", "action 1 cannot be taken"}}) {
        SCOPED_TRACE(c.args);
        const ToolRun r = runTool("hint " + kLevels + "01.kulap " + c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("tramolkulap-levels: hint: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.names), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("usage:"), std::string::npos) << "a state, not a usage, is refused";
    }
    // A file whose figure starts off the pipes: refused with its line.
    const fs::path dir = fs::temp_directory_path() / ("tk-hint-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    LevelFile off = shipped("01");
    off.playerX = 0;
    off.playerY = 6;
    ASSERT_FALSE(isPipe(off.Tile(0, 6)));
    const std::string offFile = (dir / "off.kulap").string();
    {
        std::ofstream(offFile, std::ios::binary) << writeLevel(off);
    }
    const ToolRun r = runTool("hint " + offFile);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("off.kulap:11: "), std::string::npos) << r.err;
    fs::remove_all(dir);

    // Usage mistakes are another matter.
    for (const char* args : {"--turns", "--at", "--plan", "--frobnicate"}) {
        const ToolRun u = runTool("hint " + kLevels + "01.kulap " + args);
        EXPECT_EQ(u.status, 2) << args;
        EXPECT_NE(u.err.find("usage:"), std::string::npos) << args;
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
    std::vector<std::string> rest;
    while (std::getline(out, line)) rest.push_back(line);
    ASSERT_EQ(rest.size(), plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        ASSERT_TRUE(walk.Take(plan[i]));
        const std::string cell = std::to_string(walk.x) + "," + std::to_string(walk.y);
        EXPECT_EQ(rest[i].rfind(std::to_string(i + 1) + " " + plan[i] + " ", 0), 0u) << rest[i];
        EXPECT_NE(rest[i].find(cell), std::string::npos) << rest[i];
    }
    EXPECT_NE(rest.back().find("the level is won"), std::string::npos);
    // Without --explain the plan stands alone.
    EXPECT_EQ(runTool("solve " + kLevels + "07.kulap").out, plan + "\n" + actions + "\nshortest yes\n");
}

}  // namespace
}  // namespace tk
