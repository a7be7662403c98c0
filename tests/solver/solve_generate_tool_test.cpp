// The built levels tool's solve and generate verbs: what they print and how they exit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/levels_tool_run.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

namespace tk {
namespace {

namespace fs = std::filesystem;

using test::ToolRun;

class LevelsTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tk-solve-tool-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& file, const std::string& text) {
        std::ofstream(dir_ / file, std::ios::binary) << text;
        return (dir_ / file).string();
    }
    std::string read(const std::string& file) {
        std::ifstream in(dir_ / file, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    ToolRun run(const std::string& args) { return test::runLevelsTool(dir_, args); }

    fs::path dir_;
};

std::string levelText(const std::string& rows, const std::string& source, const std::string& player) {
    return "Zkouška/Trial\r\n100\r\n" + rows + source + "\r\n" + player + "\r\n\r\n1\r\nend\r\n";
}

const std::string kFloorRows = "LLLLLLLLLLL\r\nLLLLLLLLLLL\r\nLLLLLLLLLLL\r\nLLLLLLLLLLL\r\nLLLLLLLLLLL\r\n";

TEST_F(LevelsTool, SolvePrintsAWinningPlanAndItsPlayTime) {
    const std::string file =
        write("bend.kulap", levelText("FFFHLLLLLLL\r\nLLLGLLLLLLL\r\n" + kFloorRows, "0,0", "0,0"));
    const ToolRun r = run("solve bend.kulap");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string plan = r.out.substr(0, r.out.find('\n'));
    char expected[64];
    std::snprintf(expected, sizeof expected, "\nactions %zu time %.2f\nshortest yes\n",
                  plan.size(), 0.22 * plan.size());
    EXPECT_EQ(r.out, plan + expected);
    EXPECT_EQ(plan, "RRR<");  // walk to the elbow, turn it down
    const LevelRead level = readLevelFile(file);
    ASSERT_TRUE(level.level);
    EXPECT_EQ(replayPlan(*level.level, plan).wonAt, static_cast<int>(plan.size()) - 1);
}

TEST_F(LevelsTool, SolveExitsOneWhenProvenUnsolvableAndTwoWhenItCannotTry) {
    write("blank.kulap", levelText("FFMLLLLLLLL\r\nLLLLLLLLLLL\r\n" + kFloorRows, "0,0", "1,0"));
    ToolRun r = run("solve blank.kulap");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("blank cell at column 2, row 0"), std::string::npos) << r.err;

    write("bent.kulap", levelText("FFLLLLLLLLL\r\nLGLLLLLLLLL\r\n" + kFloorRows, "0,0", "1,0"));
    r = run("solve --max-states 5000 bent.kulap");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("unsolvable"), std::string::npos) << r.err;

    r = run("solve missing.kulap");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing.kulap"), std::string::npos) << r.err;

    // A budget too small to decide: undecided, exit 2, and no plan.
    write("field.kulap", levelText("GLFCFFKJFCK\r\nIJLHKFAFHGG\r\nLGICAHGJFDG\r\nLKCEIFDBKGD\r\n"
                                   "LIACLJIDDCH\r\nLHGEFCKIJHL\r\nLLJHFDJGDIL\r\n",
                                   "7,1", "5,6"));
    r = run("solve --max-states 40 field.kulap");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("undecided"), std::string::npos) << r.err;

    for (const char* args : {"solve", "solve --max-states", "solve --max-states 0 blank.kulap",
                             "solve --max-states soon blank.kulap", "solve --max-seconds 5 blank.kulap",
                             "solve --fast blank.kulap", "solve blank.kulap bent.kulap"}) {
        r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
    r = run("solve --help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--max-states"), std::string::npos);
}

TEST_F(LevelsTool, GenerateWritesTheSameCheckedLevelForTheSameSeed) {
    const std::string args =
        "generate --seed 2024 --floors 60 --scramble 5 --title 'Potok/The Creek' "
        "--background 6 --next 31 --time 200";
    ToolRun a = run(args + " --out a.kulap");
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, "");
    ToolRun b = run(args);
    EXPECT_EQ(b.status, 0) << b.err;
    EXPECT_EQ(b.out, read("a.kulap"));

    ToolRun check = run("check a.kulap");
    EXPECT_EQ(check.status, 0) << check.out;
    ToolRun solve = run("solve a.kulap");
    EXPECT_EQ(solve.status, 0) << solve.err;

    const LevelRead level = readLevelFile((dir_ / "a.kulap").string());
    ASSERT_TRUE(level.level);
    EXPECT_EQ(level.level->titleCs, "Potok");
    EXPECT_EQ(level.level->titleEn, "The Creek");
    EXPECT_EQ(level.level->backgroundNumber, 6);
    EXPECT_EQ(level.level->nextLevel, "31");
    EXPECT_EQ(level.level->timeLimit, 200);
    int floors = 0;
    for (const std::string& row : level.level->rows)
        for (char c : row) floors += c == kFloorTile;
    EXPECT_EQ(floors, 60);

    EXPECT_NE(run("generate --seed 2025 --floors 60 --scramble 5").out, b.out);

    // A band: measured as rate measures it.
    ToolRun hard = run("generate --seed 5 --difficulty hard --out hard.kulap");
    EXPECT_EQ(hard.status, 0) << hard.err;
    EXPECT_EQ(hard.err, "");
    ToolRun rated = run("rate --json hard.kulap");
    EXPECT_EQ(rated.status, 0) << rated.err;
    EXPECT_NE(rated.out.find("\"naiveWins\": false"), std::string::npos) << rated.out;
}

TEST_F(LevelsTool, GenerateSaysSoAndWritesNothingWhenNoSeedMeetsTheBand) {
    // Six pipes never score like an expert level, whatever the seed.
    const ToolRun r = run("generate --seed 3 --difficulty expert --pipes 6 --out never.kulap");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no level in the expert band came of 800 tries with seeds 3 to 6"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "never.kulap"));
    EXPECT_EQ(run("generate --seed 3 --difficulty expert --pipes 6").out, "") << "nor on standard output";
}

TEST_F(LevelsTool, GenerateRefusesBadOptionsWithoutWritingAnything) {
    for (const char* args :
         {"generate", "generate --pipes 10", "generate --seed x", "generate --seed 1 --pipes 0",
          "generate --seed 1 --pipes 10 --floors 10", "generate --seed 1 --background 8",
          "generate --seed 1 --title NoSlash", "generate --seed 1 --next ../x",
          "generate --seed 1 --time 0", "generate --seed 1 --scramble", "generate --seed 1 --colour red",
          "generate --seed 1 --scramble 78", "generate --seed 1 --difficulty impossible"}) {
        const ToolRun r = run(std::string(args) + " --out never.kulap");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
        EXPECT_FALSE(fs::exists(dir_ / "never.kulap")) << args;
    }
}

}  // namespace
}  // namespace tk
