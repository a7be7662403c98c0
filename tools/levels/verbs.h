// The verbs of tramolkulap-levels; each takes the words after the verb and returns the exit status.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tk {
struct LevelFile;
struct LevelRead;
}

namespace tk::levels_tool {

using Args = std::vector<std::string>;

// Says what was wrong, then how the verb is used; exit status 2.
inline int badUsage(const char* usage, const std::string& why) {
    std::fprintf(stderr, "tramolkulap-levels: %s\n\n%s", why.c_str(), usage);
    return 2;
}

int checkVerb(const Args& args);     // check FILE...
int showVerb(const Args& args);      // show [--cs|--en] FILE
int solveVerb(const Args& args);     // solve [--max-states N] FILE
int generateVerb(const Args& args);  // generate --seed N [options]
int rateVerb(const Args& args);      // rate [--json] [--max-states N] FILE...
int hintVerb(const Args& args);      // hint FILE [--at X,Y] [--turns CELLS]

// Reads a level as the game does, printing each problem found on standard error.
LevelRead readLevelReporting(const std::string& file);

// A plan one action a line, each with the cell the figure stands on after it (solve --explain).
std::string explainPlan(const LevelFile& level, std::string_view plan);

}  // namespace tk::levels_tool
