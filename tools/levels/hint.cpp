// The hint verb, the game's H from any state of a level, and the plan in words for solve --explain.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "puzzle/action.h"
#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "verb_options.h"
#include "verbs.h"

namespace tk::levels_tool {

namespace {

const char* kHintUsage =
    "usage: tramolkulap-levels hint FILE [--at X,Y] [--turns CELLS] [--plan ACTIONS] [--follow]\n"
    "\n"
    "Prints the next action toward a win from a state of the level, as the game's H key\n"
    "shows it there, with the game's own budget. The state is the level as its file has\n"
    "it, with the figure moved and pipes turned:\n"
    "  --at X,Y        the figure stands on column X, row Y (from 0, 0 at the top left)\n"
    "  --turns CELLS   quarter turns: a cell X,Y followed by '<' (counter-clockwise) or\n"
    "                  '>' (clockwise) once per turn, cells apart by blanks, as in\n"
    "                  --turns '4,2<< 5,3>'; may be given more than once\n"
    "  --plan ACTIONS  the plan being followed from that state, as the game keeps it\n"
    "                  between hints (the plan line of the last hint, less the action\n"
    "                  taken); the plan hinted is never longer\n"
    "  --follow        take every hint from there until the level is won, printing one\n"
    "                  action a line\n"
    "Prints the action's letter (L U R D steps, < > quarter turns) and what it does, then\n"
    "'plan P', the plan the action begins, and 'actions N shortest yes|no'.\n"
    "Exit status: 0 with an action; 1 when the board cannot be won from that state, or\n"
    "when the state cannot be reached in play (a figure off the pipes, a turn of a cell\n"
    "that holds no pipe, a cell list or plan that does not read, a plan that does not\n"
    "win from there); 2 when the budget ran out (the game says \"no hint\"), on bad\n"
    "usage or a refused file.\n";

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
    Field field = fieldOf(level);
    letWaterIn(field);
    out << "start at " << field.playerX << "," << field.playerY << "\n";
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Effect effect = applyAction(field, planAction(plan[i]));
        if (!effect.legal) {
            out << i + 1 << " " << plan[i] << " refused\n";
            break;
        }
        out << i + 1 << " " << plan[i] << " " << describeAction(plan[i], field.playerX, field.playerY);
        // The level ends at the win: nothing after it is played.
        if (effect.won) {
            out << ": every cell is wet, the level is won\n";
            break;
        }
        out << "\n";
    }
    return out.str();
}

namespace {

// Says why a state cannot be reached in play; exit status 1.
int refuse(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "tramolkulap-levels: hint: %s: %s\n", what.c_str(), why.c_str());
    return 1;
}

std::string quoted(const std::string& option, const std::string& value) { return option + " '" + value + "'"; }

const char* tileName(char tile) { return tile == kFloorTile ? "floor (L)" : "a blank cell (M)"; }

// The hint's answer as the game gives it: the action and its plan, or why there is none.
int printHint(const std::string& file, const LevelFile& state, const Hint& hint) {
    switch (hint.kind) {
        case Hint::Kind::Act: {
            const char letter = planLetter(hint.action);
            PlanWalk walk(state);
            walk.Take(letter);
            std::printf("%c %s\nplan %s\nactions %zu shortest %s\n", letter,
                        describeAction(letter, walk.x, walk.y).c_str(), hint.plan.c_str(), hint.plan.size(),
                        hint.shortest ? "yes" : "no");
            return 0;
        }
        case Hint::Kind::NoWay:
            std::printf("no way from here\n");
            std::fprintf(stderr, "%s: no way from here: %s\n", file.c_str(), hint.reason.c_str());
            return 1;
        case Hint::Kind::Unknown: break;
    }
    std::printf("no hint\n");
    std::fprintf(stderr, "%s: no hint: the budget of %zu states ran out\n", file.c_str(), kHintStates);
    return 2;
}

// Takes hint after hint from `state`, as a player who presses H before every action,
// until the level is won; prints the actions as solve --explain does.
int followHints(const std::string& file, const LevelFile& state, std::string_view followed) {
    HintGuide guide;
    if (!followed.empty()) guide.Keep(state, followed);
    PlanWalk walk(state);
    std::string taken;
    for (int most = 10'000; most > 0; --most) {
        const LevelFile now = levelAsItStands(state, walk.board, walk.x, walk.y);
        const Hint hint = guide.Next(now);
        if (hint.kind != Hint::Kind::Act) {
            std::fputs(explainPlan(state, taken).c_str(), stdout);
            return printHint(file, now, hint);
        }
        const char letter = planLetter(hint.action);
                const bool won = isTurn(hint.action) && replayPlan(now, std::string_view(&letter, 1)).wonAt == 0;
        walk.Take(letter);
        taken += letter;
        if (won) {
            std::fputs(explainPlan(state, taken).c_str(), stdout);
            return 0;
        }
    }
    std::fputs(explainPlan(state, taken).c_str(), stdout);
    std::fprintf(stderr, "%s: no win after %zu hints\n", file.c_str(), taken.size());
    return 2;
}

}  // namespace

int hintVerb(const Args& args) {
    CLI::App app;
    std::string at, plan;
    std::vector<std::string> turnLists;
    bool follow = false;
    app.add_option("--at", at);
    app.add_option("--turns", turnLists)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--plan", plan);
    app.add_flag("--follow", follow);
    std::vector<std::string> files;
    if (const Parsed p = parseVerb(app, "hint", kHintUsage, args, &files, "one level file at a time"); p.stop)
        return p.status;
    const bool moved = app.count("--at") > 0, given = app.count("--plan") > 0;
    const std::string file = files.empty() ? std::string() : files.front();
    if (file.empty()) return badUsage(kHintUsage, "hint: no level file given");

    const LevelRead read = readLevelReporting(file);
    if (!read.level) return 2;
    LevelFile level = *read.level;

    // The state asked about must be one that play can reach: pipes turned where pipes
    // are, and the figure on a pipe.
    for (const std::string& list : turnLists) {
        std::istringstream items(list);
        for (std::string item; items >> item;) {
            int x = 0, y = 0;
            std::string letters;
            if (!readCell(item, x, y, letters) || letters.empty() || letters.find_first_not_of("<>") != std::string::npos)
                return refuse(quoted("--turns", list), "'" + item + "' is not a cell X,Y of the board (0..10, 0..6) followed by < or >");
            char& tile = level.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (!isPipe(tile))
                return refuse(quoted("--turns", list), "the cell " + std::to_string(x) + "," + std::to_string(y) +
                                                           " holds " + tileName(tile) + ", not a pipe to turn");
            for (char letter : letters) tile = quarterTurn(tile, letter == kPlanTurnRight);
        }
    }
    if (moved) {
        int x = 0, y = 0;
        std::string rest;
        if (!readCell(at, x, y, rest) || !rest.empty())
            return refuse(quoted("--at", at), "not a cell X,Y of the board (0..10, 0..6)");
        if (!isPipe(level.Tile(x, y)))
            return refuse(quoted("--at", at), std::string("the cell holds ") + tileName(level.Tile(x, y)) +
                                                  ": the figure stands only on pipes");
        level.playerX = static_cast<std::int16_t>(x);
        level.playerY = static_cast<std::int16_t>(y);
    } else if (!InPlayArea(level.playerX, level.playerY) || !isPipe(level.Tile(level.playerX, level.playerY))) {
        return refuse(file + ":11", "the figure starts off the pipes: it can neither walk nor turn");
    }
    if (given) {
        const std::size_t bad = plan.find_first_not_of("LURD<>");
        if (bad != std::string::npos)
            return refuse(quoted("--plan", plan), "'" + plan.substr(bad, 1) + "' is not an action (L U R D < >)");
        const ReplayResult replay = replayPlan(level, plan);
        if (!replay.legal)
            return refuse(quoted("--plan", plan), "action " + std::to_string(replay.failedAt + 1) + " cannot be taken there");
        if (plan.empty() || replay.wonAt != static_cast<int>(plan.size()) - 1)
            return refuse(quoted("--plan", plan), "it does not win from this state at its last action");
    }

    if (follow) return followHints(file, level, plan);
    return printHint(file, level, hintFor(level, plan));
}

}  // namespace tk::levels_tool
