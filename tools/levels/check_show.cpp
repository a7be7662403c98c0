// The check and show verbs: a level read exactly as the game reads it, reported or drawn as text.
#include <cctype>
#include <cstdio>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "puzzle/action.h"
#include "verb_options.h"
#include "verbs.h"

namespace tk::levels_tool {

namespace {

const char* kCheckUsage =
    "usage: tramolkulap-levels check FILE...\n"
    "\n"
    "Reads each level file as the game would and prints 'FILE: ok', or one line\n"
    "'FILE:LINE: message' per problem. What the game plays all the same is reported\n"
    "as 'FILE:LINE: warning: message' and does not fail the file: a repair the game\n"
    "makes by itself, a figure that starts off the pipes, a time limit of zero or\n"
    "less, and a level that cannot be won (as far as a search of 200000 boards can\n"
    "tell; 'solve' looks further).\n"
    "Exit status: 0 when every file loads, 1 when any is refused, 2 on bad usage.\n";

const char* kShowUsage =
    "usage: tramolkulap-levels show [--cs|--en] FILE\n"
    "\n"
    "Loads the level, lets the water run once and prints the title (English unless\n"
    "--cs), the 7 rows of 11 tiles (upper case wet, lower case dry), a line with the\n"
    "source, player, time, background and next level, and 'solved' or 'unsolved'.\n"
    "Exit status: 0 when shown, 1 when the file is refused, 2 on bad usage.\n";

// Enough for every shipped level many times over, and a few seconds at worst.
constexpr std::size_t kCheckSolverStates = 200000;

// Files the game loads and plays, but where the player cannot win, or loses at once.
std::vector<LevelProblem> playWarnings(const LevelFile& level) {
    std::vector<LevelProblem> warnings;
    const std::string time = std::to_string(level.timeLimit);
    if (level.timeLimit == 0)
        warnings.push_back({2, "time limit 0: the level is lost as soon as play begins", true});
    if (level.timeLimit < 0)
        warnings.push_back({2, "time limit " + time + " is below zero: the clock never runs, and the "
                                                    "level can never be lost on time",
                            true});
    const char start = level.Tile(level.playerX, level.playerY);
    if (!isPipe(start)) {
        warnings.push_back({11, "player start " + std::to_string(level.playerX) + "," +
                                    std::to_string(level.playerY) + " lies on " +
                                    (start == kFloorTile ? "floor (L)" : "a blank cell (M)") +
                                    ", not on a pipe: the figure can neither walk nor turn, and "
                                    "the level cannot be won",
                            true});
        return warnings;
    }
    SolveOptions budget;
    budget.maxStates = kCheckSolverStates;
    budget.improve = false;  // whether it can be won, not how quickly
    const SolveResult solved = solveLevel(level, budget);
    if (solved.status == SolveStatus::Unsolvable)
        warnings.push_back({0, "cannot be won: " + solved.reason, true});
    return warnings;
}

}  // namespace

LevelRead readLevelReporting(const std::string& file) {
    LevelRead read = readLevelFile(file);
    for (const LevelProblem& p : read.problems) std::fprintf(stderr, "%s\n", formatProblem(file, p).c_str());
    return read;
}

int checkVerb(const Args& args) {
    CLI::App app;
    std::vector<std::string> files;
    if (const Parsed p = parseVerb(app, "check", kCheckUsage, args, &files, ""); p.stop) return p.status;
    if (files.empty()) return badUsage(kCheckUsage, "check: no level file given");

    bool anyRefused = false;
    for (const std::string& file : files) {
        const LevelRead read = readLevelFile(file);
        for (const LevelProblem& p : read.problems)
            std::printf("%s\n", formatProblem(file, p).c_str());
        if (!read.level) {
            anyRefused = true;
            continue;
        }
        for (const LevelProblem& p : playWarnings(*read.level))
            std::printf("%s\n", formatProblem(file, p).c_str());
        std::printf("%s: ok\n", file.c_str());
    }
    std::fflush(stdout);
    return anyRefused ? 1 : 0;
}

int showVerb(const Args& args) {
    CLI::App app;
    const CLI::Option* cs = app.add_flag("--cs");
    app.add_flag("--en");
    std::vector<std::string> files;
    if (const Parsed p = parseVerb(app, "show", kShowUsage, args, &files, ""); p.stop) return p.status;
    // The last of --cs and --en wins.
    bool czech = false;
    for (const CLI::Option* given : app.parse_order()) czech = given == cs;
    if (files.size() != 1) return badUsage(kShowUsage, "show: give exactly one level file");

    const std::string& file = files.front();
    const LevelRead read = readLevelReporting(file);
    if (!read.level) return 1;
    const LevelFile& level = *read.level;

    Field field = fieldOf(level);
    const bool solved = letWaterIn(field).won;
    const TileGrid& board = field.board;
    const FlowGrid& flow = field.flow;

    std::string out = level.Title(czech) + "\n";
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kCols; ++x) {
            const auto c = static_cast<unsigned char>(board(x, y));
            out += static_cast<char>(flow(x, y) == Water::Wet ? std::toupper(c) : std::tolower(c));
        }
        out += "\n";
    }
    out += "source " + std::to_string(level.sourceX) + "," + std::to_string(level.sourceY) +
           " player " + std::to_string(level.playerX) + "," + std::to_string(level.playerY) +
           " time " + std::to_string(level.timeLimit) + " background " +
           std::to_string(level.backgroundNumber) + " next " + level.nextLevel + "\n";
    out += solved ? "solved\n" : "unsolved\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace tk::levels_tool
