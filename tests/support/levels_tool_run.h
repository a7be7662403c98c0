// Runs the built levels tool as a designer would, in a given folder, and keeps what it said.
#pragma once

#include <filesystem>
#include <string>

namespace tk::test {

struct ToolRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out, err;
};

// `args` go to the shell as written (quote file names with blanks yourself).
ToolRun runLevelsTool(const std::filesystem::path& workDir, const std::string& args);

}  // namespace tk::test
