// The hint verb, the game's H from any state of a level, and the plan in words for solve --explain.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "verbs.h"

namespace tk::levels_tool {

namespace {

const char* kHintUsage =
    "usage: tramolkulap-levels hint FILE [--at X,Y] [--turns CELLS]\n"
    "\n"
    "Prints the next action toward a win from a state of the level, as the game's H key\n"
    "shows it, asking the solver with the game's own budget. The state is the level as\n"
    "its file has it, with the figure moved and pipes turned:\n"
    "  --at X,Y        the figure stands on column X, row Y (from 0, 0 at the top left)\n"
    "  --turns CELLS   quarter turns: a cell X,Y followed by '<' (counter-clockwise) or\n"
    "                  '>' (clockwise) once per turn, cells apart by blanks, as in\n"
    "                  --turns '4,2<< 5,3>'; may be given more than once\n"
    "Prints the action's letter (L U R D steps, < > quarter turns) and what it does.\n"
    "Exit status: 0 with an action, 1 when the board cannot be won from that state,\n"
    "2 when the budget ran out (the game says \"no hint\"), on bad usage or a refused file.\n";

// "X,Y" at the start of `text`, inside the play area; the rest of it is left in `rest`.
bool readCell(const std::string& text, int& x, int& y, std::string& rest) {
    const char* p = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long lx = std::strtol(p, &end, 10);
    if (end == p || *end != ',' || errno) return false;
    p = end + 1;
    const long ly = std::strtol(p, &end, 10);
    if (end == p || errno) return false;
    if (lx < 0 || lx >= kCols || ly < 0 || ly >= kRows) return false;
    x = static_cast<int>(lx);
    y = static_cast<int>(ly);
    rest = end;
    return true;
}

// "step right to 5,2", "turn the pipe at 4,2 clockwise": a plan letter that left the figure on (x, y).
std::string describeAction(char action, int x, int y) {
    const std::string at = std::to_string(x) + "," + std::to_string(y);
    switch (planAction(action)) {
        case Action::StepLeft: return "step left to " + at;
        case Action::StepUp: return "step up to " + at;
        case Action::StepRight: return "step right to " + at;
        case Action::StepDown: return "step down to " + at;
        case Action::TurnLeft: return "turn the pipe at " + at + " counter-clockwise";
        case Action::TurnRight: return "turn the pipe at " + at + " clockwise";
        case Action::None: break;
    }
    return "?";
}

}  // namespace

std::string explainPlan(const LevelFile& level, std::string_view plan) {
    std::ostringstream out;
    PlanWalk walk(level);
    out << "start at " << walk.x << "," << walk.y << "\n";
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (!walk.Take(plan[i])) {
            out << i + 1 << " " << plan[i] << " refused\n";
            break;
        }
        out << i + 1 << " " << plan[i] << " " << describeAction(plan[i], walk.x, walk.y);
        if (i + 1 == plan.size()) out << ": every cell is wet, the level is won";
        out << "\n";
    }
    return out.str();
}

int hintVerb(const Args& args) {
    std::string file;
    bool moved = false;
    int atX = 0, atY = 0;
    std::vector<std::pair<int, int>> turnCells;
    std::string turnLetters;  // one letter per quarter turn, beside turnCells
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (isHelp(a)) {
            std::fputs(kHintUsage, stdout);
            return 0;
        }
        if (a == "--at") {
            std::string rest;
            if (i + 1 >= args.size() || !readCell(args[i + 1], atX, atY, rest) || !rest.empty())
                return badUsage(kHintUsage, "hint: --at needs a cell X,Y of the board (0..10, 0..6)");
            moved = true;
            ++i;
        } else if (a == "--turns") {
            if (i + 1 >= args.size()) return badUsage(kHintUsage, "hint: --turns needs cells to turn");
            std::istringstream items(args[++i]);
            for (std::string item; items >> item;) {
                int x = 0, y = 0;
                std::string letters;
                if (!readCell(item, x, y, letters) || letters.empty() ||
                    letters.find_first_not_of("<>") != std::string::npos)
                    return badUsage(kHintUsage, "hint: --turns: '" + item +
                                                    "' is not a cell X,Y of the board followed by < or >");
                for (char letter : letters) {
                    turnCells.emplace_back(x, y);
                    turnLetters += letter;
                }
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return badUsage(kHintUsage, "hint: unknown option '" + a + "'");
        } else if (!file.empty()) {
            return badUsage(kHintUsage, "hint: one level file at a time");
        } else {
            file = a;
        }
    }
    if (file.empty()) return badUsage(kHintUsage, "hint: no level file given");

    const LevelRead read = readLevelReporting(file);
    if (!read.level) return 2;

    LevelFile level = *read.level;
    for (std::size_t i = 0; i < turnCells.size(); ++i) {
        const auto [x, y] = turnCells[i];
        char& tile = level.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        if (!isPipe(tile)) return badUsage(kHintUsage, "hint: --turns: " + std::to_string(x) + "," +
                                                           std::to_string(y) + " holds no pipe to turn");
        tile = quarterTurn(tile, turnLetters[i] == kPlanTurnRight);
    }
    if (moved) {
        level.playerX = static_cast<std::int16_t>(atX);
        level.playerY = static_cast<std::int16_t>(atY);
    }

    const Hint hint = firstAction(level);
    switch (hint.kind) {
        case Hint::Kind::Act: {
            const char letter = planLetter(hint.action);
            PlanWalk walk(level);
            walk.Take(letter);
            std::printf("%c %s\n", letter, describeAction(letter, walk.x, walk.y).c_str());
            return 0;
        }
        case Hint::Kind::NoWay:
            std::printf("no way from here\n");
            std::fprintf(stderr, "%s: no way from here: %s\n", file.c_str(), hint.reason.c_str());
            return 1;
        case Hint::Kind::Unknown: break;
    }
    std::printf("no hint\n");
    std::fprintf(stderr, "%s: no hint: the solver's budget of %zu states ran out\n", file.c_str(), kHintStates);
    return 2;
}

}  // namespace tk::levels_tool
