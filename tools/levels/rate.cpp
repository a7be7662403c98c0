// The rate verb: measured difficulty of levels, as a table for people or JSON for scripts.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "puzzle/level_file.h"
#include "puzzle/rating.h"
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

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* statusWord(SolveStatus s) {
    switch (s) {
        case SolveStatus::Solved: return "solved";
        case SolveStatus::Unsolvable: return "unsolvable";
        case SolveStatus::Undecided: return "undecided";
    }
    return "undecided";
}

std::string jsonRating(const std::string& file, const Rating& r) {
    char buf[1024];
    std::snprintf(buf, sizeof buf,
                  "\"pipes\": %d, \"dryAtStart\": %d, \"status\": \"%s\", \"actions\": %zu, "
                  "\"steps\": %d, \"turns\": %d, \"shortest\": %s, \"mustTurn\": %d, "
                  "\"ambiguous\": %d, \"layoutsSettled\": %s, \"naiveWins\": %s, "
                  "\"naiveActions\": %d, \"explorerWins\": %s, \"explorerActions\": %d, "
                  "\"walkPercent\": %d, \"longestWalk\": %d, "
                  "\"score\": %.1f, \"states\": %zu, \"lowerBound\": %d, \"playSeconds\": %.2f, "
                  "\"timeLimit\": %d, \"suggestedTimeLimit\": %d",
                  r.pipes, r.dryAtStart, statusWord(r.status), r.plan.size(), r.steps, r.turns,
                  r.shortest ? "true" : "false", r.mustTurn, r.ambiguous,
                  r.layoutsSettled ? "true" : "false", r.naiveWins ? "true" : "false",
                  r.naiveActions, r.explorerWins ? "true" : "false", r.explorerActions, r.walkPercent,
                  r.longestWalk, r.score, r.states, r.lowerBound,
                  planSeconds(r.plan), r.timeLimit, r.suggestedTimeLimit);
    return "  {\"file\": " + jsonText(file) + ", " + buf + ", \"plan\": " + jsonText(r.plan) +
           ", \"reason\": " + jsonText(r.reason) + "}";
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
    bool json = false;
    RateOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (isHelp(a)) {
            std::fputs(kRateUsage, stdout);
            return 0;
        }
        if (a == "--json") {
            json = true;
        } else if (a == "--max-states") {
            char* end = nullptr;
            errno = 0;
            const long long n = i + 1 < args.size() ? std::strtoll(args[i + 1].c_str(), &end, 10) : 0;
            if (i + 1 >= args.size() || !end || *end || errno || n < 1 || n > 16'000'000)
                return badUsage(kRateUsage, "rate: --max-states needs a number from 1 to 16000000");
            options.maxStates = static_cast<std::size_t>(n);
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            return badUsage(kRateUsage, "rate: unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
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
