// The verbs of tramolkulap-levels; each takes the words after the verb and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace tk::levels_tool {

using Args = std::vector<std::string>;

int checkVerb(const Args& args);     // check FILE...
int showVerb(const Args& args);      // show [--cs|--en] FILE
int solveVerb(const Args& args);     // solve [--max-seconds N] FILE
int generateVerb(const Args& args);  // generate --seed N [options]

}  // namespace tk::levels_tool
