// The solve and generate verbs: a plan for a level or a proof that none exists, and new levels.
#include <cstdio>
#include <utility>
#include <fstream>
#include <string>

#include "puzzle/generator.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "verb_options.h"
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

}  // namespace

int solveVerb(const Args& args) {
    CLI::App app;
    std::string maxStates;
    app.add_option("--max-states", maxStates);
    bool explain = false;
    app.add_flag("--explain", explain);
    std::vector<std::string> files;
    if (const Parsed p = parseVerb(app, "solve", kSolveUsage, args, &files, "one level file at a time"); p.stop)
        return p.status;
    SolveOptions options;
    if (!readMaxStates(app, maxStates, options.maxStates))
        return badUsage(kSolveUsage, "solve: --max-states needs a number from 1 to 16000000");
    if (files.empty()) return badUsage(kSolveUsage, "solve: no level file given");
    const std::string& file = files.front();

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
    CLI::App app;
    std::string seed, pipes, floorsText, scramble, difficulty, title, background, next, time, out;
    for (auto [name, value] : {std::pair{"--seed", &seed}, {"--pipes", &pipes}, {"--floors", &floorsText},
                               {"--scramble", &scramble}, {"--difficulty", &difficulty}, {"--out", &out},
                               {"--title", &title}, {"--background", &background}, {"--next", &next},
                               {"--time", &time}})
        app.add_option(name, *value);
    if (const Parsed p = parseVerb(app, "generate", kGenerateUsage, args, nullptr, ""); p.stop) return p.status;
    const auto given = [&app](const char* name) { return app.count(name) > 0; };

    GenerateOptions options;
    const bool haveSeed = given("--seed"), havePipes = given("--pipes"), haveFloors = given("--floors");
    long long n = 0, floors = 0;
    if (haveSeed) {
        if (!readInteger(seed, 0, 9223372036854775807LL, n))
            return badUsage(kGenerateUsage, "generate: --seed needs a whole number");
        options.seed = static_cast<std::uint64_t>(n);
    }
    if (havePipes) {
        if (!readInteger(pipes, 1, kCols * kRows, n))
            return badUsage(kGenerateUsage, "generate: --pipes needs a number from 1 to 77");
        options.pipes = static_cast<int>(n);
    }
    if (haveFloors && !readInteger(floorsText, 0, kCols * kRows - 1, floors))
        return badUsage(kGenerateUsage, "generate: --floors needs a number from 0 to 76");
    if (given("--scramble")) {
        if (!readInteger(scramble, 1, kCols * kRows, n))
            return badUsage(kGenerateUsage, "generate: --scramble needs a number from 1 to 77");
        options.scramble = static_cast<int>(n);
    }
    if (given("--difficulty")) {
        options.difficulty = difficultyNamed(difficulty);
        if (options.difficulty == Difficulty::Any)
            return badUsage(kGenerateUsage, "generate: --difficulty needs easy, medium, hard or expert");
    }
    if (given("--title")) {
        const auto slash = title.find('/');
        if (slash == std::string::npos || title.find('/', slash + 1) != std::string::npos)
            return badUsage(kGenerateUsage, "generate: --title needs a Czech and an English title split by one '/'");
        options.titleCs = title.substr(0, slash);
        options.titleEn = title.substr(slash + 1);
    }
    if (given("--background")) {
        if (!readInteger(background, 1, 7, n))
            return badUsage(kGenerateUsage, "generate: --background needs a number from 1 to 7");
        options.background = static_cast<int>(n);
    }
    if (given("--next")) {
        if (!isPlainLevelName(next)) return badUsage(kGenerateUsage, "generate: --next needs a plain level name");
        options.next = next;
    }
    if (given("--time")) {
        if (!readInteger(time, 1, 32767, n))
            return badUsage(kGenerateUsage, "generate: --time needs a number from 1 to 32767");
        options.time = static_cast<int>(n);
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
