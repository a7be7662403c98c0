// The check and show verbs: a level read exactly as the game reads it, reported or drawn as text.
#include <cctype>
#include <cstdio>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/water.h"
#include "verbs.h"

namespace tk::levels_tool {

namespace {

const char* kCheckUsage =
    "usage: tramolkulap-levels check FILE...\n"
    "\n"
    "Reads each level file as the game would and prints 'FILE: ok', or one line\n"
    "'FILE:LINE: message' per problem. Repairs the game makes by itself are reported\n"
    "as 'FILE:LINE: warning: message' and do not fail the file.\n"
    "Exit status: 0 when every file loads, 1 when any is refused, 2 on bad usage.\n";

const char* kShowUsage =
    "usage: tramolkulap-levels show [--cs|--en] FILE\n"
    "\n"
    "Loads the level, lets the water run once and prints the title (English unless\n"
    "--cs), the 7 rows of 11 tiles (upper case wet, lower case dry), a line with the\n"
    "source, player, time, background and next level, and 'solved' or 'unsolved'.\n"
    "Exit status: 0 when shown, 1 when the file is refused, 2 on bad usage.\n";

}  // namespace

int checkVerb(const Args& args) {
    std::vector<std::string> files;
    bool optionsDone = false;
    for (const std::string& a : args) {
        if (!optionsDone && isHelp(a)) {
            std::fputs(kCheckUsage, stdout);
            return 0;
        }
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            return badUsage(kCheckUsage, "check: unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) return badUsage(kCheckUsage, "check: no level file given");

    bool anyRefused = false;
    for (const std::string& file : files) {
        const LevelRead read = readLevelFile(file);
        for (const LevelProblem& p : read.problems)
            std::printf("%s\n", formatProblem(file, p).c_str());
        if (read.level)
            std::printf("%s: ok\n", file.c_str());
        else
            anyRefused = true;
    }
    std::fflush(stdout);
    return anyRefused ? 1 : 0;
}

int showVerb(const Args& args) {
    bool czech = false;
    std::vector<std::string> files;
    bool optionsDone = false;
    for (const std::string& a : args) {
        if (!optionsDone && isHelp(a)) {
            std::fputs(kShowUsage, stdout);
            return 0;
        }
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && a == "--cs") {
            czech = true;
        } else if (!optionsDone && a == "--en") {
            czech = false;
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            return badUsage(kShowUsage, "show: unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 1) return badUsage(kShowUsage, "show: give exactly one level file");

    const std::string& file = files.front();
    const LevelRead read = readLevelFile(file);
    for (const LevelProblem& p : read.problems)
        std::fprintf(stderr, "%s\n", formatProblem(file, p).c_str());
    if (!read.level) return 1;
    const LevelFile& level = *read.level;

    TileGrid board;
    FlowGrid flow;
    placeLevel(level, board, flow);
    const bool solved = spreadWater(board, flow, level.sourceX, level.sourceY);

    std::string out = level.Title(czech) + "\n";
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kCols; ++x) {
            const auto c = static_cast<unsigned char>(board(x, y));
            out += static_cast<char>(flow(x, y) == flowWet ? std::toupper(c) : std::tolower(c));
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
