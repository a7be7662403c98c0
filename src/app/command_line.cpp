// Reading the game's command line with CLI11.
#include "app/command_line.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <utility>

#include "puzzle/level_file.h"

#ifndef TK_VERSION
#define TK_VERSION "unknown"
#endif

namespace tk {

namespace {

constexpr const char* kHelp =
    "usage: tramolkulap [FILE.kulap | --level NAME | --daily | --random BAND [--seed N]]\n"
    "\n"
    "TramolKulap, a pipe puzzle: walk the plumber through the pipes and turn them until the\n"
    "water reaches every one before the clock runs out. With no option the game opens on\n"
    "its main menu.\n"
    "\n"
    "  FILE.kulap        play this level file; one the game cannot play is refused with\n"
    "                    the reasons (FILE:LINE: message), and the game does not start\n"
    "  --level NAME      play the level NAME of the game's levels folder (e.g. 07)\n"
    "  --daily           play the day's puzzle, the same level for everyone from 00:00 UTC\n"
    "  --random BAND     play a generated level of a difficulty: easy, medium, hard, expert\n"
    "  --seed N          with --random: the generator's seed, for the same level again\n"
    "  --version         print the game's version\n"
    "  -h, --help        print this help\n"
    "\n"
    "A level started here goes on as \"Play\" does: a won level leads to the one its file\n"
    "names next (looked for beside it), a lost one starts again, and the game then shows\n"
    "its main menu.\n"
    "Exit status: 0 when the game ends normally; 1 when the level is refused, when there\n"
    "is no display, or when start-up fails; 2 on a bad command line.\n";

CommandLine badUsage(const std::string& why) {
    CommandLine line;
    line.start = false;
    line.status = 2;
    line.err = "tramolkulap: " + why + "\nRun 'tramolkulap --help' for the options.\n";
    return line;
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& args) {
    CLI::App app("", "tramolkulap");
    app.set_help_flag();
    bool help = false, version = false;
    app.add_flag("-h,--help", help);
    std::string file, level, band;
    bool daily = false;
    std::string seed;
    app.add_flag("--version", version);
    CLI::Option* fileOption = app.add_option("FILE", file);
    CLI::Option* levelOption = app.add_option("--level", level);
    CLI::Option* dailyOption = app.add_flag("--daily", daily);
    CLI::Option* randomOption =
        app.add_option("--random", band)->check(CLI::IsMember({"easy", "medium", "hard", "expert"}));
    CLI::Option* seedOption = app.add_option("--seed", seed)->needs(randomOption);
    // One way to start at a time.
    const std::vector<CLI::Option*> ways{fileOption, levelOption, dailyOption, randomOption};
    for (CLI::Option* a : ways)
        for (CLI::Option* b : ways)
            if (a != b) a->excludes(b);

    // CLI11 takes the words last first.
    std::vector<std::string> words(args.rbegin(), args.rend());
    try {
        app.parse(words);
    } catch (const CLI::ParseError& e) {
        if (!help) return badUsage(e.what());
    }
    CommandLine line;
    if (help) {
        line.start = false;
        line.out = kHelp;
        return line;
    }
    if (version) {
        line.start = false;
        line.out = std::string("tramolkulap ") + TK_VERSION + "\n";
        return line;
    }
    StartRequest& request = line.request;
    if (fileOption->count()) {
        request.kind = StartRequest::Kind::File;
        request.path = file;
    } else if (levelOption->count()) {
        // The name is joined into a path in the levels folder, as the level chooser's are.
        if (!isPlainLevelName(level)) return badUsage("--level: '" + level + "' is not a plain level name");
        request.kind = StartRequest::Kind::Level;
        request.name = level;
    } else if (daily) {
        request.kind = StartRequest::Kind::Daily;
    } else if (randomOption->count()) {
        request.kind = StartRequest::Kind::Random;
        request.band = difficultyNamed(band);
        if (seedOption->count()) {
            // Whole and unsigned: a sign or anything after the digits is no seed.
            std::uint64_t value = 0;
            const auto [end, error] = std::from_chars(seed.data(), seed.data() + seed.size(), value);
            if (seed.empty() || error != std::errc() || end != seed.data() + seed.size())
                return badUsage("--seed: '" + seed + "' is not a whole number from 0 to 18446744073709551615");
            request.seed = value;
        }
    }
    return line;
}

}  // namespace tk
