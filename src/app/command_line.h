// The game's command line, read into a StartRequest, or what to print and the exit status.
#pragma once

#include <string>
#include <vector>

#include "app/start_request.h"

namespace tk {

struct CommandLine {
    bool start = true;       // false: print `out` and `err`, exit with `status`
    StartRequest request;    // what to start with, when `start`
    int status = 0;          // 0 after --help and --version, 2 after a bad usage
    std::string out, err;    // for standard output and standard error
};

// `args` are the words after the program's name.
CommandLine readCommandLine(const std::vector<std::string>& args);

}  // namespace tk
