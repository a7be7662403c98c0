// tramolkulap-levels: checks, shows, solves, rates and generates level files for level designers.
#include <cstdio>
#include <cstring>

#include "verbs.h"

namespace {

const char* kUsage =
    "usage: tramolkulap-levels VERB [options] FILE...\n"
    "\n"
    "verbs:\n"
    "  check FILE...                 read each level as the game would and report problems\n"
    "  show [--cs|--en] FILE         print the board after the water has run once\n"
    "  solve [--max-states N] [--explain] FILE\n"
    "                                find the shortest plan that solves the level, or prove there is none\n"
    "  hint FILE [--at X,Y] [--turns CELLS]\n"
    "                                the next action toward a win from a state of the level\n"
    "  generate --seed N [options]   write a new level that is solvable by construction\n"
    "  rate [--json] FILE...         measure how hard each level is\n"
    "\n"
    "Run 'tramolkulap-levels VERB --help' for a verb's options.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace tk::levels_tool;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const Args args(argv + 2, argv + argc);
    const std::string verb = argv[1];
    if (verb == "check") return checkVerb(args);
    if (verb == "show") return showVerb(args);
    if (verb == "solve") return solveVerb(args);
    if (verb == "generate") return generateVerb(args);
    if (verb == "rate") return rateVerb(args);
    if (verb == "hint") return hintVerb(args);
    std::fprintf(stderr, "tramolkulap-levels: unknown verb '%s'\n\n%s", verb.c_str(), kUsage);
    return 2;
}
