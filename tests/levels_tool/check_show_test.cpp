// The built levels tool run on fixture levels: what check and show print and how they exit.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "support/levels_tool_run.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(__FILE__).parent_path().parent_path() / "fixtures" / "levels";

using tk::test::ToolRun;

ToolRun runTool(const std::string& args) { return tk::test::runLevelsTool(kFixtures, args); }

TEST(LevelsToolShow, PrintsTheBoardAfterOneRunOfTheWater) {
    const std::string board =
        "JFKllllllll\n"
        "GlGllllllll\n"
        "IFHllllllll\n"
        "lllllllllll\n"
        "lllllllllll\n"
        "llllllllllj\n"
        "lllllllllli\n"
        "source 0,0 player 1,0 time 90 background 3 next end\n"
        "unsolved\n";
    ToolRun r = runTool("show small.kulap");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Small ring\n" + board);
    EXPECT_EQ(r.err, "");
    // The Czech title is stored in Windows-1250 and comes out as UTF-8.
    r = runTool("show --cs small.kulap");
    EXPECT_EQ(r.out, "Mal\xC3\xBD kruh\n" + board);
    EXPECT_EQ(runTool("show --cs --en small.kulap").out, "Small ring\n" + board);

    // Solved as loaded (upper-case file letters, LF ends, a title without "/").
    r = runTool("show solved.kulap");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "Kruh \xC4\x8Dist\xC3\xBD\n"
              "JFKllllllll\nGlGllllllll\nIFHllllllll\n"
              "lllllllllll\nlllllllllll\nlllllllllll\nlllllllllll\n"
              "source 2,2 player 0,1 time 120 background 7 next small\n"
              "solved\n");
    EXPECT_NE(r.err.find("solved.kulap:1: warning: "), std::string::npos) << r.err;

    r = runTool("show broken.kulap");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("broken.kulap:2: ", 0), 0u) << r.err;
}

TEST(LevelsToolCheck, ReportsEveryFileAndFailsOnlyOnRefusals) {
    ToolRun r = runTool("check small.kulap solved.kulap");
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> got;
    while (std::getline(lines, line)) got.push_back(line);
    ASSERT_EQ(got.size(), 4u) << r.out;
    // Its two pipes at the right edge are cut off from the source.
    EXPECT_EQ(got[0], "small.kulap: warning: cannot be won: the water can never reach the cell at column 10, row 5");
    EXPECT_EQ(got[1], "small.kulap: ok");
    EXPECT_EQ(got[2].rfind("solved.kulap:1: warning: ", 0), 0u);
    EXPECT_EQ(got[3], "solved.kulap: ok");

    r = runTool("check broken.kulap small.kulap missing.kulap");
    EXPECT_EQ(r.status, 1);
    got.clear();
    lines = std::istringstream(r.out);
    while (std::getline(lines, line)) got.push_back(line);
    const std::vector<std::string> prefixes = {
        "broken.kulap:2: ",  "broken.kulap:4: ",  "broken.kulap:5: ",  "broken.kulap:10: ",
        "broken.kulap:11: ", "broken.kulap:13: ", "broken.kulap:14: ", "small.kulap: warning: ", "small.kulap: ok",
        "missing.kulap: "};
    ASSERT_EQ(got.size(), prefixes.size()) << r.out;
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].rfind(prefixes[i], 0), 0u) << got[i];
    EXPECT_EQ(r.out.find("broken.kulap: ok"), std::string::npos);
}

TEST(LevelsToolCheck, AFifoIsRefusedAtOnceAndTheNextFileStillChecked) {
    const fs::path dir = fs::temp_directory_path() / ("levels-tool-fifo-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(kFixtures / "small.kulap", dir / "small.kulap");
    ASSERT_EQ(::mkfifo((dir / "pipe.kulap").c_str(), 0600), 0);
    const ToolRun r = tk::test::runLevelsTool(dir, "check pipe.kulap small.kulap");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("pipe.kulap: cannot read: it is a FIFO, not a file\nsmall.kulap:", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nsmall.kulap: ok\n"), std::string::npos) << r.out;
    fs::remove_all(dir);
}

// Files the game plays, though nobody can win them or the clock does not count: warned
// about on the line at fault, and still "ok".
TEST(LevelsToolCheck, WarnsAboutAFigureOffThePipesAndATimeLimitOfZeroOrLess) {
    ToolRun r = runTool("check stuck.kulap frozen.kulap");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "stuck.kulap:2: warning: time limit 0: the level is lost as soon as play begins\n"
              "stuck.kulap:11: warning: player start 1,1 lies on floor (L), not on a pipe: the "
              "figure can neither walk nor turn, and the level cannot be won\n"
              "stuck.kulap: ok\n"
              "frozen.kulap:2: warning: time limit -30 is below zero: the clock never runs, and "
              "the level can never be lost on time\n"
              "frozen.kulap: ok\n");
}

TEST(LevelsToolUsage, HelpOnStdoutAndBadUsageOnStderr) {
    for (const char* verb : {"check", "show"}) {
        ToolRun r = runTool(std::string(verb) + " --help");
        EXPECT_EQ(r.status, 0) << verb;
        EXPECT_NE(r.out.find("usage: tramolkulap-levels " + std::string(verb)), std::string::npos);
        EXPECT_EQ(r.err, "");
    }
    for (const char* args : {"check", "show", "show small.kulap solved.kulap", "show --de small.kulap",
                             "check --strict small.kulap"}) {
        ToolRun r = runTool(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("usage: "), std::string::npos) << args;
    }
}

}  // namespace
