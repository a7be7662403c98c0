// The solve and generate verbs: a plan for a level or a proof that none exists, and new levels.
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "puzzle/generator.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "verbs.h"

namespace tk::levels_tool {

namespace {

const char* kSolveUsage =
    "usage: tramolkulap-levels solve [--max-states N] [--explain] FILE\n"
    "\n"
    "Searches for the shortest plan that wets every cell but the floor, ending with the\n"
    "winning turn. Prints the plan on one line (L U R D steps, < counter-clockwise and\n"
    "> clockwise quarter turns), then 'actions N time S', S being the plan's play time\n"
    "in seconds, then 'shortest yes', or 'shortest no' when the budget ran out before\n"
    "the plan was proven the shortest.\n"
    "  --max-states N    the budget in boards the search keeps (default 1000000, some\n"
    "                    55 MB); the same answer on every machine\n"
    "  --explain         then print the plan again, one action a line with the cell\n"
    "                    the figure stands on after it\n"
    "Exit status: 0 with a plan, 1 when the level is proven unsolvable (reason on\n"
    "stderr), 2 when the budget ran out undecided, on bad usage or a refused file.\n";

const char* kGenerateUsage =
    "usage: tramolkulap-levels generate --seed N [options]\n"
    "\n"
    "Writes a new level: a network of pipes whose every opening faces another pipe, some\n"
    "of them turned out of place so that the figure can always walk up to them and\n"
    "turn them back. With --difficulty the level is measured as 'rate' does and made\n"
    "again until it lies in the band, with seed N, then N+1, N+2 and N+3 (200 tries\n"
    "each); only a level whose score 'rate' puts in the band is written. The time limit\n"
    "comes from the shortest plan, or from the plan and the bound 'rate' prints where the\n"
    "plan is not proven the shortest. The same seed and options always give the same file.\n"
    "  --seed N          the seed (required)\n"
    "  --difficulty D    easy, medium, hard or expert (see docs/level-design.md)\n"
    "  --pipes N         cells of the pipe network, 1..77 (default from the difficulty, else 20)\n"
    "  --floors N        floor cells instead: the network takes the other 77 - N\n"
    "  --scramble N      pipes turned out of place, 1..77 (default from the difficulty, else 6)\n"
    "  --out FILE        write to FILE instead of standard output\n"
    "  --title \"cs/en\"   Czech and English title (default \"Nová úroveň/New level\")\n"
    "  --background B    background picture 1..7 (default from the seed)\n"
    "  --next NAME       the next level (default \"end\")\n"
    "  --time T          time limit in seconds (default from the plan and the difficulty)\n"
    "Exit status: 0 when written; 2 on bad usage, or when no level could be made (no\n"
    "level in the band came of the seeds' tries), and then nothing is written.\n";

bool readInteger(const std::string& text, long long lo, long long hi, long long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' && errno == 0 && out >= lo && out <= hi;
}

}  // namespace

int solveVerb(const Args& args) {
    SolveOptions options;
    bool explain = false;
    std::string file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (isHelp(a)) {
            std::fputs(kSolveUsage, stdout);
            return 0;
        }
        if (a == "--max-states") {
            long long n = 0;
            if (i + 1 >= args.size() || !readInteger(args[i + 1], 1, 16'000'000, n))
                return badUsage(kSolveUsage, "solve: --max-states needs a number from 1 to 16000000");
            options.maxStates = static_cast<std::size_t>(n);
            ++i;
        } else if (a == "--explain") {
            explain = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return badUsage(kSolveUsage, "solve: unknown option '" + a + "'");
        } else if (!file.empty()) {
            return badUsage(kSolveUsage, "solve: one level file at a time");
        } else {
            file = a;
        }
    }
    if (file.empty()) return badUsage(kSolveUsage, "solve: no level file given");

    const LevelRead read = readLevelReporting(file);
    if (!read.level) return 2;

    const SolveResult result = solveLevel(*read.level, options);
    switch (result.status) {
        case SolveStatus::Solved:
            std::printf("%s\nactions %zu time %.2f\nshortest %s\n", result.plan.c_str(),
                        result.plan.size(), planSeconds(result.plan), result.shortest ? "yes" : "no");
            if (explain) std::fputs(explainPlan(*read.level, result.plan).c_str(), stdout);
            return 0;
        case SolveStatus::Unsolvable:
            std::fprintf(stderr, "%s: unsolvable: %s\n", file.c_str(), result.reason.c_str());
            return 1;
        case SolveStatus::Undecided:
            break;
    }
    std::fprintf(stderr, "%s: undecided: %s (%zu states searched)\n", file.c_str(),
                 result.reason.c_str(), result.states);
    return 2;
}

int generateVerb(const Args& args) {
    GenerateOptions options;
    std::string out;
    bool haveSeed = false, havePipes = false, haveFloors = false;
    long long floors = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (isHelp(a)) {
            std::fputs(kGenerateUsage, stdout);
            return 0;
        }
        if (a.size() < 2 || a[0] != '-')
            return badUsage(kGenerateUsage, "generate: unexpected argument '" + a + "'");
        if (i + 1 >= args.size())
            return badUsage(kGenerateUsage, "generate: " + a + " needs a value");
        const std::string& v = args[++i];
        long long n = 0;
        if (a == "--seed") {
            if (!readInteger(v, 0, 9223372036854775807LL, n))
                return badUsage(kGenerateUsage, "generate: --seed needs a whole number");
            options.seed = static_cast<std::uint64_t>(n);
            haveSeed = true;
        } else if (a == "--pipes") {
            if (!readInteger(v, 1, kCols * kRows, n))
                return badUsage(kGenerateUsage, "generate: --pipes needs a number from 1 to 77");
            options.pipes = static_cast<int>(n);
            havePipes = true;
        } else if (a == "--floors") {
            if (!readInteger(v, 0, kCols * kRows - 1, floors))
                return badUsage(kGenerateUsage, "generate: --floors needs a number from 0 to 76");
            haveFloors = true;
        } else if (a == "--scramble") {
            if (!readInteger(v, 1, kCols * kRows, n))
                return badUsage(kGenerateUsage, "generate: --scramble needs a number from 1 to 77");
            options.scramble = static_cast<int>(n);
        } else if (a == "--difficulty") {
            options.difficulty = difficultyNamed(v);
            if (options.difficulty == Difficulty::Any)
                return badUsage(kGenerateUsage, "generate: --difficulty needs easy, medium, hard or expert");
        } else if (a == "--out") {
            out = v;
        } else if (a == "--title") {
            const auto slash = v.find('/');
            if (slash == std::string::npos || v.find('/', slash + 1) != std::string::npos)
                return badUsage(kGenerateUsage,
                                "generate: --title needs a Czech and an English title split by one '/'");
            options.titleCs = v.substr(0, slash);
            options.titleEn = v.substr(slash + 1);
        } else if (a == "--background") {
            if (!readInteger(v, 1, 7, n))
                return badUsage(kGenerateUsage, "generate: --background needs a number from 1 to 7");
            options.background = static_cast<int>(n);
        } else if (a == "--next") {
            if (!isPlainLevelName(v))
                return badUsage(kGenerateUsage, "generate: --next needs a plain level name");
            options.next = v;
        } else if (a == "--time") {
            if (!readInteger(v, 1, 32767, n))
                return badUsage(kGenerateUsage, "generate: --time needs a number from 1 to 32767");
            options.time = static_cast<int>(n);
        } else {
            return badUsage(kGenerateUsage, "generate: unknown option '" + a + "'");
        }
    }
    if (!haveSeed) return badUsage(kGenerateUsage, "generate: --seed is required");
    if (haveFloors) {
        if (havePipes && options.pipes + floors != kCols * kRows)
            return badUsage(kGenerateUsage, "generate: --pipes and --floors must add up to 77");
        options.pipes = kCols * kRows - static_cast<int>(floors);
    }

    const Generated made = generateLevel(options);
    if (!made.ok) {
        std::fprintf(stderr, "tramolkulap-levels: generate: %s\n", made.error.c_str());
        return 2;
    }
    const std::string text = writeLevel(made.level);
    if (out.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::fprintf(stderr, "tramolkulap-levels: generate: cannot write '%s'\n", out.c_str());
        return 2;
    }
    return 0;
}

}  // namespace tk::levels_tool
