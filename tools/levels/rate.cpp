// The rate verb: measured difficulty of levels, as a table for people or JSON for scripts.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "puzzle/level_file.h"
#include "puzzle/rating.h"
#include "verb_options.h"
#include "verbs.h"

namespace tk::levels_tool {

namespace {

const char* kRateUsage =
    "usage: tramolkulap-levels rate [--json] [--max-states N] FILE...\n"
    "\n"
    "Measures how hard each level is and prints one line per level: pipes, cells dry at\n"
    "the start, the shortest plan found (actions = steps + turns, and whether it is\n"
    "proven the shortest, else the fewest actions any plan can have), the fewest pipes a\n"
    "winning board turns, the pipes with more than one winning orientation, whether the\n"
    "naive player and the exploring player win, the share of the plan spent walking, the\n"
    "most steps in a row, the difficulty score, and the time limit with how many times\n"
    "the plan's play time it allows. docs/level-design.md explains each column and the\n"
    "score.\n"
    "  --json            one JSON array of objects instead of the table\n"
    "  --max-states N    the solver's budget per level (default 1000000)\n"
    "Exit status: 0 when every level was solved, 1 when any is unsolvable or undecided,\n"
    "2 on bad usage or a refused file.\n";

const char* statusWord(SolveStatus s) {
    switch (s) {
        case SolveStatus::Solved: return "solved";
        case SolveStatus::Unsolvable: return "unsolvable";
        case SolveStatus::Undecided: return "undecided";
    }
    return "undecided";
}

// One level as one line of the array: its members in a fixed order, each written by the JSON
// library (names that are not UTF-8 come out with U+FFFD in place of the bad bytes).
std::string jsonRating(const std::string& file, const Rating& r) {
    const auto tenths = [](double x) { return std::round(x * 10) / 10; };
    const auto hundredths = [](double x) { return std::round(x * 100) / 100; };
    const nlohmann::ordered_json level = {
        {"file", file}, {"pipes", r.pipes}, {"dryAtStart", r.dryAtStart}, {"status", statusWord(r.status)},
        {"actions", r.plan.size()}, {"steps", r.steps}, {"turns", r.turns}, {"shortest", r.shortest},
        {"mustTurn", r.mustTurn}, {"ambiguous", r.ambiguous}, {"layoutsSettled", r.layoutsSettled},
        {"naiveWins", r.naiveWins}, {"naiveActions", r.naiveActions}, {"explorerWins", r.explorerWins},
        {"explorerActions", r.explorerActions}, {"walkPercent", r.walkPercent}, {"longestWalk", r.longestWalk},
        {"score", tenths(r.score)}, {"states", r.states}, {"lowerBound", r.lowerBound},
        {"playSeconds", hundredths(planSeconds(r.plan))}, {"timeLimit", r.timeLimit},
        {"suggestedTimeLimit", r.suggestedTimeLimit}, {"plan", r.plan}, {"reason", r.reason}};
    // The library writes an object without blanks; the tool has always put one after each
    // colon and comma, so the members are joined here.
    std::string out = "  {";
    for (const auto& [name, value] : level.items()) {
        if (out.size() > 3) out += ", ";
        out += nlohmann::json(name).dump() + ": " + value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    return out + "}";
}

std::string tableRow(const std::string& file, const Rating& r) {
    char buf[512];
    if (r.status != SolveStatus::Solved) {
        std::snprintf(buf, sizeof buf, "%-24s %5d %4d  %s: %s\n", file.c_str(), r.pipes,
                      r.dryAtStart, statusWord(r.status), r.reason.c_str());
        return buf;
    }
    char plan[32];
    std::snprintf(plan, sizeof plan, "%zu = %d+%d", r.plan.size(), r.steps, r.turns);
    char limit[32];
    std::snprintf(limit, sizeof limit, "%d (%.0fx)", r.timeLimit, r.timeLimit / planSeconds(r.plan));
    char shortest[16];
    if (r.shortest) std::snprintf(shortest, sizeof shortest, "yes");
    else std::snprintf(shortest, sizeof shortest, "no >=%d", r.lowerBound);
    std::snprintf(buf, sizeof buf, "%-24s %5d %4d %12s %8s %5d%s %9d%s %6s %8s %5d%% %7d %6.1f %11s\n",
                  file.c_str(), r.pipes, r.dryAtStart, plan, shortest, r.mustTurn,
                  r.layoutsSettled ? " " : "?", r.ambiguous, r.layoutsSettled ? " " : "?",
                  r.naiveWins ? "wins" : "loses", r.explorerWins ? "wins" : "loses", r.walkPercent,
                  r.longestWalk, r.score, limit);
    return buf;
}

}  // namespace

int rateVerb(const Args& args) {
    CLI::App app;
    bool json = false;
    std::string maxStates;
    app.add_flag("--json", json);
    app.add_option("--max-states", maxStates);
    std::vector<std::string> files;
    if (const Parsed p = parseVerb(app, "rate", kRateUsage, args, &files, ""); p.stop) return p.status;
    RateOptions options;
    if (!readMaxStates(app, maxStates, options.maxStates))
        return badUsage(kRateUsage, "rate: --max-states needs a number from 1 to 16000000");
    if (files.empty()) return badUsage(kRateUsage, "rate: no level file given");

    bool refused = false, unsolved = false, first = true;
    if (json) std::fputs("[\n", stdout);
    else
        std::printf("%-24s %5s %4s %12s %8s %6s %10s %6s %8s %6s %7s %6s %11s\n", "level", "pipes",
                    "dry", "plan", "shortest", "must", "ambiguous", "naive", "explorer", "walk", "longest",
                    "score", "limit");
    for (const std::string& file : files) {
        const LevelRead read = readLevelReporting(file);
        if (!read.level) {
            refused = true;
            continue;
        }
        const Rating r = rateLevel(*read.level, options);
        unsolved |= r.status != SolveStatus::Solved;
        const std::string line = json ? (first ? "" : ",\n") + jsonRating(file, r) : tableRow(file, r);
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
        first = false;
    }
    if (json) std::fputs("\n]\n", stdout);
    std::fflush(stdout);
    return refused ? 2 : unsolved ? 1 : 0;
}

}  // namespace tk::levels_tool
